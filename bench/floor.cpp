// The floor for start-up timing: the least a Win32 program can do that shows
// a window. It creates and shows one window, lets it paint, and exits.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  windowClass.lpszClassName = L"floor";
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(WS_EX_TOPMOST, L"floor", L"floor", WS_POPUP, 0, 0, 333, 267,
                                nullptr, nullptr, instance, nullptr);
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  DestroyWindow(window);
  return 0;
}

// A frame-less top-level HWND that turns its window messages into WindowEvents calls.
#include "platform/win32/Win32Window.h"

#include <windowsx.h>

#include "platform/win32/PixelScale.h"
#include "platform/win32/WideText.h"

namespace kvs {

namespace {

constexpr wchar_t kClassName[] = L"KVSsaverWindow";
constexpr WORD kProgramIconId = 1;

// Registers the one window class of the program; a second registration
// fails harmlessly with ERROR_CLASS_ALREADY_EXISTS.
void RegisterWindowClass(HINSTANCE instance, WNDPROC windowProc) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  windowClass.lpszClassName = kClassName;
  RegisterClassExW(&windowClass);
}

HICON LoadProgramIcon(HINSTANCE instance, int widthMetric, int heightMetric) {
  return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kProgramIconId), IMAGE_ICON,
                                       GetSystemMetrics(widthMetric),
                                       GetSystemMetrics(heightMetric), LR_SHARED));
}

void AttachProgramIcon(HWND hwnd, HINSTANCE instance) {
  HICON bigIcon = LoadProgramIcon(instance, SM_CXICON, SM_CYICON);
  HICON smallIcon = LoadProgramIcon(instance, SM_CXSMICON, SM_CYSMICON);
  SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon));
  SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
}

}  // namespace

Win32Window::Win32Window(WindowEvents& events, ShowState showState)
    : events_(events), showState_(showState) {}

std::unique_ptr<Win32Window> Win32Window::Create(const WindowDefinition& definition,
                                                 WindowEvents& events) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterWindowClass(instance, &Win32Window::WindowProc);

  std::unique_ptr<Win32Window> window(new Win32Window(events, definition.showState));
  const PixelScale scale = PixelScale::OfScreen();
  const std::wstring title = ToWide(definition.title);
  // The object is attached to the HWND at WM_NCCREATE, inside this call.
  HWND hwnd = CreateWindowExW(
      WS_EX_TOPMOST, kClassName, title.c_str(), WS_POPUP, scale.XToPixels(definition.initial.left),
      scale.YToPixels(definition.initial.top), scale.XToPixels(definition.initial.width),
      scale.YToPixels(definition.initial.height), nullptr, nullptr, instance, window.get());
  if (hwnd == nullptr) return window;

  if (definition.hasProgramIcon) AttachProgramIcon(hwnd, instance);
  if (definition.timerIntervalMs > 0) SetTimer(hwnd, kTimerId, definition.timerIntervalMs, nullptr);
  return window;
}

Win32Window::~Win32Window() {
  if (hwnd_ == nullptr) return;
  // Detached first, so that the messages of the destruction reach no object.
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  DestroyWindow(hwnd_);
}

void Win32Window::Show() {
  if (hwnd_ == nullptr) return;
  ShowWindow(hwnd_, showState_ == ShowState::Maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
  SetForegroundWindow(hwnd_);
}

void Win32Window::SetWidth(float twips) {
  const RECT rect = OuterRect();
  PlaceWindow(0, 0, PixelScale::OfScreen().XToPixels(twips), rect.bottom - rect.top, SWP_NOMOVE);
}

void Win32Window::SetHeight(float twips) {
  const RECT rect = OuterRect();
  PlaceWindow(0, 0, rect.right - rect.left, PixelScale::OfScreen().YToPixels(twips), SWP_NOMOVE);
}

void Win32Window::SetLeft(float twips) {
  const RECT rect = OuterRect();
  PlaceWindow(PixelScale::OfScreen().XToPixels(twips), rect.top, 0, 0, SWP_NOSIZE);
}

void Win32Window::SetTop(float twips) {
  const RECT rect = OuterRect();
  PlaceWindow(rect.left, PixelScale::OfScreen().YToPixels(twips), 0, 0, SWP_NOSIZE);
}

float Win32Window::Width() const {
  const RECT rect = OuterRect();
  return PixelScale::OfScreen().XToTwips(rect.right - rect.left);
}

float Win32Window::Height() const {
  const RECT rect = OuterRect();
  return PixelScale::OfScreen().YToTwips(rect.bottom - rect.top);
}

void Win32Window::SetWaitPointer() {
  waitPointer_ = true;
  // WM_SETCURSOR comes only with the next movement; a resting pointer changes now.
  if (PointerIsOver()) SetCursor(LoadCursorW(nullptr, IDC_WAIT));
}

std::int32_t Win32Window::Handle() const {
  // Window handles carry 32 significant bits on 64-bit Windows as well.
  return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(hwnd_));
}

RECT Win32Window::OuterRect() const {
  RECT rect{};
  if (hwnd_ != nullptr) GetWindowRect(hwnd_, &rect);
  return rect;
}

void Win32Window::PlaceWindow(int left, int top, int width, int height, UINT flags) {
  if (hwnd_ == nullptr) return;
  SetWindowPos(hwnd_, nullptr, left, top, width, height, flags | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Win32Window::PointerIsOver() const {
  POINT pointer{};
  if (hwnd_ == nullptr || !GetCursorPos(&pointer)) return false;
  return WindowFromPoint(pointer) == hwnd_;
}

LRESULT CALLBACK Win32Window::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    auto* window = static_cast<Win32Window*>(create->lpCreateParams);
    window->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
  }
  auto* window = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (window == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  return window->HandleMessage(message, wParam, lParam);
}

// Every call into events_ is the last thing its branch does: a handler may
// destroy this object (a click that closes its own window), so nothing of
// it may be touched after the call.
LRESULT Win32Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      return OnButtonDown();
    case WM_XBUTTONDOWN:
      OnButtonDown();
      return TRUE;  // the X-button messages are answered with TRUE
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      return OnButtonUp(lParam, 0);
    case WM_XBUTTONUP:
      return OnButtonUp(lParam, TRUE);
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:  // Alt, F10 and Alt+F4 arrive here; none of them reaches the system
      events_.OnKeyDown();
      return 0;
    case WM_MOUSEMOVE:
      return OnMouseMove(lParam);
    case WM_TIMER:
      if (wParam != kTimerId) break;
      events_.OnTimer();
      return 0;
    case WM_SETCURSOR:
      return OnSetCursor(wParam, lParam);
    case WM_CLOSE:
      // DefWindowProc would destroy this one window behind the core's back.
      events_.OnCloseRequest();
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      if (wParam == 0) return 0;  // the session goes on
      events_.OnCloseRequest();
      return 0;
    case WM_NCDESTROY: {
      // The HWND went without the destructor (which detaches first): forget it.
      HWND hwnd = hwnd_;
      hwnd_ = nullptr;
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    default:
      break;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT Win32Window::OnButtonDown() {
  SetCapture(hwnd_);
  buttonPressed_ = true;
  return 0;
}

// A click is a press and a release over the window, with any button.
LRESULT Win32Window::OnButtonUp(LPARAM lParam, LRESULT handled) {
  const bool wasPressed = buttonPressed_;
  buttonPressed_ = false;
  ReleaseCapture();

  RECT client{};
  GetClientRect(hwnd_, &client);
  const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (!wasPressed || !PtInRect(&client, point)) return handled;
  events_.OnClick();
  return handled;
}

LRESULT Win32Window::OnMouseMove(LPARAM lParam) {
  const PixelScale scale = PixelScale::OfScreen();
  events_.OnMouseMove(scale.XToTwips(GET_X_LPARAM(lParam)), scale.YToTwips(GET_Y_LPARAM(lParam)));
  return 0;
}

LRESULT Win32Window::OnSetCursor(WPARAM wParam, LPARAM lParam) {
  if (!waitPointer_ || LOWORD(lParam) != HTCLIENT) {
    return DefWindowProcW(hwnd_, WM_SETCURSOR, wParam, lParam);
  }
  SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  return TRUE;
}

}  // namespace kvs

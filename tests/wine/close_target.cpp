// close_target.exe <window title>: shows one window through Win32Platform
// and waits up to 10 s for a close request from outside. Exit 0 when
// OnCloseRequest came and the window was still there when it did.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include "platform/win32/Win32Platform.h"

namespace {

class CloseWatch final : public kvs::WindowEvents {
 public:
  void OnClick() override {}
  void OnKeyDown() override {}
  void OnMouseMove(float, float) override {}
  void OnTimer() override {}
  void OnCloseRequest() override { ++closeRequests; }

  int closeRequests = 0;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fputs("usage: close_target <window title>\n", stderr);
    return 2;
  }
  const std::wstring title = argv[1];
  const std::u16string title16(title.begin(), title.end());
  kvs::Win32Platform platform;
  CloseWatch watch;
  const kvs::WindowDefinition definition{
      title16, kvs::ShowState::Normal, {0, 0, 3000, 2000}, false, 0};
  std::unique_ptr<kvs::NativeWindow> window = platform.CreateNativeWindow(definition, watch);
  window->Show();

  const ULONGLONG deadline = GetTickCount64() + 10000;
  SetTimer(nullptr, 0, 100, nullptr);  // wakes the loop to notice the deadline
  platform.RunMessageLoop([&] { return watch.closeRequests == 0 && GetTickCount64() < deadline; });

  HWND hwnd = reinterpret_cast<HWND>(static_cast<std::intptr_t>(window->Handle()));
  const bool stillThere = IsWindow(hwnd) != FALSE;
  std::printf("close_target: %d close request(s), window %s\n", watch.closeRequests,
              stillThere ? "still there" : "gone");
  return watch.closeRequests == 1 && stillThere ? 0 : 1;
}

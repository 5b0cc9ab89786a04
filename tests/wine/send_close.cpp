// send_close.exe <window title>: posts WM_CLOSE to the top-level window with
// that title, as another program would. Exit code 0 when the window was
// found within about 3 seconds, 1 when not, 2 on a wrong command line.
#include <windows.h>

#include <cstdio>

namespace {
constexpr int kAttempts = 30;
constexpr DWORD kPauseMs = 100;
}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fputs("usage: send_close <window title>\n", stderr);
    return 2;
  }
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    if (HWND window = FindWindowW(nullptr, argv[1])) {
      const BOOL posted = PostMessageW(window, WM_CLOSE, 0, 0);
      std::printf("send_close: WM_CLOSE %s\n", posted ? "posted" : "could not be posted");
      return posted ? 0 : 1;
    }
    Sleep(kPauseMs);
  }
  std::puts("send_close: no window with that title");
  return 1;
}

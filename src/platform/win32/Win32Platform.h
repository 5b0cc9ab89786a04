// The Platform on Win32: user32, kernel32 and winmm's mciSendStringA.
#pragma once

#include <windows.h>
// mmsystem.h after windows.h: its types and MCIERR codes, no winmm import.
#include <mmsystem.h>

#include "platform/Platform.h"

namespace kvs {

class Win32Platform final : public Platform {
 public:
  // Returned by SendMciString when winmm.dll or mciSendStringA cannot be had.
  static constexpr std::int32_t kMciUnavailable = MCIERR_CANNOT_LOAD_DRIVER;

  Win32Platform() = default;
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;
  ~Win32Platform() override = default;

  std::string ToAnsi(std::u16string_view text) override;
  std::u16string FromAnsi(std::string_view text) override;
  std::int32_t SendMciString(const char* command, char* reply, std::uint32_t replySize,
                             std::uintptr_t notifyWindow) override;

  void SetScreenSaverActive(bool active) override;
  void ShowCursor(bool show) override;

  std::u16string CommandLine() override;
  std::u16string ProgramDirectory() override;
  std::u16string ShortPath(std::u16string_view path) override;

  TwipsSize ScreenSize() override;
  std::unique_ptr<NativeWindow> CreateNativeWindow(const WindowDefinition& definition,
                                                   WindowEvents& events) override;
  void RunMessageLoop(const std::function<bool()>& anyWindowOpen) override;

 private:
  using MciSendStringFunction = MCIERROR(WINAPI*)(LPCSTR command, LPSTR reply, UINT replySize,
                                                  HWND notifyWindow);

  // Looks up mciSendStringA in the system's own winmm.dll at the first send.
  // The library then stays loaded until the process ends, as an import would.
  MciSendStringFunction MciSendString();

  bool mciLookedUp_ = false;
  MciSendStringFunction mciSendString_ = nullptr;
};

}  // namespace kvs

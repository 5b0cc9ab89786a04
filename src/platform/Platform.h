// The seam between the saver's core and the operating system: everything the
// core asks of Windows, named for what the core needs. The Win32 build
// implements it in platform/win32, the unit tests in platform/sim.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace kvs {

// Window geometry and pointer positions are in twips (1440 per logical inch).
struct TwipsSize {
  float width = 0;
  float height = 0;
};

struct TwipsRect {
  float left = 0;
  float top = 0;
  float width = 0;
  float height = 0;
};

enum class ShowState { Normal, Maximized };

// What a window is when it is created, before any handler has run.
// Every window is frame-less (no border, no title bar) with a black background.
struct WindowDefinition {
  std::u16string_view title;
  ShowState showState = ShowState::Normal;
  TwipsRect initial;
  bool hasProgramIcon = false;
  unsigned timerIntervalMs = 0;  // 0: the window owns no timer
};

// Events a native window delivers to the object that owns it.
class WindowEvents {
 public:
  virtual void OnClick() = 0;
  virtual void OnKeyDown() = 0;
  virtual void OnMouseMove(float x, float y) = 0;  // twips from the client area's top-left
  virtual void OnTimer() = 0;
  virtual void OnCloseRequest() = 0;  // another program, Alt+F4, log-off or shutdown

 protected:
  ~WindowEvents() = default;
};

// A top-level window of the platform. Destroying the object destroys the
// native window together with its timer; no event is delivered after that.
class NativeWindow {
 public:
  virtual ~NativeWindow() = default;

  // Makes the window visible in its definition's show state, active and
  // above every window shown before it.
  virtual void Show() = 0;
  virtual void SetWidth(float twips) = 0;
  virtual void SetHeight(float twips) = 0;
  virtual void SetLeft(float twips) = 0;
  virtual void SetTop(float twips) = 0;
  virtual float Width() const = 0;  // outer width as the window now stands
  virtual float Height() const = 0;
  virtual void SetWaitPointer() = 0;
  virtual std::int32_t Handle() const = 0;  // the 32-bit value of the window handle
};

// The MCI string interface with the ANSI code page it speaks.
class MciPort {
 public:
  virtual std::string ToAnsi(std::u16string_view text) = 0;
  virtual std::u16string FromAnsi(std::string_view text) = 0;
  // mciSendStringA: command, reply area, its size in characters, window to notify.
  virtual std::int32_t SendMciString(const char* command, char* reply, std::uint32_t replySize,
                                     std::uintptr_t notifyWindow) = 0;

 protected:
  ~MciPort() = default;
};

class Platform : public MciPort {
 public:
  virtual ~Platform() = default;

  // SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, active ? 1 : 0, nullptr, 0).
  virtual void SetScreenSaverActive(bool active) = 0;
  // ShowCursor(FALSE) or ShowCursor(-1): moves the cursor display count by one.
  virtual void ShowCursor(bool show) = 0;

  virtual std::u16string CommandLine() = 0;
  virtual std::u16string ProgramDirectory() = 0;  // without a trailing separator
  // The short (8.3) form of a path, or an empty text when there is none.
  virtual std::u16string ShortPath(std::u16string_view path) = 0;

  virtual TwipsSize ScreenSize() = 0;
  // Creates the window hidden, with its timer running when it has one.
  virtual std::unique_ptr<NativeWindow> CreateNativeWindow(const WindowDefinition& definition,
                                                           WindowEvents& events) = 0;
  // Hands events to the windows until, after a handler has returned, no
  // window is open any more.
  virtual void RunMessageLoop(const std::function<bool()>& anyWindowOpen) = 0;
};

}  // namespace kvs

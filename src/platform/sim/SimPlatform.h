// The simulated platform of the unit tests: records every system call and
// MCI command in order, keeps the system state those calls change, and lets
// a test deliver input, timer ticks and close requests to the windows.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/sim/SimMciDevice.h"

namespace kvs::sim {

class SimWindow;

// An event for a window, named by its title.
struct Event {
  enum class Kind { Click, KeyDown, MouseMove, Timer, CloseRequest };
  Kind kind;
  std::u16string title;
  float x = 0;
  float y = 0;
};

class SimPlatform final : public Platform {
 public:
  SimPlatform();
  ~SimPlatform() override;

  // --- what the test sets up ---
  std::u16string commandLine = u"KVSsaver.scr /s";
  std::u16string programDirectory = u"C:\\Saver";
  std::u16string shortDirectory;   // what ShortPath answers
  TwipsSize screen{15360, 11520};  // 1024 x 768 pixels at 96 dpi
  float twipsPerPixel = 15;        // windows snap their size to whole pixels
  SimMciDevice device;

  // --- what the test reads ---
  std::vector<std::string> calls;            // every platform call, in order
  int cursorCount = 0;                       // the cursor display count, starting at 0
  bool screenSaverActive = true;             // the system's screen-saver activation flag
  std::vector<std::uint32_t> mciReplySizes;  // size argument of every MCI send

  // Live (not destroyed) window with this title, or null.
  const SimWindow* Find(std::u16string_view title) const;
  // Titles of the visible windows, bottom to top, and the active one.
  std::vector<std::u16string> VisibleStack() const;
  std::u16string ActiveTitle() const;
  // Calls and MCI commands logged since the last call of this function.
  std::vector<std::string> TakeCalls();

  // --- input ---
  // Delivers an event now; false when no live window has that title.
  bool Deliver(const Event& event);
  // Queues an event for RunMessageLoop.
  void Post(Event event) { queue_.push_back(std::move(event)); }
  // Ticks every live window that owns a timer.
  void TickTimers();

  // --- Platform ---
  void SetScreenSaverActive(bool active) override;
  void ShowCursor(bool show) override;
  std::u16string CommandLine() override { return commandLine; }
  std::u16string ProgramDirectory() override { return programDirectory; }
  std::u16string ShortPath(std::u16string_view path) override;
  TwipsSize ScreenSize() override { return screen; }
  std::unique_ptr<NativeWindow> CreateNativeWindow(const WindowDefinition& definition,
                                                   WindowEvents& events) override;
  // Delivers the queued events one by one while a window is open; returns
  // when the loop would end, or when the queue runs dry.
  void RunMessageLoop(const std::function<bool()>& anyWindowOpen) override;
  // A fixed single-byte code page: U+0000..U+00FF map to one byte each,
  // everything else becomes '?'.
  std::string ToAnsi(std::u16string_view text) override;
  std::u16string FromAnsi(std::string_view text) override;
  std::int32_t SendMciString(const char* command, char* reply, std::uint32_t replySize,
                             std::uintptr_t notifyWindow) override;

  bool messageLoopRan = false;

 private:
  friend class SimWindow;
  void Log(std::string call) { calls.push_back(std::move(call)); }
  void Raise(SimWindow* window);
  void Forget(SimWindow* window);

  std::vector<SimWindow*> windows_;  // live windows in z-order, bottom to top
  std::deque<Event> queue_;
  std::size_t taken_ = 0;
  std::int32_t nextHandle_ = 0x10010;
};

// A window of the simulated platform.
class SimWindow final : public NativeWindow {
 public:
  SimWindow(SimPlatform& platform, const WindowDefinition& definition, WindowEvents& events,
            std::int32_t handle);
  ~SimWindow() override;

  void Show() override;
  void SetWidth(float twips) override;
  void SetHeight(float twips) override;
  void SetLeft(float twips) override;
  void SetTop(float twips) override;
  float Width() const override { return rect.width; }
  float Height() const override { return rect.height; }
  void SetWaitPointer() override;
  std::int32_t Handle() const override { return handle_; }

  const WindowDefinition definition;
  TwipsRect rect;
  bool visible = false;

 private:
  friend class SimPlatform;
  std::string Name() const;
  float Snap(float twips) const;

  SimPlatform& platform_;
  WindowEvents& events_;
  std::int32_t handle_;
};

// UTF-8 form of a wide text, for logs and test messages.
std::string Utf8(std::u16string_view text);

}  // namespace kvs::sim

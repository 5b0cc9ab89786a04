// What every saver window has: its definition, its native window, its MCI
// channel and remembered pointer position, and the show and close operations.
#pragma once

#include <memory>
#include <optional>

#include "mci/MciChannel.h"
#include "platform/Platform.h"

namespace kvs {

class Window : public WindowEvents {
 public:
  Window(Platform& platform, const WindowDefinition& definition);
  virtual ~Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  // Creates the window hidden and runs its load handler, once per process.
  void CreateAndLoad();
  // Creates and loads the window when it does not exist yet; then makes it
  // visible and active when it is open and not visible yet.
  void Show();
  // Runs the unload handler, destroys the native window (and its timer) and
  // marks the window closed for good. Does nothing when it is not open.
  void Close();
  bool IsOpen() const { return open_; }

  // The window that CloseSaver closes after this one.
  void PairWith(Window& other) { other_ = &other; }
  Window& Other() const { return *other_; }

  Platform& platform() const { return platform_; }
  NativeWindow& native() const { return *native_; }

  MciChannel mci;
  // Pointer position noted by the first mouse movement, in twips.
  std::optional<float> lastX;
  std::optional<float> lastY;

  void OnClick() final;
  void OnKeyDown() final;
  void OnMouseMove(float x, float y) final;
  void OnTimer() final;
  void OnCloseRequest() final;

 protected:
  virtual void Load() = 0;
  virtual void Unload() = 0;
  virtual void Tick() {}

 private:
  Platform& platform_;
  const WindowDefinition& definition_;
  std::unique_ptr<NativeWindow> native_;
  Window* other_ = this;
  bool created_ = false;
  bool open_ = false;
  bool visible_ = false;
};

}  // namespace kvs

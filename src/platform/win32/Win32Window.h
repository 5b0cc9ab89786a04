// A frame-less top-level HWND that turns its window messages into WindowEvents calls.
#pragma once

#include <windows.h>

#include <memory>

#include "platform/Platform.h"

namespace kvs {

class Win32Window final : public NativeWindow {
 public:
  // Creates the window hidden, with its timer running when the definition
  // asks for one. When the system refuses the window, the object still
  // exists and every call on it does nothing.
  static std::unique_ptr<Win32Window> Create(const WindowDefinition& definition,
                                             WindowEvents& events);

  Win32Window(const Win32Window&) = delete;
  Win32Window& operator=(const Win32Window&) = delete;
  ~Win32Window() override;

  void Show() override;
  void SetWidth(float twips) override;
  void SetHeight(float twips) override;
  void SetLeft(float twips) override;
  void SetTop(float twips) override;
  float Width() const override;
  float Height() const override;
  void SetWaitPointer() override;
  std::int32_t Handle() const override;

 private:
  static constexpr UINT_PTR kTimerId = 1;

  Win32Window(WindowEvents& events, ShowState showState);

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnButtonDown();
  LRESULT OnButtonUp(LPARAM lParam, LRESULT handled);
  LRESULT OnMouseMove(LPARAM lParam);
  LRESULT OnSetCursor(WPARAM wParam, LPARAM lParam);

  RECT OuterRect() const;
  void PlaceWindow(int left, int top, int width, int height, UINT flags);
  bool PointerIsOver() const;

  WindowEvents& events_;
  ShowState showState_;
  HWND hwnd_ = nullptr;
  bool buttonPressed_ = false;
  bool waitPointer_ = false;
};

}  // namespace kvs

// Show, close and event dispatch of a saver window.
#include "windows/Window.h"

#include "windows/Dismissal.h"

namespace kvs {

namespace {

// A remembered coordinate counts as unset while it is empty or 0.
bool IsUnset(const std::optional<float>& coordinate) {
  return !coordinate.has_value() || *coordinate == 0.0f;
}

}  // namespace

Window::Window(Platform& platform, const WindowDefinition& definition)
    : platform_(platform), definition_(definition) {}

void Window::CreateAndLoad() {
  if (created_) return;
  created_ = true;
  native_ = platform_.CreateNativeWindow(definition_, *this);
  open_ = true;
  Load();
}

void Window::Show() {
  CreateAndLoad();
  if (!open_ || visible_) return;
  native_->Show();
  visible_ = true;
}

void Window::Close() {
  if (!open_) return;
  Unload();
  native_.reset();
  open_ = false;
  visible_ = false;
}

void Window::OnClick() {
  if (open_) DismissSaver(*this);
}

void Window::OnKeyDown() {
  if (open_) DismissSaver(*this);
}

// The first movement only notes where the pointer is (a position at the
// top-left corner, (0, 0), leaves it unset); any later movement to another
// position dismisses. The noted position is never updated.
void Window::OnMouseMove(float x, float y) {
  if (!open_) return;
  if (IsUnset(lastX) && IsUnset(lastY)) {
    lastX = x;
    lastY = y;
    return;
  }
  if (x != *lastX || y != *lastY) DismissSaver(*this);
}

void Window::OnTimer() {
  if (open_) Tick();
}

// Another program, Alt+F4, log-off or shutdown: end the saver as a whole,
// exactly as input would, so both windows go and the system state is restored.
void Window::OnCloseRequest() {
  if (open_) DismissSaver(*this);
}

}  // namespace kvs

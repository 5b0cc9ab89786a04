// The simulated platform.
#include "platform/sim/SimPlatform.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace kvs::sim {

namespace {

std::string Number(float value) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

}  // namespace

std::string Utf8(std::u16string_view text) {
  std::string utf8;
  for (char16_t unit : text) {
    if (unit < 0x80) {
      utf8 += static_cast<char>(unit);
    } else if (unit < 0x800) {
      utf8 += static_cast<char>(0xC0 | (unit >> 6));
      utf8 += static_cast<char>(0x80 | (unit & 0x3F));
    } else {
      utf8 += static_cast<char>(0xE0 | (unit >> 12));
      utf8 += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
      utf8 += static_cast<char>(0x80 | (unit & 0x3F));
    }
  }
  return utf8;
}

SimPlatform::SimPlatform() = default;
SimPlatform::~SimPlatform() = default;

const SimWindow* SimPlatform::Find(std::u16string_view title) const {
  for (const SimWindow* window : windows_) {
    if (window->definition.title == title) return window;
  }
  return nullptr;
}

std::vector<std::u16string> SimPlatform::VisibleStack() const {
  std::vector<std::u16string> titles;
  for (const SimWindow* window : windows_) {
    if (window->visible) titles.emplace_back(window->definition.title);
  }
  return titles;
}

std::u16string SimPlatform::ActiveTitle() const {
  const std::vector<std::u16string> stack = VisibleStack();
  return stack.empty() ? std::u16string() : stack.back();
}

std::vector<std::string> SimPlatform::TakeCalls() {
  std::vector<std::string> recent(calls.begin() + static_cast<std::ptrdiff_t>(taken_), calls.end());
  taken_ = calls.size();
  return recent;
}

bool SimPlatform::Deliver(const Event& event) {
  auto found = std::find_if(windows_.begin(), windows_.end(), [&](const SimWindow* window) {
    return window->definition.title == event.title;
  });
  if (found == windows_.end()) return false;
  WindowEvents& events = (*found)->events_;  // the handler may destroy the window
  switch (event.kind) {
    case Event::Kind::Click:
      events.OnClick();
      break;
    case Event::Kind::KeyDown:
      events.OnKeyDown();
      break;
    case Event::Kind::MouseMove:
      events.OnMouseMove(event.x, event.y);
      break;
    case Event::Kind::Timer:
      events.OnTimer();
      break;
    case Event::Kind::CloseRequest:
      events.OnCloseRequest();
      break;
  }
  return true;
}

void SimPlatform::TickTimers() {
  std::vector<std::u16string> timed;
  for (const SimWindow* window : windows_) {
    if (window->definition.timerIntervalMs > 0) timed.emplace_back(window->definition.title);
  }
  for (const std::u16string& title : timed) Deliver({Event::Kind::Timer, title});
}

void SimPlatform::SetScreenSaverActive(bool active) {
  Log(active ? "SystemParametersInfoA(17, 1, null, 0)" : "SystemParametersInfoA(17, 0, null, 0)");
  screenSaverActive = active;
}

void SimPlatform::ShowCursor(bool show) {
  Log(show ? "ShowCursor(-1)" : "ShowCursor(0)");
  cursorCount += show ? 1 : -1;
}

std::u16string SimPlatform::ShortPath(std::u16string_view) { return shortDirectory; }

std::unique_ptr<NativeWindow> SimPlatform::CreateNativeWindow(const WindowDefinition& definition,
                                                              WindowEvents& events) {
  auto window = std::make_unique<SimWindow>(*this, definition, events, nextHandle_);
  nextHandle_ += 0x10;
  Log("CreateWindow(" + Utf8(definition.title) + ")");
  if (definition.timerIntervalMs > 0) {
    Log("SetTimer(" + Utf8(definition.title) + ", " + std::to_string(definition.timerIntervalMs) +
        ")");
  }
  windows_.push_back(window.get());
  return window;
}

void SimPlatform::RunMessageLoop(const std::function<bool()>& anyWindowOpen) {
  messageLoopRan = true;
  while (anyWindowOpen() && !queue_.empty()) {
    const Event event = queue_.front();
    queue_.pop_front();
    Deliver(event);
  }
}

std::string SimPlatform::ToAnsi(std::u16string_view text) {
  std::string ansi;
  ansi.reserve(text.size());
  for (char16_t unit : text) ansi += unit <= 0xFF ? static_cast<char>(unit) : '?';
  return ansi;
}

std::u16string SimPlatform::FromAnsi(std::string_view text) {
  std::u16string wide;
  wide.reserve(text.size());
  for (char byte : text) wide += static_cast<char16_t>(static_cast<unsigned char>(byte));
  return wide;
}

std::int32_t SimPlatform::SendMciString(const char* command, char* reply, std::uint32_t replySize,
                                        std::uintptr_t notifyWindow) {
  Log("mciSendStringA(" + std::string(command) + ", " + std::to_string(replySize) + ", " +
      std::to_string(notifyWindow) + ")");
  mciReplySizes.push_back(replySize);
  const SimMciDevice::Exchange exchange = device.Execute(command);
  if (exchange.reply && replySize > 0) {
    const std::size_t length = std::min<std::size_t>(exchange.reply->size(), replySize - 1);
    std::memcpy(reply, exchange.reply->data(), length);
    reply[length] = '\0';
  }
  return exchange.result;
}

void SimPlatform::Raise(SimWindow* window) {
  windows_.erase(std::find(windows_.begin(), windows_.end(), window));
  windows_.push_back(window);
}

void SimPlatform::Forget(SimWindow* window) {
  windows_.erase(std::find(windows_.begin(), windows_.end(), window));
}

SimWindow::SimWindow(SimPlatform& platform, const WindowDefinition& definitionIn,
                     WindowEvents& events, std::int32_t handle)
    : definition(definitionIn),
      rect(definitionIn.initial),
      platform_(platform),
      events_(events),
      handle_(handle) {}

SimWindow::~SimWindow() {
  platform_.Log("DestroyWindow(" + Name() + ")");
  platform_.Forget(this);
}

void SimWindow::Show() {
  const bool maximized = definition.showState == ShowState::Maximized;
  platform_.Log("ShowWindow(" + Name() + (maximized ? ", maximized)" : ", normal)"));
  if (maximized) rect = {0, 0, platform_.screen.width, platform_.screen.height};
  visible = true;
  platform_.Raise(this);
}

void SimWindow::SetWidth(float twips) {
  platform_.Log("SetWidth(" + Name() + ", " + Number(twips) + ")");
  rect.width = Snap(twips);
}

void SimWindow::SetHeight(float twips) {
  platform_.Log("SetHeight(" + Name() + ", " + Number(twips) + ")");
  rect.height = Snap(twips);
}

void SimWindow::SetLeft(float twips) {
  platform_.Log("SetLeft(" + Name() + ", " + Number(twips) + ")");
  rect.left = twips;
}

void SimWindow::SetTop(float twips) {
  platform_.Log("SetTop(" + Name() + ", " + Number(twips) + ")");
  rect.top = twips;
}

void SimWindow::SetWaitPointer() { platform_.Log("SetWaitPointer(" + Name() + ")"); }

std::string SimWindow::Name() const { return Utf8(definition.title); }

float SimWindow::Snap(float twips) const {
  return std::round(twips / platform_.twipsPerPixel) * platform_.twipsPerPixel;
}

}  // namespace kvs::sim

// window_probe.exe: the window layer of Win32Platform against real user32:
// styles, geometry in twips, icon, show state and stacking, the timer, and
// which WindowEvents call each window message becomes, including windows
// destroyed from inside their own event.
#include <windows.h>
#include <windowsx.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ProbeChecks.h"
#include "platform/win32/Win32Platform.h"

// Freed memory is filled with 0xDD and never handed out again, so that a
// window procedure that used its object after a handler destroyed it would
// call through a poisoned reference and crash instead of passing by luck.
void operator delete(void* memory, std::size_t size) noexcept {
  if (memory != nullptr) std::memset(memory, 0xDD, size);
}
void operator delete(void*) noexcept {}

namespace {

using kvs::probe::Checks;

// Records what a window delivers; `reaction` runs at the end of every event.
class EventLog final : public kvs::WindowEvents {
 public:
  void OnClick() override { Note(clicks); }
  void OnKeyDown() override { Note(keys); }
  void OnMouseMove(float x, float y) override {
    lastX = x;
    lastY = y;
    Note(moves);
  }
  void OnTimer() override {
    tickTimes.push_back(GetTickCount64());
    Note(ticks);
  }
  void OnCloseRequest() override { Note(closeRequests); }

  int Total() const { return clicks + keys + moves + ticks + closeRequests; }
  int InputTotal() const { return clicks + keys + moves + closeRequests; }

  int clicks = 0;
  int keys = 0;
  int moves = 0;
  int ticks = 0;
  int closeRequests = 0;
  float lastX = 0;
  float lastY = 0;
  std::vector<ULONGLONG> tickTimes;
  std::function<void()> reaction;

 private:
  void Note(int& counter) {
    ++counter;
    if (reaction) reaction();
  }
};

HWND HwndOf(const kvs::NativeWindow& window) {
  return reinterpret_cast<HWND>(static_cast<std::intptr_t>(window.Handle()));
}

struct Dpi {
  int x;
  int y;
  int PixelsX(float twips) const { return Pixels(twips, x); }
  int PixelsY(float twips) const { return Pixels(twips, y); }
  float TwipsX(int pixels) const { return Twips(pixels, x); }
  float TwipsY(int pixels) const { return Twips(pixels, y); }

  static int Pixels(float twips, int dpi) {
    return static_cast<int>(std::lround(twips * static_cast<float>(dpi) / 1440.0f));
  }
  static float Twips(int pixels, int dpi) {
    return static_cast<float>(pixels) * 1440.0f / static_cast<float>(dpi);
  }
};

Dpi ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const Dpi dpi{GetDeviceCaps(screen, LOGPIXELSX), GetDeviceCaps(screen, LOGPIXELSY)};
  ReleaseDC(nullptr, screen);
  return dpi;
}

RECT WindowRect(HWND hwnd) {
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  return rect;
}

std::string RectText(const RECT& rect) {
  return std::to_string(rect.left) + "," + std::to_string(rect.top) + " " +
         std::to_string(rect.right - rect.left) + "x" + std::to_string(rect.bottom - rect.top);
}

bool SameFloat(float a, float b) { return std::fabs(a - b) < 0.01f; }

// Runs the platform's message loop until `done` holds or `timeoutMs` has
// passed; a thread timer keeps messages coming so the deadline is noticed.
bool PumpUntil(kvs::Platform& platform, const std::function<bool()>& done, ULONGLONG timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  const UINT_PTR heartbeat = SetTimer(nullptr, 0, 50, nullptr);
  platform.RunMessageLoop([&] { return !done() && GetTickCount64() < deadline; });
  KillTimer(nullptr, heartbeat);
  return done();
}

void Pump(kvs::Platform& platform, ULONGLONG ms) {
  PumpUntil(
      platform, [] { return false; }, ms);
}

const kvs::WindowDefinition kBackdrop{
    u"KVS probe backdrop", kvs::ShowState::Maximized, {1785, 1905, 6690, 5715}, true, 0};
const kvs::WindowDefinition kVideo{
    u"KVS probe video", kvs::ShowState::Normal, {3660, 2850, 1800, 4590}, false, 1000};

// Is `upper` in front of `lower` in the z-order?
bool IsAbove(HWND upper, HWND lower) {
  for (HWND hwnd = GetWindow(upper, GW_HWNDNEXT); hwnd != nullptr;
       hwnd = GetWindow(hwnd, GW_HWNDNEXT)) {
    if (hwnd == lower) return true;
  }
  return false;
}

void CheckCreation(Checks& checks, const Dpi& dpi, const kvs::NativeWindow& backdrop,
                   const kvs::NativeWindow& video) {
  for (const auto* window : {&backdrop, &video}) {
    HWND hwnd = HwndOf(*window);
    const bool isBackdrop = window == &backdrop;
    const std::string name = isBackdrop ? "backdrop: " : "video: ";
    const kvs::WindowDefinition& definition = isBackdrop ? kBackdrop : kVideo;
    const std::wstring title(definition.title.begin(), definition.title.end());

    checks.Expect(IsWindow(hwnd) && FindWindowW(nullptr, title.c_str()) == hwnd,
                  name + "Handle() is the window that carries the definition's title");
    checks.Expect(!IsWindowVisible(hwnd), name + "created hidden");

    const auto style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE));
    const DWORD frameStyles = WS_CAPTION | WS_BORDER | WS_DLGFRAME | WS_THICKFRAME;
    const DWORD frameExStyles =
        WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME | WS_EX_STATICEDGE;
    checks.Expect(
        (style & WS_POPUP) != 0 && (style & frameStyles) == 0 && (exStyle & frameExStyles) == 0,
        name + "a popup without border, title bar or edge");

    RECT client{};
    GetClientRect(hwnd, &client);
    const RECT outer = WindowRect(hwnd);
    checks.Expect(
        client.right == outer.right - outer.left && client.bottom == outer.bottom - outer.top,
        name + "the client area is the whole window", RectText(outer));

    const auto brush = reinterpret_cast<HGDIOBJ>(GetClassLongPtrW(hwnd, GCLP_HBRBACKGROUND));
    checks.Expect(brush == GetStockObject(BLACK_BRUSH), name + "black background brush");

    const auto bigIcon = SendMessageW(hwnd, WM_GETICON, ICON_BIG, 0);
    const auto smallIcon = SendMessageW(hwnd, WM_GETICON, ICON_SMALL, 0);
    checks.Expect(isBackdrop == (bigIcon != 0 && smallIcon != 0) &&
                      (isBackdrop || (bigIcon == 0 && smallIcon == 0)),
                  name + (isBackdrop ? "carries the program icon, big and small" : "has no icon"));

    const kvs::TwipsRect& initial = definition.initial;
    const RECT expected{dpi.PixelsX(initial.left), dpi.PixelsY(initial.top),
                        dpi.PixelsX(initial.left) + dpi.PixelsX(initial.width),
                        dpi.PixelsY(initial.top) + dpi.PixelsY(initial.height)};
    checks.Expect(EqualRect(&outer, &expected) != FALSE,
                  name + "initial rectangle is the definition's twips in pixels",
                  RectText(outer) + ", expected " + RectText(expected));
  }
}

void CheckBackdropShown(Checks& checks, kvs::Platform& platform, kvs::NativeWindow& backdrop) {
  HWND hwnd = HwndOf(backdrop);
  backdrop.Show();
  const RECT outer = WindowRect(hwnd);
  const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  checks.Expect(IsWindowVisible(hwnd) && IsZoomed(hwnd) && EqualRect(&outer, &screen),
                "backdrop: shown maximized over the whole screen", RectText(outer));
  const kvs::TwipsSize screenTwips = platform.ScreenSize();
  checks.Expect(SameFloat(backdrop.Width(), screenTwips.width) &&
                    SameFloat(backdrop.Height(), screenTwips.height),
                "backdrop: Width() and Height() equal the screen size in twips");
  checks.Expect(GetForegroundWindow() == hwnd, "backdrop: active after Show");

  UpdateWindow(hwnd);
  HDC screenDc = GetDC(nullptr);
  const COLORREF pixel = GetPixel(screenDc, 5, screen.bottom - 5);
  ReleaseDC(nullptr, screenDc);
  checks.Expect(pixel == RGB(0, 0, 0), "backdrop: the screen shows black",
                "pixel " + std::to_string(pixel));
}

void CheckGeometry(Checks& checks, const Dpi& dpi, kvs::NativeWindow& video) {
  HWND hwnd = HwndOf(video);
  const RECT before = WindowRect(hwnd);

  video.SetWidth(5000);
  RECT rect = WindowRect(hwnd);
  checks.Expect(rect.right - rect.left == dpi.PixelsX(5000) &&
                    rect.bottom - rect.top == before.bottom - before.top &&
                    rect.left == before.left && rect.top == before.top,
                "SetWidth(5000 twips) gives " + std::to_string(dpi.PixelsX(5000)) +
                    " pixels, height and position kept",
                RectText(rect));

  video.SetHeight(4000);
  rect = WindowRect(hwnd);
  checks.Expect(rect.bottom - rect.top == dpi.PixelsY(4000) &&
                    rect.right - rect.left == dpi.PixelsX(5000) && rect.left == before.left &&
                    rect.top == before.top,
                "SetHeight(4000 twips) gives " + std::to_string(dpi.PixelsY(4000)) +
                    " pixels, width and position kept",
                RectText(rect));
  checks.Expect(SameFloat(video.Width(), dpi.TwipsX(dpi.PixelsX(5000))) &&
                    SameFloat(video.Height(), dpi.TwipsY(dpi.PixelsY(4000))),
                "Width() and Height() read the pixel size back in twips",
                std::to_string(video.Width()) + " x " + std::to_string(video.Height()));

  // Odd twips that fall between pixels, and a negative edge (a screen
  // smaller than the window): rounded to the nearest pixel, not clamped.
  video.SetLeft(-307.5f);
  video.SetTop(1234.4f);
  rect = WindowRect(hwnd);
  checks.Expect(rect.left == dpi.PixelsX(-307.5f) && rect.top == dpi.PixelsY(1234.4f) &&
                    rect.right - rect.left == dpi.PixelsX(5000) &&
                    rect.bottom - rect.top == dpi.PixelsY(4000),
                "SetLeft(-307.5)/SetTop(1234.4) move to the nearest pixels, size kept",
                RectText(rect));
}

void CheckVideoShown(Checks& checks, const Dpi& dpi, kvs::NativeWindow& backdrop,
                     kvs::NativeWindow& video) {
  HWND hwnd = HwndOf(video);
  video.Show();
  const RECT rect = WindowRect(hwnd);
  checks.Expect(IsWindowVisible(hwnd) && !IsZoomed(hwnd) &&
                    rect.right - rect.left == dpi.PixelsX(5000) &&
                    rect.left == dpi.PixelsX(-307.5f),
                "video: shown normal where it stood", RectText(rect));
  checks.Expect(GetForegroundWindow() == hwnd, "video: active after Show");
  checks.Expect(IsAbove(hwnd, HwndOf(backdrop)), "video: above the backdrop");
}

void CheckTimer(Checks& checks, kvs::Platform& platform, const EventLog& backdropLog,
                const EventLog& videoLog) {
  const bool ticked = PumpUntil(
      platform, [&] { return videoLog.ticks >= 3; }, 5000);
  checks.Expect(ticked, "video: the timer ticks", std::to_string(videoLog.ticks) + " ticks");
  if (videoLog.tickTimes.size() >= 3) {
    const auto interval = videoLog.tickTimes[2] - videoLog.tickTimes[1];
    checks.Expect(interval >= 900 && interval <= 1300, "video: ticks come every 1000 ms",
                  std::to_string(interval) + " ms");
  }
  checks.Expect(backdropLog.ticks == 0, "backdrop: no timer, no tick");
}

void CheckCloseRequests(Checks& checks, kvs::Platform& platform, kvs::NativeWindow& video,
                        EventLog& log) {
  HWND hwnd = HwndOf(video);
  const int before = log.closeRequests;
  PostMessageW(hwnd, WM_CLOSE, 0, 0);
  PumpUntil(
      platform, [&] { return log.closeRequests > before; }, 2000);
  checks.Expect(log.closeRequests == before + 1 && IsWindow(hwnd) && IsWindowVisible(hwnd),
                "posted WM_CLOSE: OnCloseRequest, and the window is still there");

  checks.Expect(
      SendMessageW(hwnd, WM_QUERYENDSESSION, 0, 0) == TRUE && log.closeRequests == before + 1,
      "WM_QUERYENDSESSION: the session may end, no event");
  SendMessageW(hwnd, WM_ENDSESSION, FALSE, 0);
  checks.Expect(log.closeRequests == before + 1, "WM_ENDSESSION FALSE: no event");
  SendMessageW(hwnd, WM_ENDSESSION, TRUE, 0);
  checks.Expect(log.closeRequests == before + 2 && IsWindow(hwnd),
                "WM_ENDSESSION TRUE: OnCloseRequest");
}

struct KeyCase {
  const char* name;
  UINT message;
  WPARAM key;
  LPARAM flags;
};

void CheckKeys(Checks& checks, kvs::Platform& platform, kvs::NativeWindow& video, EventLog& log,
               const EventLog& otherLog) {
  constexpr LPARAM kAltDown = LPARAM{1} << 29;
  const KeyCase cases[] = {
      {"a letter", WM_KEYDOWN, 'A', 1},
      {"shift alone", WM_KEYDOWN, VK_SHIFT, 1},
      {"Alt alone", WM_SYSKEYDOWN, VK_MENU, 1 | kAltDown},
      {"F10", WM_SYSKEYDOWN, VK_F10, 1},
      {"Alt+F4", WM_SYSKEYDOWN, VK_F4, 1 | kAltDown},  // must not turn into WM_CLOSE
  };
  HWND hwnd = HwndOf(video);
  for (const KeyCase& row : cases) {
    const int total = log.InputTotal();
    const int keys = log.keys;
    const int otherKeys = otherLog.keys;
    SendMessageW(hwnd, row.message, row.key, row.flags);
    Pump(platform, 100);  // whatever the key might have posted, WM_CLOSE for one
    checks.Expect(log.keys == keys + 1 && log.InputTotal() == total + 1 &&
                      otherLog.keys == otherKeys && IsWindow(hwnd),
                  std::string("key ") + row.name + ": one OnKeyDown on this window, nothing else");
  }
}

void CheckMouseMoves(Checks& checks, const Dpi& dpi, kvs::NativeWindow& video, EventLog& log) {
  struct MoveCase {
    int x;
    int y;
  };
  // (-5, 3): left of the window while the mouse is captured; the
  // coordinates are signed.
  const MoveCase cases[] = {{0, 0}, {10, 20}, {-5, 3}, {299, 251}};
  HWND hwnd = HwndOf(video);
  for (const MoveCase& row : cases) {
    const int moves = log.moves;
    SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(row.x, row.y));
    checks.Expect(log.moves == moves + 1 && SameFloat(log.lastX, dpi.TwipsX(row.x)) &&
                      SameFloat(log.lastY, dpi.TwipsY(row.y)),
                  "mouse move to (" + std::to_string(row.x) + ", " + std::to_string(row.y) +
                      ") px arrives in twips",
                  std::to_string(log.lastX) + ", " + std::to_string(log.lastY));
  }
}

struct ButtonMessage {
  UINT message;
  WPARAM wParam;
  int x;
  int y;
};

void CheckClicks(Checks& checks, kvs::NativeWindow& video, EventLog& log) {
  struct ClickCase {
    const char* name;
    std::vector<ButtonMessage> messages;
    int clicks;
  };
  RECT client{};
  GetClientRect(HwndOf(video), &client);
  const int right = client.right + 10;  // beyond the right edge, at any dpi
  const WPARAM x1 = MAKEWPARAM(0, XBUTTON1);
  const ClickCase cases[] = {
      {"left press and release", {{WM_LBUTTONDOWN, MK_LBUTTON, 5, 5}, {WM_LBUTTONUP, 0, 6, 7}}, 1},
      {"right press and release", {{WM_RBUTTONDOWN, MK_RBUTTON, 5, 5}, {WM_RBUTTONUP, 0, 5, 5}}, 1},
      {"middle press and release",
       {{WM_MBUTTONDOWN, MK_MBUTTON, 5, 5}, {WM_MBUTTONUP, 0, 5, 5}},
       1},
      {"X button press and release", {{WM_XBUTTONDOWN, x1, 5, 5}, {WM_XBUTTONUP, x1, 5, 5}}, 1},
      {"release without a press", {{WM_LBUTTONUP, 0, 5, 5}}, 0},
      {"press only", {{WM_LBUTTONDOWN, MK_LBUTTON, 5, 5}}, 0},
      {"release of that press right of the window", {{WM_LBUTTONUP, 0, right, 5}}, 0},
      {"press inside, release left of the window",
       {{WM_LBUTTONDOWN, MK_LBUTTON, 5, 5}, {WM_LBUTTONUP, 0, -1, 5}},
       0},
  };
  HWND hwnd = HwndOf(video);
  for (const ClickCase& row : cases) {
    const int clicks = log.clicks;
    const int total = log.InputTotal();
    bool captured = true;
    for (const ButtonMessage& message : row.messages) {
      const LRESULT answer =
          SendMessageW(hwnd, message.message, message.wParam, MAKELPARAM(message.x, message.y));
      const bool isX = message.message == WM_XBUTTONDOWN || message.message == WM_XBUTTONUP;
      if (isX && answer != TRUE) captured = false;  // X-button messages answer TRUE
      const bool isPress = message.message == WM_LBUTTONDOWN || message.message == WM_RBUTTONDOWN ||
                           message.message == WM_MBUTTONDOWN || message.message == WM_XBUTTONDOWN;
      if ((GetCapture() == hwnd) != isPress) captured = false;
    }
    checks.Expect(
        log.clicks == clicks + row.clicks && log.InputTotal() == total + row.clicks && captured,
        std::string("click: ") + row.name + " -> " + std::to_string(row.clicks) +
            " OnClick, mouse captured from press to release");
  }
}

void CheckWaitPointer(Checks& checks, kvs::NativeWindow& backdrop, kvs::NativeWindow& video) {
  HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
  const LPARAM overClient = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
  SendMessageW(HwndOf(video), WM_SETCURSOR, reinterpret_cast<WPARAM>(HwndOf(video)), overClient);
  checks.Expect(GetCursor() != wait, "video: ordinary pointer before SetWaitPointer");

  video.SetWaitPointer();
  const LRESULT answer = SendMessageW(HwndOf(video), WM_SETCURSOR,
                                      reinterpret_cast<WPARAM>(HwndOf(video)), overClient);
  checks.Expect(answer == TRUE && GetCursor() == wait,
                "video: after SetWaitPointer WM_SETCURSOR puts up the hourglass");

  SendMessageW(HwndOf(backdrop), WM_SETCURSOR, reinterpret_cast<WPARAM>(HwndOf(backdrop)),
               overClient);
  checks.Expect(GetCursor() != wait, "backdrop: keeps the ordinary pointer");
}

// A window whose own event handler destroys it: the window procedure must
// not touch the object afterwards, and nothing more arrives from it.
void CheckDestroyedFromOwnEvent(Checks& checks, kvs::Platform& platform) {
  struct DestroyCase {
    const char* name;
    std::function<void(HWND)> trigger;
    int EventLog::*counter;
  };
  const DestroyCase cases[] = {
      {"OnClick",
       [](HWND hwnd) {
         SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
         SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
       },
       &EventLog::clicks},
      {"OnKeyDown", [](HWND hwnd) { SendMessageW(hwnd, WM_KEYDOWN, VK_SPACE, 1); },
       &EventLog::keys},
      {"OnMouseMove", [](HWND hwnd) { SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(9, 9)); },
       &EventLog::moves},
      {"OnCloseRequest", [](HWND hwnd) { PostMessageW(hwnd, WM_CLOSE, 0, 0); },
       &EventLog::closeRequests},
      {"OnTimer", [](HWND) {}, &EventLog::ticks},
  };
  for (const DestroyCase& row : cases) {
    EventLog log;
    const kvs::WindowDefinition definition{
        u"KVS probe short-lived", kvs::ShowState::Normal, {0, 0, 3000, 3000}, false, 100};
    std::unique_ptr<kvs::NativeWindow> window = platform.CreateNativeWindow(definition, log);
    HWND hwnd = HwndOf(*window);
    window->Show();
    log.reaction = [&] { window.reset(); };
    row.trigger(hwnd);
    PumpUntil(
        platform, [&] { return window == nullptr; }, 2000);
    Pump(platform, 300);  // three more timer periods: no tick may come
    checks.Expect(window == nullptr && !IsWindow(hwnd) && log.*row.counter == 1 && log.Total() == 1,
                  std::string("destroyed inside its own ") + row.name +
                      ": window gone, exactly one event, none after");
  }
}

// The loop ends right after the handler that closed the last window, even
// with input for another window still queued.
void CheckLoopStopsAtOnce(Checks& checks, kvs::Platform& platform) {
  EventLog closingLog;
  EventLog bystanderLog;
  const kvs::WindowDefinition definition{
      u"KVS probe loop", kvs::ShowState::Normal, {0, 0, 1500, 1500}, false, 0};
  std::unique_ptr<kvs::NativeWindow> closing = platform.CreateNativeWindow(definition, closingLog);
  std::unique_ptr<kvs::NativeWindow> bystander =
      platform.CreateNativeWindow(definition, bystanderLog);
  closingLog.reaction = [&] { closing.reset(); };
  PostMessageW(HwndOf(*closing), WM_KEYDOWN, 'Q', 1);
  PostMessageW(HwndOf(*bystander), WM_KEYDOWN, 'Q', 1);
  PumpUntil(
      platform, [&] { return closing == nullptr; }, 2000);
  checks.Expect(closing == nullptr && closingLog.keys == 1 && bystanderLog.keys == 0,
                "message loop: ends after the handler that closed the window, queued input "
                "for another window stays unhandled");
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
  }
}

}  // namespace

int wmain() {
  Checks checks("window_probe");
  kvs::Win32Platform platform;
  const Dpi dpi = ScreenDpi();
  std::printf("window_probe: screen %dx%d px at %d by %d dpi\n", GetSystemMetrics(SM_CXSCREEN),
              GetSystemMetrics(SM_CYSCREEN), dpi.x, dpi.y);

  EventLog backdropLog;
  EventLog videoLog;
  std::unique_ptr<kvs::NativeWindow> backdrop = platform.CreateNativeWindow(kBackdrop, backdropLog);
  std::unique_ptr<kvs::NativeWindow> video = platform.CreateNativeWindow(kVideo, videoLog);

  CheckCreation(checks, dpi, *backdrop, *video);
  CheckBackdropShown(checks, platform, *backdrop);
  CheckGeometry(checks, dpi, *video);
  CheckVideoShown(checks, dpi, *backdrop, *video);
  CheckTimer(checks, platform, backdropLog, videoLog);
  CheckCloseRequests(checks, platform, *video, videoLog);
  CheckKeys(checks, platform, *video, videoLog, backdropLog);
  CheckMouseMoves(checks, dpi, *video, videoLog);
  CheckClicks(checks, *video, videoLog);
  CheckWaitPointer(checks, *backdrop, *video);

  HWND videoHwnd = HwndOf(*video);
  const int ticks = videoLog.ticks;
  video.reset();
  checks.Expect(!IsWindow(videoHwnd), "video: destroying the object destroys the window");
  Pump(platform, 1500);
  checks.Expect(videoLog.ticks == ticks, "video: no tick after the window was destroyed");
  backdrop.reset();

  CheckDestroyedFromOwnEvent(checks, platform);
  CheckLoopStopsAtOnce(checks, platform);
  return checks.Finish();
}

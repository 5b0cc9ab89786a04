// Start-up per mode, shutdown and restoration of the system state.
#include "SaverFixture.h"

namespace kvs::test {
namespace {

const Calls kPreviewCalls = {
    "CreateWindow(Form1)",  "SystemParametersInfoA(17, 0, null, 0)",
    "ShowCursor(-1)",       "SystemParametersInfoA(17, 1, null, 0)",
    "DestroyWindow(Form1)",
};

TEST_F(SaverTest, EveryModeButRunClosesTheBackdropInsideItsLoadHandler) {
  const std::u16string commandLines[] = {u"KVSsaver.scr",    u"KVSsaver.scr /p 1234",
                                         u"KVSsaver.scr /P", u"KVSsaver.scr /c:1234",
                                         u"KVSsaver.scr -s", u"\"C:\\My Savers\\KVSsaver.scr\" /x"};
  for (const std::u16string& commandLine : commandLines) {
    SCOPED_TRACE(sim::Utf8(commandLine));
    sim::SimPlatform platform;
    platform.commandLine = commandLine;
    platform.screenSaverActive = false;  // the flag ends on whatever it was before
    RunSaver(platform);
    EXPECT_EQ(platform.calls, kPreviewCalls);
    EXPECT_FALSE(platform.messageLoopRan);
    EXPECT_EQ(platform.cursorCount, 1);
    EXPECT_TRUE(platform.screenSaverActive);
    EXPECT_TRUE(platform.device.Log().empty());
  }
}

TEST_F(SaverTest, RunModeShowsBackdropHidesCursorThenShowsVideoWindowAboveIt) {
  Start(u"KVSsaver.scr /S 123");
  const Calls calls = sim.TakeCalls();
  const Calls expectedStart = {
      "CreateWindow(Form1)",
      "SystemParametersInfoA(17, 0, null, 0)",
      "ShowWindow(Form1, maximized)",
      "ShowCursor(0)",
      "CreateWindow(DUZ Edav 1)",
      "SetTimer(DUZ Edav 1, 1000)",
      "SetWidth(DUZ Edav 1, 5000)",
      "SetHeight(DUZ Edav 1, 4000)",
      "SystemParametersInfoA(17, 0, null, 0)",
      "ShowWindow(DUZ Edav 1, normal)",
  };
  ASSERT_GE(calls.size(), expectedStart.size());
  EXPECT_EQ(Calls(calls.begin(), calls.begin() + static_cast<long>(expectedStart.size())),
            expectedStart);
  EXPECT_EQ(sim.VisibleStack(), (std::vector<std::u16string>{kBackdrop, kVideo}));
  EXPECT_EQ(sim.ActiveTitle(), kVideo);
  EXPECT_EQ(sim.cursorCount, -1);
  EXPECT_FALSE(sim.screenSaverActive);
  EXPECT_TRUE(windows.AnyOpen());
}

// Input on either window ends with both windows gone, the cursor count back
// where it was and the flag on; the order of the restoring calls follows the
// window that received the input.
TEST_F(SaverTest, DismissalRestoresTheSystemStateInTheOrderOfTheReceivingWindow) {
  struct Row {
    const char16_t* window;
    Calls closing;
  } rows[] = {
      {kBackdrop,
       {"mciSendStringA(Close VidClip, 127, 0)", "ShowCursor(-1)",
        "SystemParametersInfoA(17, 1, null, 0)", "DestroyWindow(Form1)",
        "SystemParametersInfoA(17, 1, null, 0)", "DestroyWindow(DUZ Edav 1)"}},
      {kVideo,
       {"mciSendStringA(Close VidClip, 127, 0)", "SystemParametersInfoA(17, 1, null, 0)",
        "DestroyWindow(DUZ Edav 1)", "ShowCursor(-1)", "SystemParametersInfoA(17, 1, null, 0)",
        "DestroyWindow(Form1)"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(sim::Utf8(row.window));
    sim::SimPlatform platform;
    platform.screenSaverActive = false;
    platform.Post(Click(row.window));
    platform.Post(Click(kBackdrop));  // already queued: never handled
    RunSaver(platform);
    const Calls& calls = platform.calls;
    ASSERT_GE(calls.size(), row.closing.size());
    EXPECT_EQ(Calls(calls.end() - static_cast<long>(row.closing.size()), calls.end()), row.closing);
    EXPECT_EQ(platform.cursorCount, 0);
    EXPECT_TRUE(platform.screenSaverActive);
    EXPECT_EQ(platform.Find(kBackdrop), nullptr);
    EXPECT_EQ(platform.Find(kVideo), nullptr);
  }
}

TEST_F(SaverTest, ClosingAWindowThatIsNotOpenDoesNothing) {
  Start();
  windows.ssaver2.Close();
  sim.TakeCalls();
  windows.ssaver2.Close();
  windows.ssaver2.Show();  // a closed window is never created again
  EXPECT_TRUE(sim.TakeCalls().empty());
  EXPECT_EQ(sim.Find(kVideo), nullptr);

  CloseSaver(windows.ssaver1);
  CloseSaver(windows.ssaver1);
  EXPECT_EQ(sim.TakeCalls(), (Calls{"ShowCursor(-1)", "SystemParametersInfoA(17, 1, null, 0)",
                                    "DestroyWindow(Form1)"}));
  EXPECT_EQ(sim.cursorCount, 0);
  EXPECT_FALSE(windows.AnyOpen());
}

TEST_F(SaverTest, NoTimerTickReachesTheVideoWindowAfterItClosed) {
  Start();
  sim.device.AdvanceFrames(200);
  windows.ssaver2.Close();
  sim.TakeCalls();
  sim.TickTimers();
  // A tick delivered to the window object directly (a message already queued) is ignored too.
  windows.ssaver2.OnTimer();
  EXPECT_TRUE(sim.TakeCalls().empty());
}

// A close request from outside (another program's WM_CLOSE, Alt+F4, log-off)
// ends the saver as a whole, not just the window it was sent to.
TEST_F(SaverTest, CloseRequestFromOutsideEndsTheWholeSaver) {
  for (const char16_t* window : {kBackdrop, kVideo}) {
    SCOPED_TRACE(sim::Utf8(window));
    sim::SimPlatform platform;
    platform.Post(CloseRequest(window));
    RunSaver(platform);
    EXPECT_EQ(platform.device.Commands().back(), "Close VidClip");
    EXPECT_EQ(platform.cursorCount, 0);
    EXPECT_TRUE(platform.screenSaverActive);
    EXPECT_TRUE(platform.VisibleStack().empty());
    EXPECT_EQ(std::count(platform.calls.begin(), platform.calls.end(), "ShowCursor(-1)"), 1);
  }
}

}  // namespace
}  // namespace kvs::test

// Dismissal on input: clicks and keys at once, mouse movement after the
// first position noted on that window.
#include "SaverFixture.h"

namespace kvs::test {
namespace {

class DismissalTest : public SaverTest {
 protected:
  void SetUp() override { Start(); }
  bool Running() const { return windows.AnyOpen(); }
};

// Each kind of input on each window: "Close VidClip" goes out on that
// window's channel before the first close, and that window closes first.
TEST_F(DismissalTest, EveryInputKindOnEitherWindowEndsTheSaver) {
  const std::vector<std::vector<sim::Event>> inputs = {
      {Click(kBackdrop)},
      {Key(kBackdrop)},
      {Move(kBackdrop, 150, 150), Move(kBackdrop, 165, 150)},
      {Click(kVideo)},
      {Key(kVideo)},
      {Move(kVideo, 150, 150), Move(kVideo, 150, 135)},
      {CloseRequest(kVideo)},
  };
  for (const auto& events : inputs) {
    const std::u16string& window = events.back().title;
    SCOPED_TRACE(sim::Utf8(window) + " kind " +
                 std::to_string(static_cast<int>(events.back().kind)));
    sim::SimPlatform platform;
    platform.device.AddFile("C:\\Saver\\kvscrtel.avi", {});
    SaverWindows saver(platform);
    saver.Start();
    platform.TakeCalls();
    for (const sim::Event& event : events) platform.Deliver(event);

    const Calls calls = platform.TakeCalls();
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls[0], "mciSendStringA(Close VidClip, 127, 0)");
    const std::string firstClosed = window == kVideo ? "DUZ Edav 1" : "Form1";
    const auto firstDestroy = std::find_if(calls.begin(), calls.end(), [](const std::string& c) {
      return c.starts_with("DestroyWindow");
    });
    EXPECT_EQ(*firstDestroy, "DestroyWindow(" + firstClosed + ")");
    const Window& receiver = window == kVideo ? static_cast<const Window&>(saver.ssaver2)
                                              : static_cast<const Window&>(saver.ssaver1);
    EXPECT_EQ(receiver.mci.mciCommand, u"Close VidClip");
    EXPECT_FALSE(platform.device.Clip().has_value());  // the device was closed
    EXPECT_FALSE(saver.AnyOpen());
    EXPECT_EQ(platform.cursorCount, 0);
  }
}

// Events at (0, 0), (0, 15), (0, 15), (30, 15): the first leaves the position
// unset, the second notes it, the third lies on it, the fourth dismisses.
TEST_F(DismissalTest, FirstMovementOnlyNotesThePosition) {
  sim.Deliver(Move(kVideo, 0, 0));
  EXPECT_EQ(windows.ssaver2.lastX, 0.0f);
  sim.Deliver(Move(kVideo, 0, 15));
  EXPECT_TRUE(Running());
  EXPECT_EQ(windows.ssaver2.lastY, 15.0f);
  for (int repeat = 0; repeat < 5; ++repeat) sim.Deliver(Move(kVideo, 0, 15));
  EXPECT_TRUE(Running());
  sim.Deliver(Move(kVideo, 30, 15));
  EXPECT_FALSE(Running());
}

TEST_F(DismissalTest, PositionWithOneCoordinateZeroCountsAsNoted) {
  sim.Deliver(Move(kBackdrop, 0, 300));
  EXPECT_TRUE(Running());
  sim.Deliver(Move(kBackdrop, 15, 300));
  EXPECT_FALSE(Running());
}

// Each window notes its own first movement: a pointer that moves from the
// backdrop onto the video window is noted again there.
TEST_F(DismissalTest, EachWindowNotesItsOwnFirstMovement) {
  sim.Deliver(Move(kBackdrop, 3000, 3000));
  sim.Deliver(Move(kVideo, 450, 450));
  EXPECT_TRUE(Running());
  EXPECT_EQ(windows.ssaver2.lastX, 450.0f);
  EXPECT_EQ(windows.ssaver1.lastX, 3000.0f);
  sim.Deliver(Move(kVideo, 465, 450));  // one pixel further
  EXPECT_FALSE(Running());
}

TEST_F(DismissalTest, ClickWithoutMovementEndsTheSaverWhenTheClipNeverOpened) {
  sim::SimPlatform platform;  // no clip file at all
  SaverWindows saver(platform);
  saver.Start();
  platform.Deliver(Click(kBackdrop));
  EXPECT_FALSE(saver.AnyOpen());
  EXPECT_NE(platform.device.Log().back().result, 0);
  EXPECT_EQ(platform.device.Log().back().command, "Close VidClip");
  EXPECT_TRUE(platform.screenSaverActive);
}

}  // namespace
}  // namespace kvs::test

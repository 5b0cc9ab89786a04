// The Timer1 tick: poll the position, restart the clip from frame 0 at 180.
#include "SaverFixture.h"

namespace kvs::test {
namespace {

const std::vector<std::string> kStatusOnly = {"Status Vidclip Position"};
const std::vector<std::string> kRestart = {"Status Vidclip Position", "play VidClip From 0"};

class PlaybackLoopTest : public SaverTest {
 protected:
  // MCI commands sent by one tick after the clip has played on by `frames`.
  std::vector<std::string> TickAfter(int frames) {
    sim.device.AdvanceFrames(frames);
    const std::size_t before = sim.device.Log().size();
    sim.TickTimers();
    const auto commands = sim.device.Commands();
    return {commands.begin() + static_cast<long>(before), commands.end()};
  }
};

TEST_F(PlaybackLoopTest, RestartsOnceThePositionHasReached180) {
  const struct {
    int position;
    std::vector<std::string> sent;
  } rows[] = {
      {0, kStatusOnly}, {179, kStatusOnly}, {180, kRestart}, {181, kRestart}, {299, kRestart}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.position);
    sim::SimPlatform platform;
    platform.device.AddFile("C:\\Saver\\kvscrtel.avi", {320, 240, 300});
    SaverWindows saver(platform);
    saver.Start();
    platform.device.AdvanceFrames(row.position);
    const std::size_t before = platform.device.Log().size();
    platform.TickTimers();
    const auto commands = platform.device.Commands();
    EXPECT_EQ(
        std::vector<std::string>(commands.begin() + static_cast<long>(before), commands.end()),
        row.sent);
  }
}

TEST_F(PlaybackLoopTest, LoopsOverAndOverAndLeavesTheWindowsChannelAlone) {
  Start();
  const MciChannel startup = windows.ssaver2.mci;
  EXPECT_EQ(TickAfter(190), kRestart);
  EXPECT_EQ(sim.device.Clip()->position, 0);
  EXPECT_EQ(TickAfter(15), kStatusOnly);  // the next tick reads a small position
  EXPECT_EQ(TickAfter(170), kRestart);
  EXPECT_EQ(windows.ssaver2.mci.mciCommand, startup.mciCommand);
  EXPECT_EQ(windows.ssaver2.mci.mciReply.Text(), startup.mciReply.Text());
  EXPECT_EQ(windows.ssaver2.mci.mciResult, startup.mciResult);
}

TEST_F(PlaybackLoopTest, ClipShorterThan180FramesPlaysOnceAndRests) {
  sim.device.AddFile("C:\\Saver\\kvscrtel.avi", {320, 240, 150});
  Start();
  for (int second = 0; second < 5; ++second) EXPECT_EQ(TickAfter(15), kStatusOnly);
  EXPECT_EQ(TickAfter(1000), kStatusOnly);
  EXPECT_EQ(sim.device.Clip()->position, 150);
  EXPECT_FALSE(sim.device.Clip()->playing);
}

// A reply that is not a number is "not reached": nothing is restarted and
// the saver runs on.
TEST_F(PlaybackLoopTest, ReplyThatIsNoNumberSendsNoRestart) {
  const char* replies[] = {"", "playing", "180 frames", "1e3", " 200x"};
  for (const char* reply : replies) {
    SCOPED_TRACE(reply);
    sim::SimPlatform platform;
    platform.device.AddFile("C:\\Saver\\kvscrtel.avi", {});
    SaverWindows saver(platform);
    saver.Start();
    platform.device.Script("status", 0, std::string(reply));
    platform.device.AdvanceFrames(250);
    const std::size_t before = platform.device.Log().size();
    platform.TickTimers();
    EXPECT_EQ(platform.device.Log().size(), before + 1);
    EXPECT_TRUE(saver.AnyOpen());
  }
}

TEST_F(PlaybackLoopTest, ClipThatNeverOpenedIsPolledButNeverRestarted) {
  sim.programDirectory = u"D:\\Empty";
  Start();
  for (int second = 0; second < 3; ++second) EXPECT_EQ(TickAfter(100), kStatusOnly);
  EXPECT_TRUE(windows.AnyOpen());
}

}  // namespace
}  // namespace kvs::test

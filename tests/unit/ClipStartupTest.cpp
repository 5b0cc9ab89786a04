// The video window's start-up: window geometry and the five MCI commands.
#include "SaverFixture.h"

namespace kvs::test {
namespace {

std::vector<std::string> Expected(const std::string& openCommand, std::int32_t handle,
                                  const std::string& placement) {
  return {openCommand, "Window VidClip handle " + std::to_string(handle),
          "Where VidClip destination", placement, "Play VidClip From 0"};
}

TEST_F(SaverTest, SendsTheFiveCommandsInOrderOnTheVideoWindowsChannel) {
  struct Row {
    const char* why;
    std::u16string directory;
    sim::ClipFile clip;
    std::string placement;
  } rows[] = {
      {"clip of 320 by 240",
       u"C:\\Saver",
       {320, 240, 300},
       "Put VidClip destination at  0  0 320 240"},
      {"odd-sized clip", u"C:\\Saver", {177, 93, 300}, "Put VidClip destination at  0  0 177 93"},
      {"folder with blanks",
       u"C:\\Program Files\\My Savers",
       {320, 240, 300},
       "Put VidClip destination at  0  0 320 240"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.why);
    sim::SimPlatform platform;
    platform.programDirectory = row.directory;
    const std::string path = sim::Utf8(row.directory) + "\\kvscrtel.avi";
    platform.device.AddFile(path, row.clip);
    SaverWindows saver(platform);
    saver.Start();

    const std::int32_t handle = platform.Find(kVideo)->Handle();
    EXPECT_EQ(platform.device.Commands(),
              Expected("Open \"" + path + "\" alias VidClip", handle, row.placement));
    EXPECT_EQ(platform.mciReplySizes, std::vector<std::uint32_t>(5, 127));
    EXPECT_EQ(saver.ssaver2.mci.mciCommand, u"Play VidClip From 0");
    EXPECT_EQ(saver.ssaver2.clip.clipWidth, row.clip.width);
    EXPECT_EQ(saver.ssaver2.clip.clipHeight, row.clip.height);
    EXPECT_EQ(saver.ssaver2.clip.clipLeft, 0);
    EXPECT_EQ(saver.ssaver2.clip.clipTop, 0);
    EXPECT_EQ(saver.ssaver1.mci.mciCommand, u"");  // the backdrop's channel is not used
    // The device really plays into the window at the size it reported.
    const auto& open = platform.device.Clip();
    ASSERT_TRUE(open.has_value());
    EXPECT_TRUE(open->playing);
    EXPECT_EQ(open->windowHandle, handle);
  }
}

// Sized, flag off again, shown, hourglass, then centred from the size read
// back from the window (5000 x 4000 twips snap to 333 x 267 pixels).
TEST_F(SaverTest, SizesShowsAndCentresTheWindowBeforeOpeningTheClip) {
  Start();
  Calls calls = sim.TakeCalls();
  const auto first = std::find(calls.begin(), calls.end(), "SetWidth(DUZ Edav 1, 5000)");
  ASSERT_NE(first, calls.end());
  EXPECT_EQ(Calls(first, first + 9),
            (Calls{"SetWidth(DUZ Edav 1, 5000)", "SetHeight(DUZ Edav 1, 4000)",
                   "SystemParametersInfoA(17, 0, null, 0)", "ShowWindow(DUZ Edav 1, normal)",
                   "SetWaitPointer(DUZ Edav 1)", "SetTop(DUZ Edav 1, 3757.5)",
                   "SetLeft(DUZ Edav 1, 5182.5)",
                   "mciSendStringA(Open \"C:\\Saver\\kvscrtel.avi\" alias VidClip, 127, 0)",
                   "mciSendStringA(Window VidClip handle " +
                       std::to_string(sim.Find(kVideo)->Handle()) + ", 127, 0)"}));
}

TEST_F(SaverTest, ScreenSmallerThanTheWindowGivesNegativeEdges) {
  sim.screen = {3000, 2000};
  Start();
  const sim::SimWindow* video = sim.Find(kVideo);
  EXPECT_FLOAT_EQ(video->rect.left, 1500 - 4995 / 2.0f);
  EXPECT_FLOAT_EQ(video->rect.top, 1000 - 4005 / 2.0f);
}

// Without the clip every command fails; the placement reads no numbers and
// the window stays up, empty, until input ends the saver.
TEST_F(SaverTest, MissingClipLeavesAnEmptyWindowRunning) {
  sim.programDirectory = u"D:\\Elsewhere";
  Start();
  const std::vector<sim::SimMciDevice::Exchange>& log = sim.device.Log();
  ASSERT_EQ(log.size(), 5u);
  EXPECT_EQ(log[3].command, "Put VidClip destination at  0  0 0 0");
  for (const auto& exchange : log) EXPECT_NE(exchange.result, 0) << exchange.command;
  EXPECT_NE(sim.Find(kVideo), nullptr);
  EXPECT_TRUE(windows.AnyOpen());

  for (int tick = 0; tick < 3; ++tick) sim.TickTimers();
  EXPECT_TRUE(windows.AnyOpen());
  sim.Deliver(Key(kVideo));
  EXPECT_FALSE(windows.AnyOpen());
  EXPECT_EQ(sim.cursorCount, 0);
}

// Replies the device should never give must not stop the saver: a missing
// number and one that does not fit 16 bits both read as 0.
TEST_F(SaverTest, DestinationReplyOutOfRangeReadsAsZero) {
  struct Row {
    const char* reply;
    std::string placement;
  } rows[] = {
      {"0 0 99999 240", "Put VidClip destination at  0  0 0 240"},
      {"0 0 320 -40000", "Put VidClip destination at  0  0 320 0"},
      {"0 0 320", "Put VidClip destination at  0  0 320 0"},
      {"0 0 -5 -7", "Put VidClip destination at  2  3 -5 -7"},
      {"0 0 -32768 240", "Put VidClip destination at  16383  0 -32768 240"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.reply);
    sim::SimPlatform platform;
    platform.device.AddFile("C:\\Saver\\kvscrtel.avi", {});
    platform.device.Script("where", 0, row.reply);
    SaverWindows saver(platform);
    saver.Start();
    ASSERT_EQ(platform.device.Commands().size(), 5u);
    EXPECT_EQ(platform.device.Commands()[3], row.placement);
    EXPECT_TRUE(saver.AnyOpen());
  }
}

// MCI reads ANSI text: a folder the code page cannot hold is named by its
// short path when it has one.
TEST_F(SaverTest, FolderOutsideTheAnsiCodePageIsOpenedByItsShortPath) {
  struct Row {
    std::u16string shortPath;
    std::string open;
  } rows[] = {
      {u"C:\\SAVERS~1", "Open \"C:\\SAVERS~1\\kvscrtel.avi\" alias VidClip"},
      {u"", "Open \"C:\\????????\\kvscrtel.avi\" alias VidClip"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.open);
    sim::SimPlatform platform;
    platform.programDirectory = u"C:\\Заставки";
    platform.shortDirectory = row.shortPath;
    SaverWindows saver(platform);
    saver.Start();
    EXPECT_EQ(platform.device.Commands().front(), row.open);
  }
}

}  // namespace
}  // namespace kvs::test

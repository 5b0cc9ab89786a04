// The video window's load handler.
#include "playback/ClipStartup.h"

#include <algorithm>
#include <limits>

#include "mci/NumberText.h"
#include "mci/ReplyText.h"
#include "windows/VideoWindow.h"

namespace kvs {

namespace {

constexpr float kWindowWidth = 5000;  // twips
constexpr float kWindowHeight = 4000;

// The folder the clip is opened from. MCI takes ANSI text, so a folder the
// ANSI code page cannot represent is given by its short (8.3) path when it has
// one; otherwise the open would name a folder that does not exist.
std::u16string ClipDirectory(Platform& platform) {
  std::u16string directory = platform.ProgramDirectory();
  if (platform.FromAnsi(platform.ToAnsi(directory)) == directory) return directory;
  std::u16string shortPath = platform.ShortPath(directory);
  return shortPath.empty() ? directory : shortPath;
}

// A width or height word of the destination reply. A number that does not
// fit 16 bits reads as 0, like a missing one.
std::int16_t ReadDimension(const std::u16string& word) {
  return RoundToInt16(LeadingNumber(word)).value_or(0);
}

// prior - measured as a 16-bit value, held at the ends of the range.
std::int16_t Difference(std::int16_t prior, std::int16_t measured) {
  const int difference = prior - measured;
  return static_cast<std::int16_t>(std::clamp<int>(difference,
                                                   std::numeric_limits<std::int16_t>::min(),
                                                   std::numeric_limits<std::int16_t>::max()));
}

std::int16_t CentringOffset(std::int16_t prior, std::int16_t measured) {
  return static_cast<std::int16_t>(Larger(0, Difference(prior, measured)) / 2);
}

void Send(MciChannel& mci, Platform& platform, std::u16string command) {
  mci.mciCommand = std::move(command);
  SendMciCommand(mci, platform);
}

void CentreOnScreen(NativeWindow& native, TwipsSize screen) {
  native.SetTop(screen.height / 2 - native.Height() / 2);
  native.SetLeft(screen.width / 2 - native.Width() / 2);
}

// Reads the destination reply "left top width height" word by word, writing
// each remainder back into the reply buffer; the third and fourth words are
// the clip's width and height.
void MeasureClip(MciChannel& mci, ClipGeometry& clip) {
  for (int index = 0; index < 4; ++index) {
    std::u16string working = mci.mciReply.Text();
    const std::u16string word = NextWord(working);
    mci.mciReply.Store(working);
    if (index == 2) clip.clipWidth = ReadDimension(word);
    if (index == 3) clip.clipHeight = ReadDimension(word);
  }
}

}  // namespace

void StartClip(VideoWindow& window) {
  Platform& platform = window.platform();
  NativeWindow& native = window.native();
  MciChannel& mci = window.mci;
  ClipGeometry& clip = window.clip;

  native.SetWidth(kWindowWidth);
  native.SetHeight(kWindowHeight);
  platform.SetScreenSaverActive(false);
  window.Show();
  native.SetWaitPointer();
  CentreOnScreen(native, platform.ScreenSize());

  clip.priorWidth = clip.clipWidth;
  clip.priorHeight = clip.clipHeight;

  // The path is quoted: unquoted, MCI would end the file name at the first
  // blank. Windows paths cannot hold a double quote, so quoting is safe.
  Send(mci, platform, u"Open \"" + ClipDirectory(platform) + u"\\kvscrtel.avi\" alias VidClip");
  Send(mci, platform, u"Window VidClip handle " + PlainDecimal(native.Handle()));
  Send(mci, platform, u"Where VidClip destination");
  MeasureClip(mci, clip);

  clip.clipLeft = CentringOffset(clip.priorWidth, clip.clipWidth);
  clip.clipTop = CentringOffset(clip.priorHeight, clip.clipHeight);

  mci.mciCommand = u"Put VidClip destination at " + BlankLedDecimal(clip.clipLeft) + u" " +
                   BlankLedDecimal(clip.clipTop);
  Send(mci, platform,
       mci.mciCommand + u" " + PlainDecimal(clip.clipWidth) + u" " + PlainDecimal(clip.clipHeight));
  Send(mci, platform, u"Play VidClip From 0");
}

}  // namespace kvs

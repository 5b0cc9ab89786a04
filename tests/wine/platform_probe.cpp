// platform_probe.exe <argument>: checks the parts of Win32Platform that are
// not windows against what Windows itself reports: ANSI conversion, command
// line, program directory, short paths, screen size, the screen-saver flag,
// the cursor display count and the MCI binding.
#include <windows.h>

#include <string>

#include "ProbeChecks.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Platform.h"

namespace {

using kvs::probe::Checks;
using kvs::probe::Printable;

std::string Bytes(const std::string& text) {
  std::string shown;
  for (char c : text) {
    char hex[4];
    std::snprintf(hex, sizeof(hex), "%02X ", static_cast<unsigned>(static_cast<unsigned char>(c)));
    shown += hex;
  }
  return shown;
}

void CheckAnsiConversion(Checks& checks, kvs::Win32Platform& platform) {
  // A reply area as MCI leaves it: the reply, its NUL, and older text behind.
  std::u16string area(u"0 0 320 240");
  area += u'\0';
  area.resize(128, u'x');
  const std::string ansi = platform.ToAnsi(area);
  checks.Expect(ansi.size() == 128 && ansi[11] == '\0' && ansi.substr(0, 11) == "0 0 320 240" &&
                    ansi.find_first_not_of('x', 12) == std::string::npos,
                "ToAnsi keeps all 128 characters, the NUL and the tail behind it",
                "size " + std::to_string(ansi.size()));
  checks.Expect(platform.FromAnsi(ansi) == area,
                "FromAnsi gives back all 128 characters, the NUL and the tail included");
  checks.Expect(platform.ToAnsi(u"").empty() && platform.FromAnsi("").empty(),
                "empty texts stay empty both ways");

  CPINFO codePage{};
  GetCPInfo(CP_ACP, &codePage);
  const std::string expected = std::string("a") + static_cast<char>(codePage.DefaultChar[0]) + "b";
  const std::string converted = platform.ToAnsi(u"a\u4E2Db");
  checks.Expect(codePage.MaxCharSize != 1 || converted == expected,
                "a character outside code page " + std::to_string(GetACP()) +
                    " becomes its default character",
                "bytes " + Bytes(converted));
}

void CheckProcessTexts(Checks& checks, kvs::Win32Platform& platform, const wchar_t* argument) {
  const std::u16string commandLine = platform.CommandLine();
  const std::u16string expectedEnd = kvs::ToUtf16(argument);
  checks.Expect(commandLine.size() > expectedEnd.size() && commandLine.ends_with(expectedEnd) &&
                    commandLine.find(u"platform_probe") != std::u16string::npos,
                "CommandLine holds the program and its argument", Printable(commandLine));

  std::wstring module(32768, L'\0');
  module.resize(GetModuleFileNameW(nullptr, module.data(), static_cast<DWORD>(module.size())));
  const std::u16string directory = platform.ProgramDirectory();
  const std::u16string expected = kvs::ToUtf16(module.substr(0, module.find_last_of(L'\\')));
  checks.Expect(!directory.empty() && directory == expected && directory.back() != u'\\',
                "ProgramDirectory is the executable's folder without a trailing backslash (" +
                    std::to_string(directory.size()) + " characters)",
                Printable(directory));

  const std::u16string shortDirectory = platform.ShortPath(directory);
  const DWORD attributes = GetFileAttributesW(kvs::ToWide(shortDirectory).c_str());
  checks.Expect(!shortDirectory.empty() && attributes != INVALID_FILE_ATTRIBUTES &&
                    (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                "ShortPath of the program folder names that folder", Printable(shortDirectory));

  // A folder with blanks and a long name gets an 8.3 name without blanks.
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring longFolder = std::wstring(temp) + L"KVS probe folder with blanks";
  CreateDirectoryW(longFolder.c_str(), nullptr);
  const std::u16string shortFolder = platform.ShortPath(kvs::ToUtf16(longFolder));
  const std::u16string lastPart = shortFolder.substr(shortFolder.find_last_of(u'\\') + 1);
  checks.Expect(
      !shortFolder.empty() && lastPart.find(u' ') == std::u16string::npos && lastPart.size() <= 12,
      "ShortPath turns a long name with blanks into an 8.3 name", Printable(shortFolder));
  RemoveDirectoryW(longFolder.c_str());

  checks.Expect(platform.ShortPath(u"C:\\no such folder\\kvscrtel.avi").empty(),
                "ShortPath of a path that does not exist is empty");
}

void CheckScreenSize(Checks& checks, kvs::Win32Platform& platform) {
  HDC screen = GetDC(nullptr);
  const int dpiX = GetDeviceCaps(screen, LOGPIXELSX);
  const int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  const kvs::TwipsSize size = platform.ScreenSize();
  checks.Expect(size.width == static_cast<float>(width) * 1440.0f / static_cast<float>(dpiX) &&
                    size.height == static_cast<float>(height) * 1440.0f / static_cast<float>(dpiY),
                "ScreenSize is the screen in twips at " + std::to_string(dpiX) + " by " +
                    std::to_string(dpiY) + " dpi",
                std::to_string(width) + "x" + std::to_string(height) + " px -> " +
                    std::to_string(size.width) + " x " + std::to_string(size.height) + " twips");
}

bool ScreenSaverActive() {
  BOOL active = FALSE;
  SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &active, 0);
  return active != FALSE;
}

// The cursor display count, read without changing it.
int CursorCount() {
  const int raised = ::ShowCursor(TRUE);
  ::ShowCursor(FALSE);
  return raised - 1;
}

void CheckSystemState(Checks& checks, kvs::Win32Platform& platform) {
  platform.SetScreenSaverActive(false);
  const bool afterOff = ScreenSaverActive();
  platform.SetScreenSaverActive(true);
  const bool afterOn = ScreenSaverActive();
  checks.Expect(!afterOff && afterOn, "SetScreenSaverActive switches the system flag off and on");

  const int start = CursorCount();
  platform.ShowCursor(false);
  const int hidden = CursorCount();
  platform.ShowCursor(true);
  const int shown = CursorCount();
  checks.Expect(
      hidden == start - 1 && shown == start,
      "ShowCursor lowers and raises the cursor display count by one",
      std::to_string(start) + " -> " + std::to_string(hidden) + " -> " + std::to_string(shown));
}

void CheckMciBinding(Checks& checks, kvs::Win32Platform& platform) {
  std::string reply(128, 'x');
  const std::int32_t result = platform.SendMciString("sysinfo all quantity", reply.data(), 127, 0);
  const std::size_t end = reply.find('\0');
  const std::string answer = reply.substr(0, end);
  checks.Expect(result == 0 && end != std::string::npos && !answer.empty() &&
                    answer.find_first_not_of("0123456789") == std::string::npos &&
                    reply.find_first_not_of('x', end + 1) == std::string::npos,
                "SendMciString reaches winmm's mciSendStringA and leaves the area behind the "
                "reply alone",
                "result " + std::to_string(result) + ", reply \"" + answer + "\"");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fputs("usage: platform_probe <argument>\n", stderr);
    return 2;
  }
  Checks checks("platform_probe");
  kvs::Win32Platform platform;
  CheckAnsiConversion(checks, platform);
  CheckProcessTexts(checks, platform, argv[1]);
  CheckScreenSize(checks, platform);
  CheckSystemState(checks, platform);
  CheckMciBinding(checks, platform);
  return checks.Finish();
}

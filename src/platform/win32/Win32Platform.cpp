// The Platform on Win32: user32, kernel32 and winmm's mciSendStringA.
#include "platform/win32/Win32Platform.h"

#include "platform/win32/PixelScale.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Window.h"

namespace kvs {

namespace {

constexpr std::size_t kLongestModulePath = 32768;

// Loads a DLL from the system folder only, never from the program's folder,
// so that a DLL planted beside the program is not picked up.
HMODULE LoadSystemLibrary(const wchar_t* name) {
  HMODULE module = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (module != nullptr || GetLastError() != ERROR_INVALID_PARAMETER) return module;

  // Windows 7 without update KB2533623 lacks the flag: name the system folder itself.
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  std::wstring path(folder, length);
  path += L'\\';
  path += name;
  return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

int LengthOf(std::size_t size) { return static_cast<int>(size); }

}  // namespace

std::string Win32Platform::ToAnsi(std::u16string_view text) {
  if (text.empty()) return {};
  const std::wstring wide = ToWide(text);
  const int wideLength = LengthOf(wide.size());
  const int length =
      WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string ansi(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, ansi.data(), length, nullptr, nullptr);
  return ansi;
}

std::u16string Win32Platform::FromAnsi(std::string_view text) {
  if (text.empty()) return {};
  const int ansiLength = LengthOf(text.size());
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), ansiLength, nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), ansiLength, wide.data(), length);
  return ToUtf16(wide);
}

Win32Platform::MciSendStringFunction Win32Platform::MciSendString() {
  if (mciLookedUp_) return mciSendString_;
  mciLookedUp_ = true;
  HMODULE winmm = LoadSystemLibrary(L"winmm.dll");
  if (winmm == nullptr) return nullptr;
  // Through void (*)(): the one function pointer type that converts without a cast warning.
  mciSendString_ = reinterpret_cast<MciSendStringFunction>(
      reinterpret_cast<void (*)()>(GetProcAddress(winmm, "mciSendStringA")));
  return mciSendString_;
}

std::int32_t Win32Platform::SendMciString(const char* command, char* reply, std::uint32_t replySize,
                                          std::uintptr_t notifyWindow) {
  MciSendStringFunction send = MciSendString();
  if (send == nullptr) return kMciUnavailable;
  return static_cast<std::int32_t>(
      send(command, reply, replySize, reinterpret_cast<HWND>(notifyWindow)));
}

void Win32Platform::SetScreenSaverActive(bool active) {
  SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, active ? 1 : 0, nullptr, 0);
}

void Win32Platform::ShowCursor(bool show) {
  ::ShowCursor(show ? -1 : FALSE);  // TRUE is passed with all bits set
}

std::u16string Win32Platform::CommandLine() {
  const wchar_t* commandLine = GetCommandLineW();
  if (commandLine == nullptr) return {};
  return ToUtf16(commandLine);
}

std::u16string Win32Platform::ProgramDirectory() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    // A full buffer means the path was cut: try again with a larger one.
    if (path.size() >= kLongestModulePath) return {};
    path.resize(path.size() * 2);
  }
  const std::size_t separator = path.find_last_of(L"\\/");
  if (separator == std::wstring::npos) return {};
  path.resize(separator);
  return ToUtf16(path);
}

std::u16string Win32Platform::ShortPath(std::u16string_view path) {
  const std::wstring longPath = ToWide(path);
  // Asked with too small a buffer, the call answers the size it needs, NUL included.
  DWORD size = GetShortPathNameW(longPath.c_str(), nullptr, 0);
  while (size != 0) {
    std::wstring shortPath(size, L'\0');
    const DWORD length = GetShortPathNameW(longPath.c_str(), shortPath.data(), size);
    if (length == 0) return {};
    if (length < size) {
      shortPath.resize(length);
      return ToUtf16(shortPath);
    }
    size = length;
  }
  return {};
}

TwipsSize Win32Platform::ScreenSize() {
  const PixelScale scale = PixelScale::OfScreen();
  return {scale.XToTwips(GetSystemMetrics(SM_CXSCREEN)),
          scale.YToTwips(GetSystemMetrics(SM_CYSCREEN))};
}

std::unique_ptr<NativeWindow> Win32Platform::CreateNativeWindow(const WindowDefinition& definition,
                                                                WindowEvents& events) {
  return Win32Window::Create(definition, events);
}

void Win32Platform::RunMessageLoop(const std::function<bool()>& anyWindowOpen) {
  // Asked again after every message, so the loop ends as soon as a handler
  // has closed the last window, whatever input is still queued.
  MSG message;
  while (anyWindowOpen() && GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
}

}  // namespace kvs

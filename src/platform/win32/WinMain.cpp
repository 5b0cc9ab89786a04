// The process entry of KVSsaver.scr.
#include <windows.h>

#include "lifecycle/Saver.h"
#include "platform/win32/Win32Platform.h"

namespace {

// DLLs that the process loads later come from the system folder only, not
// from the program's folder or the current directory. Older Windows lacks
// the function; there the lookups of Win32Platform still name the system folder.
void RestrictDllSearchToSystemFolder() {
  using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD flags);
  HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
  if (kernel32 == nullptr) return;
  auto setDefaultDllDirectories = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
      reinterpret_cast<void (*)()>(GetProcAddress(kernel32, "SetDefaultDllDirectories")));
  if (setDefaultDllDirectories != nullptr) setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  RestrictDllSearchToSystemFolder();
  kvs::Win32Platform platform;
  kvs::RunSaver(platform);
  return 0;
}

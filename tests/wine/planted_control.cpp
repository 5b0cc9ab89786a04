// Control for the planted-DLL test: loads winmm.dll the careless way, by a
// plain LoadLibraryW that searches the program's folder first. Run from
// planted/ with the native DLL preferred, it must reach the fake one
// (exit 0); otherwise the planted test could pass without proving anything.
#include <windows.h>

#include <cstdio>
#include <cstring>

int wmain() {
  HMODULE winmm = LoadLibraryW(L"winmm.dll");
  if (winmm == nullptr) {
    std::puts("planted_control: winmm.dll did not load");
    return 1;
  }
  using MciSendStringFunction = DWORD(WINAPI*)(LPCSTR, LPSTR, UINT, HWND);
  auto send = reinterpret_cast<MciSendStringFunction>(
      reinterpret_cast<void (*)()>(GetProcAddress(winmm, "mciSendStringA")));
  if (send == nullptr) {
    std::puts("planted_control: no mciSendStringA");
    return 1;
  }
  char reply[128] = "";
  const DWORD result = send("sysinfo all quantity", reply, sizeof(reply) - 1, nullptr);
  std::printf("planted_control: reply \"%s\", result %lu\n", reply, result);
  return std::strcmp(reply, "PLANTED") == 0 ? 0 : 1;
}

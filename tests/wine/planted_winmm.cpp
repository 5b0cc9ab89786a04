// A fake winmm.dll for the planted-DLL test: its mciSendStringA answers
// "PLANTED" to every command, so a probe that loaded it would show it.
#include <windows.h>

#include <cstring>

extern "C" __declspec(dllexport) DWORD WINAPI
    mciSendStringA(LPCSTR, LPSTR reply, UINT replySize, HWND) {
  constexpr char kAnswer[] = "PLANTED";
  if (reply != nullptr && replySize >= sizeof(kAnswer))
    std::memcpy(reply, kAnswer, sizeof(kAnswer));
  return 0;
}

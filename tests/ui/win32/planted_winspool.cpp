// A winspool.drv as an attacker would leave it beside a program: it only
// says that it was loaded, in the environment of the process that loaded it.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        SetEnvironmentVariableW(L"QUILLON_PLANTED_DLL", L"loaded");
    return TRUE;
}

// Reaching the system safely on every Windows from 7 SP1 on: DLLs from the
// system folder only, and calls that older systems lack found at run time
// (imported, they would stop Quillon.exe from starting at all there).
#pragma once

#include <windows.h>

namespace quillon::ui::win32 {

// From now on the process loads DLLs from the system folder (and by full
// path) only, never from the program's own folder, so that a DLL lying
// beside a Quillon.exe unpacked into Downloads is not run. Where the system
// cannot (Windows 7 without update KB2533623) it changes nothing.
void loadDllsFromSystemFolderOnly();

// A DLL of the system, from the system folder only; null when it is not
// there.
//   loadSystemLibrary(L"winspool.drv") -> C:\Windows\System32\winspool.drv
HMODULE loadSystemLibrary(const wchar_t* name);

// A call of a loaded DLL as a pointer of its own type, null where the DLL
// lacks it.
//   findCall<decltype(&GetDpiForWindow)>(user32, "GetDpiForWindow")
template <typename Call> Call findCall(HMODULE module, const char* name)
{
    return module ? reinterpret_cast<Call>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

// The DPI of the screen the system lays windows out for (LOGPIXELSX).
UINT systemDpi();

// A window's DPI: its monitor's where the system says (Windows 10 1607 and
// later), else the system's.
UINT dpiOfWindow(HWND window);

} // namespace quillon::ui::win32

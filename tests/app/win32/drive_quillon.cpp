// drive_quillon: works a running Quillon.exe from outside, as a user at the
// keyboard and mouse would, for the end-to-end test (quillon_exe_test.sh).
// Each call does one thing and prints what it read, UTF-8, one line each:
//
//   drive_quillon window              waits for the window; prints its client size
//   drive_quillon type NAME TEXT      types TEXT into a box ("Text1", "Combo1")
//   drive_quillon choose INDEX        picks a belt type from Combo1's list
//   drive_quillon press NAME          clicks a button and waits until it is done
//   drive_quillon click NAME          clicks a button that may open a modal box
//   drive_quillon close               clicks the close box
//   drive_quillon boxes               prints "NAME<tab>text<tab>left<tab>top<tab>right
//                                     <tab>bottom" for every control, in client pixels
//   drive_quillon warning [SECONDS]   waits for a message box of the window,
//                                     prints its text and answers it (OK)
//   drive_quillon no-warning SECONDS  fails if a message box shows within SECONDS
//   drive_quillon resolution X Y      sets the default printer's resolution in
//                                     the user's printing preferences
//   drive_quillon shortcut LINK       prints the program a shortcut (.lnk) starts
// (the last two need no window)
//
// Status 0 when the step was done, 1 when it was not (what is missing goes to
// standard error).
#include "ui/controls.h"
#include "ui/texts.h"
#include "ui/win32/Form1.h"
#include "ui/win32/text.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>
// windows.h before these
#include <shlobj.h>
#include <winspool.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

using namespace quillon::ui;
using namespace quillon::ui::win32;

namespace {

using Clock = std::chrono::steady_clock;

void say(const std::string& line)
{
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
}

int fail(const std::string& why)
{
    std::fprintf(stderr, "drive_quillon: %s\n", why.c_str());
    return 1;
}

// Polls `found` every 50 ms until it gives a window or the time is up.
template <typename Find> HWND waitFor(Find found, double seconds)
{
    const auto end = Clock::now() + std::chrono::duration<double>(seconds);
    do {
        if (HWND window = found())
            return window;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    } while (Clock::now() < end);
    return nullptr;
}

HWND findForm()
{
    HWND form = FindWindowW(L"QuillonForm1", wide(kWindowTitle).c_str());
    return form && IsWindowVisible(form) ? form : nullptr;
}

// A message box the window owns, titled as the window is.
HWND findMessageBox(HWND form)
{
    HWND box = FindWindowW(L"#32770", wide(kWindowTitle).c_str());
    return box && GetWindow(box, GW_OWNER) == form && IsWindowVisible(box) ? box : nullptr;
}

// A window's text, asked of the window itself: GetWindowText gives another
// process's controls as empty.
std::string textOf(HWND window)
{
    std::wstring text(static_cast<std::size_t>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return utf8(text);
}

HWND control(HWND form, const std::wstring& name)
{
    return controlNamed(form, utf8(name));
}

int run(HWND form, const std::wstring& command, int count, wchar_t** arguments)
{
    if (command == L"window") {
        RECT client{};
        GetClientRect(form, &client);
        say(std::to_string(client.right) + "x" + std::to_string(client.bottom));
        return 0;
    }
    if (command == L"type" && count == 2) {
        HWND box = control(form, arguments[0]);
        if (!box)
            return fail("no control " + utf8(arguments[0]));
        // What a user does: select everything in the box, then type over it.
        HWND edit = GetWindow(box, GW_CHILD) ? GetWindow(box, GW_CHILD) : box;
        SendMessageW(edit, EM_SETSEL, 0, -1);
        SendMessageW(edit, WM_CHAR, VK_BACK, 0);
        for (const wchar_t* c = arguments[1]; *c; ++c)
            SendMessageW(edit, WM_CHAR, *c, 0);
        const std::string typed = textOf(box);
        return typed == utf8(arguments[1]) ? 0 : fail("the box reads \"" + typed + "\" after typing");
    }
    if (command == L"choose" && count == 1) {
        // CB_SETCURSEL does not tell the window; the list's own notice does.
        HWND combo = control(form, L"Combo1");
        const int index = _wtoi(arguments[0]);
        if (SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0) != index)
            return fail("no list item " + std::to_string(index));
        SendMessageW(form, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
        say(textOf(combo));
        return 0;
    }
    if ((command == L"press" || command == L"click") && count == 1) {
        HWND button = control(form, arguments[0]);
        if (!button)
            return fail("no control " + utf8(arguments[0]));
        if (command == L"click")
            return PostMessageW(button, BM_CLICK, 0, 0) ? 0 : fail("the click was not posted");
        DWORD_PTR result = 0;
        return SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 10000, &result)
            ? 0
            : fail("the button did not finish within 10 s");
    }
    if (command == L"close") // the close box in the title bar
        return PostMessageW(form, WM_SYSCOMMAND, SC_CLOSE, 0) ? 0 : fail("the close was not posted");
    if (command == L"boxes") {
        for (const ControlSpec& row : kControls) {
            HWND box = control(form, wide(row.name));
            RECT at{};
            GetWindowRect(box, &at);
            MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&at), 2);
            say(std::string(row.name) + "\t" + textOf(box) + "\t" + std::to_string(at.left) + "\t"
                + std::to_string(at.top) + "\t" + std::to_string(at.right) + "\t" + std::to_string(at.bottom));
        }
        return 0;
    }
    if (command == L"warning" || (command == L"no-warning" && count == 1)) {
        const double seconds = count >= 1 ? _wtof(arguments[0]) : 10;
        HWND box = waitFor([form] { return findMessageBox(form); }, seconds);
        if (command == L"no-warning")
            return box ? fail("a message box: " + textOf(GetDlgItem(box, 0xFFFF))) : 0;
        if (!box)
            return fail("no message box within " + std::to_string(seconds) + " s");
        say(textOf(GetDlgItem(box, 0xFFFF))); // the message box's text
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return waitFor([box] { return IsWindow(box) ? nullptr : box; }, 5) ? 0 : fail("the message box stays");
    }
    return fail("unknown command or arguments");
}

// What a user picks in the printer's preferences, such as a draft mode of
// 600 x 300 dpi: the default settings every program then prints with.
int setPrinterResolution(short across, short down)
{
    wchar_t name[256];
    DWORD size = 256;
    HANDLE printer = nullptr;
    if (!GetDefaultPrinterW(name, &size) || !OpenPrinterW(name, &printer, nullptr))
        return fail("no default printer");
    std::vector<BYTE> settings(
        static_cast<std::size_t>(DocumentPropertiesW(nullptr, printer, name, nullptr, nullptr, 0)));
    auto* mode = reinterpret_cast<DEVMODEW*>(settings.data());
    bool set = DocumentPropertiesW(nullptr, printer, name, mode, nullptr, DM_OUT_BUFFER) == IDOK;
    if (set) {
        mode->dmPrintQuality = across;
        mode->dmYResolution = down;
        mode->dmFields |= DM_PRINTQUALITY | DM_YRESOLUTION;
        PRINTER_INFO_9W preferences{mode};
        set = SetPrinterW(printer, 9, reinterpret_cast<BYTE*>(&preferences), 0);
    }
    ClosePrinter(printer);
    return set ? 0 : fail("the printer's preferences were not set");
}

// The file a shortcut starts, as the shell reads it.
int showShortcutTarget(const wchar_t* link)
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellLinkW* shortcut = nullptr;
    IPersistFile* file = nullptr;
    wchar_t target[MAX_PATH]{};
    const bool read = SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                          reinterpret_cast<void**>(&shortcut)))
        && SUCCEEDED(shortcut->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))
        && SUCCEEDED(file->Load(link, STGM_READ)) && SUCCEEDED(shortcut->GetPath(target, MAX_PATH, nullptr, 0));
    if (file)
        file->Release();
    if (shortcut)
        shortcut->Release();
    CoUninitialize();
    if (!read)
        return fail("cannot read the shortcut " + utf8(link));
    say(utf8(target));
    return 0;
}

} // namespace

int wmain(int count, wchar_t** arguments)
{
    _setmode(_fileno(stdout), _O_BINARY); // lines end in \n, as the test's shell reads them
    if (count < 2)
        return fail("usage: drive_quillon COMMAND [ARGUMENTS]");
    if (std::wstring_view(arguments[1]) == L"resolution" && count == 4)
        return setPrinterResolution(static_cast<short>(_wtoi(arguments[2])), static_cast<short>(_wtoi(arguments[3])));
    if (std::wstring_view(arguments[1]) == L"shortcut" && count == 3)
        return showShortcutTarget(arguments[2]);
    HWND form = waitFor(findForm, 20);
    if (!form)
        return fail("no Quillon window within 20 s");
    return run(form, arguments[1], count - 2, arguments + 2);
}

// The Win32 window, created in this process and driven with messages as the
// system would: its geometry at two DPIs, its list, 计算 against the
// calculation for every belt type, the warning, texts that fit, the tab
// order, its icon and COM, and where 打印 loads the spooler from.

#include "calc/catalogue/catalogue.h"
#include "calc/full_width.h"
#include "calc/run.h"
#include "ui/controls.h"
#include "ui/texts.h"
#include "ui/win32/Form1.h"
#include "ui/win32/form_parts.h"
#include "ui/win32/text.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

using namespace quillon;
using namespace quillon::ui;
using namespace quillon::ui::win32;

namespace {

class Form1Test : public testing::Test {
protected:
    void SetUp() override { ASSERT_NE(form, nullptr); }
    void TearDown() override
    {
        if (IsWindow(form))
            DestroyWindow(form);
        // The WM_QUIT that closing posts belongs to no test.
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) { }
    }

    HWND control(std::string_view name) const { return controlNamed(form, name); }
    // Clicks a button and gives the text of the warning it shows, read and
    // closed by another thread so that the test never hangs on it; empty
    // when none shows within 5 s.
    std::wstring warningAfterClicking(std::string_view name) const
    {
        std::atomic<bool> seen = false;
        std::wstring said;
        std::thread watchdog([&] {
            for (int wait = 0; wait < 500 && !seen; ++wait) {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
                HWND box = FindWindowW(L"#32770", wide(kWindowTitle).c_str());
                if (box && GetWindow(box, GW_OWNER) == form) {
                    wchar_t text[256]{};
                    GetDlgItemTextW(box, 0xFFFF, text, 256);
                    said = text;
                    seen = true;
                    PostMessageW(box, WM_COMMAND, IDOK, 0);
                }
            }
        });
        click(name);
        watchdog.join();
        return said;
    }
    void click(std::string_view name) const
    {
        HWND button = control(name);
        SendMessageW(form, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED), reinterpret_cast<LPARAM>(button));
    }
    void moveToDpi(UINT dpi) const
    {
        RECT suggested{0, 0, 10, 10};
        SendMessageW(form, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    }
    RECT clientRectOf(HWND child) const
    {
        RECT box{};
        GetWindowRect(child, &box);
        MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&box), 2);
        return box;
    }

    HWND form = createForm1(GetModuleHandleW(nullptr));
};

TEST_F(Form1Test, ControlsStandWhereTheyWereDrawnAtEachDpi)
{
    for (UINT dpi : {96u, 144u}) {
        moveToDpi(dpi);
        RECT client{};
        GetClientRect(form, &client);
        EXPECT_EQ(client.right, twipsToDevice(kClientWidthTwips, dpi)) << dpi;
        EXPECT_EQ(client.bottom, twipsToDevice(kClientHeightTwips, dpi)) << dpi;
        for (std::size_t i = 0; i < kControls.size(); ++i) {
            const RECT drawn = drawnRect(kControls[i], dpi);
            const RECT actual = clientRectOf(control(kControls[i].name));
            EXPECT_EQ(actual.left, drawn.left) << kControls[i].name << " at " << dpi;
            EXPECT_EQ(actual.top, drawn.top) << kControls[i].name << " at " << dpi;
            EXPECT_EQ(actual.bottom, drawn.bottom) << kControls[i].name << " at " << dpi;
            // A caption may reach right up to the next control on its line,
            // where the drawing did not already take it further.
            if (kControls[i].kind == Label) {
                EXPECT_GE(actual.right, drawn.right) << kControls[i].name;
                EXPECT_LE(actual.right, std::max<LONG>(drawn.right, rightLimitOf(i, dpi))) << kControls[i].name;
            } else {
                EXPECT_EQ(actual.right, drawn.right) << kControls[i].name << " at " << dpi;
            }
        }
    }
}

TEST_F(Form1Test, StartsWithTheDrawingsTextsAndTheListOfBeltTypes)
{
    EXPECT_EQ(utf8([&] {
        wchar_t title[64];
        return std::wstring(title, static_cast<std::size_t>(GetWindowTextW(form, title, 64)));
    }()),
        kWindowTitle);
    for (const ControlSpec& row : kControls)
        EXPECT_EQ(controlText(control(row.name)), row.text) << row.name;
    HWND combo = control("Combo1");
    ASSERT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(kBeltTypes.size()));
    for (std::size_t i = 0; i < kBeltTypes.size(); ++i) {
        wchar_t entry[32]{};
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry));
        EXPECT_EQ(utf8(entry), kBeltTypes[i]);
    }
}

TEST_F(Form1Test, CalculateWritesWhatTheRunGivesForEveryBeltType)
{
    wchar_t separator[8] = L".";
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8);
    for (std::string_view beltType : kBeltTypes) {
        for (const char* teeth : {"10", "20", "21", "40", "４０", "1e15"}) {
            setControlText(control("Combo1"), beltType);
            setControlText(control("Text1"), teeth);
            click("Command1");
            const RunResult expected = runCalculation(beltType, foldFullWidth(teeth), utf8(separator));
            for (const RunResult::Box& box : expected.boxes())
                ASSERT_EQ(controlText(control(box.name)), box.text) << beltType << " " << teeth << " " << box.name;
        }
    }
    // The belt type is used exactly as typed.
    setControlText(control("Combo1"), "mxl");
    click("Command1");
    EXPECT_EQ(controlText(control("Text2")), "");
    EXPECT_EQ(controlText(control("Combo1")), "mxl");
}

TEST_F(Form1Test, ATooLargeToothCountWarnsAndChangesNoBox)
{
    setControlText(control("Text1"), "1e400");
    EXPECT_EQ(utf8(warningAfterClicking("Command1")), kToothCountOutOfRange);
    for (const ControlSpec& row : kControls) {
        if (row.kind == TextBox && row.name != "Text1") {
            EXPECT_EQ(controlText(control(row.name)), row.name);
        }
    }
}

TEST_F(Form1Test, LeavesTheThreadFreeToJoinAnyComApartment)
{
    const HRESULT joined = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    EXPECT_EQ(joined, S_OK);
    if (SUCCEEDED(joined))
        CoUninitialize();
}

TEST_F(Form1Test, LoadsTheTitleBarIconAgainAtEachDpi)
{
    for (const auto& [dpi, side] : {std::pair{144u, 24}, {96u, 16}}) {
        moveToDpi(dpi);
        ICONINFO icon{};
        ASSERT_TRUE(GetIconInfo(reinterpret_cast<HICON>(SendMessageW(form, WM_GETICON, ICON_SMALL, 0)), &icon)) << dpi;
        BITMAP colour{};
        GetObjectW(icon.hbmColor, sizeof colour, &colour);
        DeleteObject(icon.hbmColor);
        DeleteObject(icon.hbmMask);
        EXPECT_EQ(colour.bmWidth, side) << dpi;
    }
}

TEST_F(Form1Test, PrintLoadsTheSpoolerFromTheSystemFolderOnly)
{
    // A winspool.drv planted beside this program (planted_winspool.cpp),
    // which Wine is told to prefer to its own, says so when it is loaded.
    warningAfterClicking("Command2"); // whatever the printer, or none
    EXPECT_EQ(GetEnvironmentVariableW(L"QUILLON_PLANTED_DLL", nullptr, 0), 0u) << "the planted winspool.drv ran";
    wchar_t system[MAX_PATH]{};
    wchar_t loaded[MAX_PATH]{};
    GetSystemDirectoryW(system, MAX_PATH);
    ASSERT_NE(GetModuleFileNameW(GetModuleHandleW(L"winspool.drv"), loaded, MAX_PATH), 0u);
    EXPECT_EQ(CompareStringOrdinal(loaded, static_cast<int>(wcslen(system)), system, -1, TRUE), CSTR_EQUAL)
        << utf8(loaded);
}

TEST_F(Form1Test, EveryCaptionAndResultIsWholeInItsBox)
{
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(control("Text2"), WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    const auto fits = [&](std::string_view name) {
        HWND box = control(name);
        // A box's text stands in its formatting rectangle; a caption in its client area.
        RECT room{};
        if (name.starts_with("Text"))
            SendMessageW(box, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&room));
        else
            GetClientRect(box, &room);
        return textWidth(box, font) <= room.right - room.left;
    };
    for (const ControlSpec& row : kControls)
        EXPECT_TRUE(fits(row.name)) << row.name << " \"" << controlText(control(row.name)) << "\" in "
                                    << utf8(windowFace()) << ", " << textWidth(control(row.name), font) << " px";
    for (std::string_view beltType : kBeltTypes) {
        for (const char* teeth : {"10", "40", "200"}) {
            setControlText(control("Combo1"), beltType);
            setControlText(control("Text1"), teeth);
            click("Command1");
            const RunResult shown = runCalculation(beltType, teeth);
            for (const RunResult::Box& box : shown.boxes())
                EXPECT_TRUE(fits(box.name)) << beltType << " " << teeth << " " << box.name;
        }
    }
}

TEST_F(Form1Test, TabGoesThroughTheControlsInTheTablesOrder)
{
    std::vector<HWND> expected;
    for (const ControlSpec& row : kControls) {
        if (row.kind != Label)
            expected.push_back(control(row.name));
    }
    HWND at = expected.front();
    for (std::size_t i = 1; i < expected.size(); ++i) {
        at = GetNextDlgTabItem(form, at, FALSE);
        // The combo box's edit field is its own child; its parent is the stop.
        ASSERT_EQ(at, expected[i]) << kControls[i].name;
    }
}

} // namespace

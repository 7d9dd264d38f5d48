// The warnings' placeholders: a printer's name goes in as it is.

#include "ui/win32/text.h"

#include <gtest/gtest.h>

using namespace quillon::ui::win32;

namespace {

TEST(FillIn, PutsEachValueInOnceAndNeverSearchesWhatItPutIn)
{
    struct Case {
        const char* text;
        std::wstring_view first;
        std::wstring_view second;
        std::wstring_view expected;
    };
    for (const Case& row : {
             Case{"打印机“%1”%2。", L"PDF", L"已停止", L"打印机“PDF”已停止。"},
             Case{"打印机“%1”%2。", L"HP %2 Office", L"已停止", L"打印机“HP %2 Office”已停止。"},
             Case{"打印机“%1”%2。", L"Q", L"%1%", L"打印机“Q”%1%。"},
             Case{"%2%1%", L"a", L"b", L"ba%"},
         })
        EXPECT_EQ(fillIn(row.text, row.first, row.second), row.expected) << row.text << " " << utf8(row.first);
}

} // namespace

// The browser's language comes from the system's default locale: ctest runs this program under
// a Chinese (PRC) and under a US English Wine locale, and says in LF_EXPECTED_LANGUAGE which.

#include <windows.h>
// windows.h first: these build on it.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "browser/win32/main_window.h"
#include "common/win32/win32_system_port.h"
#include "tests/support/test_catalogue.h"

namespace lf::browser {
namespace {

std::wstring Caption(HWND control) {
    std::wstring text(64, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), 64)));
    return text;
}

TEST(SystemLocale, ChoosesTheCaptionsOfTheBrowser) {
    const char* expected = std::getenv("LF_EXPECTED_LANGUAGE");
    ASSERT_NE(expected, nullptr);
    const bool chinese = std::string(expected) == "zh_CN";
    testing::FakeResources resources;
    resources.SetTable(testing::Table({testing::Record(0, "item")}, "1"));
    Win32SystemPort system;
    Form1 form(system, resources.Reader());
    ASSERT_TRUE(form.Start());
    EXPECT_EQ(form.Presenter().IsChineseUI(), chinese);
    EXPECT_EQ(Caption(form.Control(ControlId::CMD_Sc)), chinese ? L"捜索" : L"Search");
}

}  // namespace
}  // namespace lf::browser

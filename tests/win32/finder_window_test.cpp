// The Item Finder's Win32 wiring, from the browser's main window: real controls, keys going through
// the program's own key handling, clicks as the controls receive them. The rules themselves are
// tested on the presenter.

#include <windows.h>
// windows.h first: these build on it.
#include <commctrl.h>
#include <gtest/gtest.h>
#include <objbase.h>

#include <string>
#include <vector>

#include "browser/win32/main_window.h"
#include "catalogue/catalogue_format.h"
#include "common/win32/wide_text.h"
#include "finder/win32/finder_window.h"
#include "tests/support/fake_system_port.h"
#include "tests/support/record_text.h"
#include "tests/support/test_catalogue.h"

namespace lf::finder {
namespace {

using browser::ControlId;
using browser::Form1;
using namespace record_field;

// What the program's main sets up before any window.
class DesktopEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        const INITCOMMONCONTROLSEX controls{sizeof controls,
                                            ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
    }
    void TearDown() override { CoUninitialize(); }
};
const auto* const kDesktop = ::testing::AddGlobalTestEnvironment(new DesktopEnvironment);

// A Knight's head piece of the given defence.
std::string Helmet(int row, const std::string& name, int defence) {
    return lf::testing::RecordText()
        .Set(kNumber, std::to_string(row))
        .Set(kName, name)
        .Set(kKind, "11")
        .Set(kSlot, "0")
        .Set(kClassMask, std::to_string(0x84))
        .Set(kLevel, std::to_string(10 + row))
        .Set(kDefence, std::to_string(defence))
        .Set(kDescription, "desc " + std::to_string(row))
        .Text();
}

std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)), L'\0');
    GetWindowTextW(window, text.data(), static_cast<int>(text.size() + 1));
    return text;
}

// The width of a text in the control's own font.
int TextWidth(HWND control, const std::wstring& text) {
    HDC dc = GetDC(control);
    HGDIOBJ previous =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return size.cx;
}

int ClientWidth(HWND control) {
    RECT client{};
    GetClientRect(control, &client);
    return client.right;
}

class FinderWindowTest : public ::testing::Test {
  protected:
    // Four head pieces and `swords` more rows.
    void Start(bool chinese = false, int swords = 1) {
        std::vector<std::string> records{lf::testing::Record(0, "Leather Cap"),
                                         Helmet(1, "Bronze Helm", 12), Helmet(2, "Iron Helm", 20),
                                         Helmet(3, "Steel Helm", 35)};
        for (int i = 0; i < swords; ++i) {
            records.push_back(lf::testing::Record(4 + i, "Short Sword " + std::to_string(i)));
        }
        resources_.SetTable(lf::testing::Table(records, std::to_string(records.size())));
        system_.chinese = chinese;
        form_ = std::make_unique<Form1>(system_, resources_.Reader());
        ASSERT_TRUE(form_->Start());
        form_->Show();
        Pump();
    }
    // The program's message loop, until nothing is left to do.
    void Pump() {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (form_->TranslateKeys(message)) continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    // A key pressed and let go where the keyboard focus is, Ctrl held down if asked.
    void Press(WPARAM key, bool control = false) {
        BYTE keys[256];
        GetKeyboardState(keys);
        const BYTE before = keys[VK_CONTROL];
        keys[VK_CONTROL] = control ? 0x80 : 0;
        SetKeyboardState(keys);
        HWND focus = GetFocus();
        PostMessageW(focus, WM_KEYDOWN, key, 1);
        PostMessageW(focus, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001));
        Pump();
        keys[VK_CONTROL] = before;
        SetKeyboardState(keys);
    }
    void Type(std::wstring_view text) {
        for (const wchar_t character : text) PostMessageW(GetFocus(), WM_CHAR, character, 1);
        Pump();
    }
    // A click on a column's title, as the list's header receives it.
    void ClickColumn(int column) {
        HWND header = reinterpret_cast<HWND>(
            SendMessageW(Control(FinderControl::Results), LVM_GETHEADER, 0, 0));
        RECT title{};
        SendMessageW(header, HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(&title));
        const LPARAM at =
            MAKELPARAM((title.left + title.right) / 2, (title.top + title.bottom) / 2);
        SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(header, WM_LBUTTONUP, 0, at);
        Pump();
    }
    // A choice made in a drop-down list, which notifies the window as the list does.
    void Choose(FinderControl id, const std::wstring& entry) {
        HWND box = Control(id);
        const LRESULT index = SendMessageW(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(entry.c_str()));
        ASSERT_NE(index, CB_ERR) << "no entry " << Narrow(entry);
        SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageW(Finder(), WM_COMMAND, MAKEWPARAM(static_cast<int>(id), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(box));
    }

    HWND Finder() const { return form_->Finder() ? form_->Finder()->Handle() : nullptr; }
    HWND Control(FinderControl id) const { return form_->Finder()->Control(id); }
    LRESULT ResultCount() const {
        return SendMessageW(Control(FinderControl::Results), LVM_GETITEMCOUNT, 0, 0);
    }
    LRESULT SelectedResult() const {
        return SendMessageW(Control(FinderControl::Results), LVM_GETNEXTITEM,
                            static_cast<WPARAM>(-1), LVNI_SELECTED);
    }
    // What the list shows in a cell, read back from the list.
    std::wstring Cell(int result, int column) const {
        wchar_t text[256] = {};
        LVITEMW cell{};
        cell.iSubItem = column;
        cell.pszText = text;
        cell.cchTextMax = 256;
        SendMessageW(Control(FinderControl::Results), LVM_GETITEMTEXTW, result,
                     reinterpret_cast<LPARAM>(&cell));
        return text;
    }
    int HeaderFormat(int column) const {
        HWND header = reinterpret_cast<HWND>(
            SendMessageW(Control(FinderControl::Results), LVM_GETHEADER, 0, 0));
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        SendMessageW(header, HDM_GETITEMW, column, reinterpret_cast<LPARAM>(&item));
        return item.fmt;
    }

    lf::testing::FakeSystemPort system_;
    lf::testing::FakeResources resources_;
    std::unique_ptr<Form1> form_;
};

TEST_F(FinderWindowTest, CtrlFOpensTheFinderWhoseKeysPickAnItemInTheMainWindow) {
    Start();
    Press('F', true);
    ASSERT_NE(Finder(), nullptr) << "Ctrl+F made no finder";
    EXPECT_TRUE(IsWindowVisible(Finder()));
    EXPECT_EQ(TextOf(Finder()), L"Item Finder");
    EXPECT_EQ(GetFocus(), Control(FinderControl::NameBox));
    RECT main{}, finder{};
    GetWindowRect(form_->Handle(), &main);
    GetWindowRect(Finder(), &finder);
    EXPECT_EQ(finder.right, main.left - 5) << "beside the main window, on its left";
    EXPECT_EQ(finder.top, main.top);
    EXPECT_EQ(ResultCount(), 5);

    Type(L"Helm");
    EXPECT_EQ(ResultCount(), 3);
    EXPECT_EQ(TextOf(Control(FinderControl::Count)), L"3 items");
    EXPECT_EQ(Cell(0, 1), L"Bronze Helm");  // table order until a column is clicked

    Choose(FinderControl::StatDropDown, L"Defense");
    ClickColumn(5);
    EXPECT_EQ(Cell(0, 1), L"Steel Helm") << "best defence first";
    EXPECT_EQ(Cell(0, 5), L"35");
    EXPECT_TRUE(HeaderFormat(5) & HDF_SORTDOWN);
    EXPECT_FALSE(HeaderFormat(1) & (HDF_SORTUP | HDF_SORTDOWN));
    EXPECT_EQ(SelectedResult(), 0);

    Press(VK_DOWN);
    EXPECT_EQ(SelectedResult(), 1);
    EXPECT_EQ(GetFocus(), Control(FinderControl::NameBox)) << "the caret stays in the name box";
    Press(VK_RETURN);
    EXPECT_EQ(TextOf(form_->Control(ControlId::Text_ItemNum)), L"2");
    EXPECT_EQ(TextOf(form_->Control(ControlId::Text_ItemName)), L"Iron Helm");
    EXPECT_EQ(SendMessageW(form_->Control(ControlId::ItemList), LB_GETCURSEL, 0, 0), 2);

    Press(VK_ESCAPE);
    EXPECT_FALSE(IsWindowVisible(Finder()));
    const HWND first = Finder();
    Press('F', true);
    EXPECT_EQ(Finder(), first) << "one finder for the run";
    EXPECT_TRUE(IsWindowVisible(Finder()));
    EXPECT_EQ(ResultCount(), 3) << "the query outlives the hiding";
}

// A result picked by mouse: a click makes it current, a double click shows it.
TEST_F(FinderWindowTest, ClicksOnResultsReachThePresenter) {
    Start();
    SendMessageW(form_->Handle(), WM_COMMAND, static_cast<WPARAM>(ControlId::Find), 0);
    Pump();
    HWND results = Control(FinderControl::Results);
    RECT row{};
    row.left = LVIR_BOUNDS;
    SendMessageW(results, LVM_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&row));
    const LPARAM at = MAKELPARAM(row.left + 10, (row.top + row.bottom) / 2);
    SendMessageW(results, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(results, WM_LBUTTONUP, 0, at);
    Pump();
    EXPECT_EQ(form_->Finder()->Presenter().Current(), 3u);
    EXPECT_EQ(SelectedResult(), 3);
    SendMessageW(results, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageW(results, WM_LBUTTONUP, 0, at);
    Pump();
    EXPECT_EQ(TextOf(form_->Control(ControlId::Text_ItemNum)), L"3");
}

TEST_F(FinderWindowTest, EveryCaptionFitsInBothLanguages) {
    for (const bool chinese : {false, true}) {
        SCOPED_TRACE(chinese ? "Chinese" : "English");
        Start(chinese, 40);
        wchar_t entry[64] = {};
        GetMenuStringW(form_->SearchBoxMenu(), static_cast<UINT>(ControlId::Find), entry, 64,
                       MF_BYCOMMAND);
        EXPECT_STREQ(entry, chinese ? L"查找..." : L"Find...");
        // Opened as the menu's entry opens it.
        SendMessageW(form_->Handle(), WM_COMMAND, static_cast<WPARAM>(ControlId::Find), 0);
        Pump();
        ASSERT_NE(Finder(), nullptr);
        EXPECT_EQ(TextOf(Finder()), chinese ? L"道具查找" : L"Item Finder");
        EXPECT_EQ(TextOf(Control(FinderControl::Count)), chinese ? L"44 件道具" : L"44 items");

        const int checkBox = GetSystemMetrics(SM_CXMENUCHECK) + GetSystemMetrics(SM_CXEDGE) * 2;
        const int buttonEdges = GetSystemMetrics(SM_CXEDGE) * 4;
        const int headerMargins = GetSystemMetrics(SM_CXEDGE) * 6;  // three edges either side
        const std::vector<std::pair<FinderControl, int>> captioned = {
            {FinderControl::NameLabel, 0},
            {FinderControl::SlotLabel, 0},
            {FinderControl::ClassLabel, 0},
            {FinderControl::LevelLabel, 0},
            {FinderControl::LevelToLabel, 0},
            {FinderControl::StatLabel, 0},
            {FinderControl::StatMinimumLabel, 0},
            {FinderControl::SpecialOnly, checkBox},
            {FinderControl::Count, 0},
            {FinderControl::CompareButton, buttonEdges},
            {FinderControl::ClearButton, buttonEdges}};
        for (const auto& [id, taken] : captioned) {
            HWND control = Control(id);
            const std::wstring caption = TextOf(control);
            EXPECT_FALSE(caption.empty()) << static_cast<int>(id);
            EXPECT_LE(TextWidth(control, caption), ClientWidth(control) - taken)
                << Narrow(caption) << " does not fit";
        }
        // The titles are drawn as text, within their columns, and the columns within the list,
        // its scroll bar included.
        HWND results = Control(FinderControl::Results);
        HWND header = reinterpret_cast<HWND>(SendMessageW(results, LVM_GETHEADER, 0, 0));
        int columnsWidth = 0;
        for (int column = 0; column < 6; ++column) {
            wchar_t title[64] = {};
            HDITEMW item{};
            item.mask = HDI_TEXT | HDI_FORMAT | HDI_WIDTH;
            item.pszText = title;
            item.cchTextMax = 64;
            SendMessageW(header, HDM_GETITEMW, column, reinterpret_cast<LPARAM>(&item));
            EXPECT_TRUE(item.fmt & HDF_STRING) << column;
            EXPECT_LE(TextWidth(header, title), item.cxy - headerMargins) << Narrow(title);
            columnsWidth += item.cxy;
        }
        EXPECT_LE(columnsWidth, ClientWidth(results));
        EXPECT_FALSE(GetWindowLongPtrW(results, GWL_STYLE) & WS_HSCROLL);
        // Every entry of a drop-down list shows whole in its open list, beside its scroll bar.
        for (const FinderControl id : {FinderControl::SlotDropDown, FinderControl::ClassDropDown,
                                       FinderControl::StatDropDown}) {
            HWND box = Control(id);
            const int room = static_cast<int>(SendMessageW(box, CB_GETDROPPEDWIDTH, 0, 0)) -
                             GetSystemMetrics(SM_CXVSCROLL) - GetSystemMetrics(SM_CXEDGE) * 2;
            const auto entries = SendMessageW(box, CB_GETCOUNT, 0, 0);
            ASSERT_GT(entries, 1);
            for (LRESULT i = 0; i < entries; ++i) {
                std::wstring text(
                    static_cast<std::size_t>(SendMessageW(box, CB_GETLBTEXTLEN, i, 0)), L'\0');
                SendMessageW(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
                EXPECT_LE(TextWidth(box, text), room) << Narrow(text) << " does not fit";
            }
        }
        form_.reset();
    }
}

}  // namespace
}  // namespace lf::finder

// The Win32 windows' wiring: real controls, driven by the messages Windows would send. The
// rules themselves are tested on the presenter.

#include <windows.h>
// windows.h first: these build on it.
#include <commctrl.h>
#include <gtest/gtest.h>
#include <objbase.h>

#include <fstream>
#include <iterator>

#include "browser/jpeg_decoder.h"
#include "browser/win32/main_window.h"
#include "composer/win32/stat_form.h"
#include "tests/support/fake_system_port.h"
#include "tests/support/test_catalogue.h"

namespace lf::browser {
namespace {

// What the program's main sets up before any window: COM for the imaging component, the
// common controls for the tooltip.
class DesktopEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
    }
    void TearDown() override { CoUninitialize(); }
};
const auto* const kDesktop = ::testing::AddGlobalTestEnvironment(new DesktopEnvironment);

Bytes GeneratedSheet() {
    std::ifstream file(LF_CATALOGUE_DIR "/icon_sheet_01.jpg", std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), {});
}

class Form1Test : public ::testing::Test {
  protected:
    void Start(std::size_t rows, bool chinese = false) {
        std::vector<std::string> records;
        for (std::size_t i = 0; i < rows; ++i) {
            records.push_back(testing::Record(static_cast<int>(i), "item " + std::to_string(i)));
        }
        resources_.SetTable(testing::Table(records, std::to_string(rows)));
        resources_.byId[IconSheetId(0)] = GeneratedSheet();
        system_.chinese = chinese;
        form_ = std::make_unique<Form1>(system_, resources_.Reader());
        ASSERT_TRUE(form_->Start());
        form_->Show();
    }
    std::wstring Text(ControlId id) const { return TextOf(form_->Control(id)); }
    static std::wstring TextOf(HWND window) {
        std::wstring text(256, L'\0');
        text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), 256)));
        return text;
    }
    // A notification as the control itself sends it to the window.
    void Notify(ControlId id, int notification) {
        SendMessageW(form_->Handle(), WM_COMMAND, MAKEWPARAM(static_cast<int>(id), notification),
                     reinterpret_cast<LPARAM>(form_->Control(id)));
    }
    // Over the whole text, key by key.
    void TypeIntoNumberField(std::wstring_view keys) {
        HWND field = form_->Control(ControlId::Text_ItemNum);
        SendMessageW(field, EM_SETSEL, 0, -1);
        for (const wchar_t key : keys) SendMessageW(field, WM_CHAR, key, 0);
    }
    void PressEnterInSearchBox() {
        SendMessageW(form_->Control(ControlId::Text_Sc), WM_CHAR, L'\r', 0);
    }
    LRESULT SelectedRow() const {
        return SendMessageW(form_->Control(ControlId::ItemList), LB_GETCURSEL, 0, 0);
    }
    // The list's row, the number field, the name, the position and the card tell the same row.
    void ExpectFieldsShow(int row) {
        const std::wstring name = L"item " + std::to_wstring(row);
        EXPECT_EQ(SelectedRow(), row);
        EXPECT_EQ(Text(ControlId::Text_ItemNum), std::to_wstring(row));
        EXPECT_EQ(Text(ControlId::Text_ItemName), name);
        EXPECT_EQ(form_->NameTip(), L"desc " + std::to_wstring(row));
        EXPECT_EQ(Text(ControlId::LabelLine), L"Locate = " + std::to_wstring(row + 1));
        ASSERT_NE(form_->DetailWindow(), nullptr);
        EXPECT_EQ(form_->DetailWindow()->TitleBlock().text, name);
    }

    testing::FakeSystemPort system_;
    testing::FakeResources resources_;
    std::unique_ptr<Form1> form_;
};

TEST_F(Form1Test, CaptionsAndPlacesInBothLanguages) {
    for (const bool chinese : {false, true}) {
        Start(21809, chinese);
        EXPECT_EQ(TextOf(form_->Handle()), L"Lorefinder");
        EXPECT_EQ(Text(ControlId::CMD_Sc), chinese ? L"捜索" : L"Search");
        EXPECT_EQ(Text(ControlId::Label1), chinese ? L"道具编号:" : L"Item ID :");
        EXPECT_EQ(Text(ControlId::Label2), chinese ? L"图标 :" : L"Icon :");
        EXPECT_EQ(Text(ControlId::LabelTotal), chinese ? L"总共 = 21809" : L"Total = 21809");
        EXPECT_EQ(SendMessageW(form_->Control(ControlId::ItemList), LB_GETCOUNT, 0, 0), 21809);
        EXPECT_EQ(SelectedRow(), LB_ERR);
        EXPECT_EQ(SendMessageW(form_->Control(ControlId::Text_ItemNum), EM_GETLIMITTEXT, 0, 0), 5);
        RECT client{};
        GetClientRect(form_->Handle(), &client);
        EXPECT_EQ(client.right, 243);
        EXPECT_EQ(client.bottom, 416);
        RECT list{};
        GetWindowRect(form_->Control(ControlId::ItemList), &list);
        MapWindowPoints(nullptr, form_->Handle(), reinterpret_cast<POINT*>(&list), 2);
        EXPECT_EQ(list.left, 8);
        EXPECT_EQ(list.top, 32);
        EXPECT_EQ(list.bottom - list.top, 304);
    }
}

TEST_F(Form1Test, RowsPickedInTheListOrByNumberFillTheFieldsOnce) {
    Start(50);
    SendMessageW(form_->Control(ControlId::ItemList), LB_SETCURSEL, 7, 0);
    Notify(ControlId::ItemList, LBN_SELCHANGE);
    ExpectFieldsShow(7);
    EXPECT_EQ(form_->Presenter().SelectionsHandled(), 1);  // the number field's echo ends there
    TypeIntoNumberField(L"12");
    ExpectFieldsShow(12);
    TypeIntoNumberField(L"0");
    EXPECT_EQ(SelectedRow(), 12);
    EXPECT_EQ(form_->Presenter().SelectionsHandled(), 3);  // row 1 on the way to 12
}

TEST_F(Form1Test, EnterSearchesOnAndTheEndBeepsOnce) {
    Start(20);
    SetWindowTextW(form_->Control(ControlId::Text_Sc), L"item 5");
    PressEnterInSearchBox();
    ExpectFieldsShow(5);
    PressEnterInSearchBox();
    ExpectFieldsShow(19);
    EXPECT_EQ(system_.beeps, 1);
    EXPECT_EQ(Text(ControlId::Text_Sc), L"item 5");  // Enter adds nothing to the text
    Notify(ControlId::CMD_Sc, BN_CLICKED);
    EXPECT_EQ(system_.beeps, 1);
    SetWindowTextW(form_->Control(ControlId::Text_Sc), L"item 1");
    Notify(ControlId::CMD_Sc, BN_CLICKED);
    ExpectFieldsShow(1);
}

TEST_F(Form1Test, TheIconBoxTogglesAColourKeyedCard) {
    Start(3);
    Notify(ControlId::Picture2, STN_CLICKED);
    ASSERT_NE(form_->DetailWindow(), nullptr);
    HWND card = form_->DetailWindow()->Handle();
    EXPECT_TRUE(IsWindowVisible(card));
    EXPECT_EQ(GetFocus(), form_->Control(ControlId::ItemList));
    EXPECT_TRUE(GetWindowLongPtrW(card, GWL_EXSTYLE) & WS_EX_LAYERED);
    COLORREF key = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(card, &key, nullptr, &flags));
    EXPECT_EQ(key, RGB(255, 0, 255));
    EXPECT_EQ(flags, DWORD{LWA_COLORKEY});
    RECT client{};
    GetClientRect(card, &client);
    EXPECT_EQ(client.right, 204);
    EXPECT_EQ(client.bottom, 419);
    Notify(ControlId::Picture2, STN_CLICKED);
    EXPECT_FALSE(IsWindowVisible(card));
}

// Hidden once the minimise has been handled, and back from the notification area.
TEST_F(Form1Test, MinimisingHidesCardAndWindowTheTrayIconBringsTheWindowBack) {
    Start(3);
    Notify(ControlId::Picture2, STN_CLICKED);
    HWND card = form_->DetailWindow()->Handle();
    SendMessageW(form_->Handle(), WM_TIMER, kDockTimer, 0);
    RECT main{}, docked{};
    GetWindowRect(form_->Handle(), &main);
    GetWindowRect(card, &docked);
    EXPECT_EQ(docked.left, main.right + 5);
    EXPECT_EQ(docked.top, main.top + 24);
    ShowWindow(form_->Handle(), SW_MINIMIZE);
    EXPECT_FALSE(IsWindowVisible(card));
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    EXPECT_FALSE(IsWindowVisible(form_->Handle()));
    SendMessageW(form_->Handle(), kTrayMessage, 1, WM_MOUSEMOVE);
    EXPECT_FALSE(IsWindowVisible(form_->Handle()));
    SendMessageW(form_->Handle(), kTrayMessage, 1, WM_LBUTTONDOWN);
    EXPECT_TRUE(IsWindowVisible(form_->Handle()));
    EXPECT_FALSE(IsIconic(form_->Handle()));
    EXPECT_FALSE(IsWindowVisible(card));
}

}  // namespace
}  // namespace lf::browser

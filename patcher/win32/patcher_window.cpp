#include "patcher/win32/patcher_window.h"

#include "catalogue/catalogue_format.h"
#include "common/win32/wide_text.h"
#include "patcher/patcher_layout.h"

namespace lf::patcher {
namespace {

constexpr wchar_t kClassName[] = L"LorefinderTablepatchForm1";
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;  // fixed, no min/max
constexpr DWORD kButtonStyle = WS_TABSTOP | BS_PUSHBUTTON;

// The panel's controls belong to the window itself, so that their clicks reach it: their places
// are the panel's plus their places in it.
PixelPlace InIconPanel(const PixelPlace& place) { return Within(layout::kIconPanel, place); }

void SetCaption(HWND window, std::string_view caption) {
    SetWindowTextW(window, Wide(caption).c_str());
}

}  // namespace

Form1::Form1(SystemPort& system, std::string folder)
    : presenter_(*this, system, std::move(folder)) {
    const HICON programIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    Create({kClassName, programIcon, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)}, kWindowStyle, 0,
           L"", layout::kClientWidth, layout::kClientHeight);
    CreateControls();
    ShowCaptions(kDesignCaptions);
}

bool Form1::Start() {
    if (!presenter_.Start()) return false;
    CentreOnWorkArea();
    return true;
}

// Tab order follows creation: CMD_Replace, CMD_Export, CMD_help, then the icon panel.
void Form1::CreateControls() {
    const auto button = [this](DWORD style, const PixelPlace& place, int id) {
        return CreateControl(Handle(), L"BUTTON", L"", style, place, id);
    };
    CMD_Replace = button(kButtonStyle, layout::kReplaceButton, kReplaceButton);
    CMD_Export = button(kButtonStyle, layout::kExportButton, kExportButton);
    CMD_help = button(kButtonStyle, layout::kHelpButton, kHelpButton);
    // The frame without caption, drawn behind the panel's controls.
    button(BS_GROUPBOX, layout::kIconPanel, kIconPanel);
    for (int k = 0; k < kIconSheetCount; ++k) {
        const DWORD style = BS_AUTORADIOBUTTON | (k == 0 ? WS_GROUP | WS_TABSTOP : 0);
        IconSel[k] = button(style, InIconPanel(layout::IconOption(k)), kFirstIconOption + k);
        SetCaption(IconSel[k], IconOptionCaption(k));
    }
    SendMessageW(IconSel[0], BM_SETCHECK, BST_CHECKED, 0);
    CMD_ImportIcon =
        button(kButtonStyle | WS_GROUP, InIconPanel(layout::kImportIconButton), kImportIconButton);
}

LRESULT Form1::OnMessage(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(w) == BN_CLICKED) OnCommand(LOWORD(w));
            return 0;
        case WM_DESTROY:
            PostQuitMessage(exitCode_);
            return 0;
        default:
            return DefWindowProcW(Handle(), message, w, l);
    }
}

void Form1::OnCommand(int id) {
    switch (id) {
        case kReplaceButton:
            presenter_.OnReplace();
            break;
        case kExportButton:
            presenter_.OnExport();
            break;
        case kHelpButton:
            presenter_.OnHelp();
            break;
        case kImportIconButton:
            presenter_.OnImportIcon();
            break;
        default:
            if (id >= kFirstIconOption && id < kFirstIconOption + kIconSheetCount) {
                presenter_.OnIconChosen(id - kFirstIconOption);
            }
    }
}

// ---- PatcherView -------------------------------------------------------------------------------

void Form1::ShowCaptions(const PatcherCaptions& captions) {
    SetCaption(Handle(), captions.window);
    SetCaption(CMD_Replace, captions.replaceButton);
    SetCaption(CMD_Export, captions.exportButton);
    SetCaption(CMD_help, captions.helpButton);
    SetCaption(CMD_ImportIcon, captions.importIconButton);
}

void Form1::SetOuterHeight(int pixels) {
    RECT outer;
    GetWindowRect(Handle(), &outer);
    SetWindowPos(Handle(), nullptr, 0, 0, outer.right - outer.left, pixels,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form1::End() {
    exitCode_ = 1;
    DestroyWindow(Handle());
}

}  // namespace lf::patcher

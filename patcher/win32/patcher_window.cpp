#include "patcher/win32/patcher_window.h"

#include "common/win32/wide_text.h"
#include "patcher/patcher_layout.h"

namespace lf::patcher {
namespace {

constexpr wchar_t kClassName[] = L"LorefinderTablepatchForm1";
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;  // fixed, no min/max
constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;

void RegisterWindowClass(WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hIcon = LoadIconW(windowClass.hInstance, MAKEINTRESOURCEW(1));  // the program's
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);  // fails harmlessly when a second window registers again
}

// The panel's controls belong to the window itself, so that their clicks reach it: their places
// are the panel's plus their places in it.
PixelPlace InIconPanel(const PixelPlace& place) { return Within(layout::kIconPanel, place); }

void SetCaption(HWND window, std::string_view caption) {
    SetWindowTextW(window, Wide(caption).c_str());
}

}  // namespace

Form1::Form1(SystemPort& system, std::string folder)
    : presenter_(*this, system, std::move(folder)) {
    RegisterWindowClass(&Form1::WindowProc);
    RECT outer{0, 0, layout::kClientWidth, layout::kClientHeight};
    AdjustWindowRectEx(&outer, kWindowStyle, FALSE, 0);
    // Design-time captions are the English ones; start-up switches to Chinese when needed.
    window_ = CreateWindowExW(0, kClassName, L"ResProc", kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                              outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr,
                              GetModuleHandleW(nullptr), this);
    CreateControls();
}

Form1::~Form1() {
    if (window_ != nullptr) DestroyWindow(window_);
}

bool Form1::Start() {
    if (!presenter_.Start()) return false;
    RECT outer;
    GetWindowRect(window_, &outer);
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    SetWindowPos(window_, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

// Tab order follows creation: CMD_Replace, CMD_Export, CMD_help, then the icon panel.
void Form1::CreateControls() {
    CMD_Replace = Place(L"BUTTON", L"Import", kButtonStyle, layout::kReplaceButton, kReplaceButton);
    CMD_Export = Place(L"BUTTON", L"Export", kButtonStyle, layout::kExportButton, kExportButton);
    CMD_help = Place(L"BUTTON", L"I", kButtonStyle, layout::kHelpButton, kHelpButton);
    // The frame without caption, drawn behind the panel's controls.
    Place(L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, layout::kIconPanel, kIconPanel);
    for (int k = 0; k < kIconSheetCount; ++k) {
        const DWORD style =
            WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON | (k == 0 ? WS_GROUP | WS_TABSTOP : 0);
        const std::wstring caption = L"Item Icon " + std::to_wstring(k + 1);
        IconSel[k] = Place(L"BUTTON", caption.c_str(), style, InIconPanel(layout::IconOption(k)),
                           kFirstIconOption + k);
    }
    SendMessageW(IconSel[0], BM_SETCHECK, BST_CHECKED, 0);
    CMD_ImportIcon = Place(L"BUTTON", L"Import", kButtonStyle | WS_GROUP,
                           InIconPanel(layout::kImportIconButton), kImportIconButton);
}

HWND Form1::Place(const wchar_t* kind, const wchar_t* caption, DWORD style, const PixelPlace& place,
                  int id) {
    HWND control = CreateWindowExW(
        0, kind, caption, style, place.left, place.top, place.width, place.height, window_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    // The layout was drawn for the system's dialog font, not a window's bolder default.
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    return control;
}

LRESULT CALLBACK Form1::WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCCREATE) {
        auto* form = static_cast<Form1*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
        form->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<Form1*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (form == nullptr) return DefWindowProcW(window, message, w, l);
    return form->OnMessage(message, w, l);
}

LRESULT Form1::OnMessage(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(w) == BN_CLICKED) OnCommand(LOWORD(w));
            return 0;
        case WM_DESTROY:
            PostQuitMessage(exitCode_);
            return 0;
        case WM_NCDESTROY: {
            HWND window = window_;
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            window_ = nullptr;
            return DefWindowProcW(window, message, w, l);
        }
        default:
            return DefWindowProcW(window_, message, w, l);
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
    SetCaption(window_, captions.window);
    SetCaption(CMD_Replace, captions.replaceButton);
    SetCaption(CMD_Export, captions.exportButton);
    SetCaption(CMD_help, captions.helpButton);
    SetCaption(CMD_ImportIcon, captions.importIconButton);
}

void Form1::SetOuterHeightTwips(int twips) {
    RECT outer;
    GetWindowRect(window_, &outer);
    SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, twips / layout::kTwipsPerPixel,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form1::End() {
    exitCode_ = 1;
    DestroyWindow(window_);
}

}  // namespace lf::patcher

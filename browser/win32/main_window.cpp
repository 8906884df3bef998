#include "browser/win32/main_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include "browser/main_window_layout.h"
#include "common/win32/wide_text.h"
#include "composer/win32/stat_form.h"
#include "finder/win32/finder_window.h"

namespace lf::browser {
namespace {

namespace layout = main_window_layout;

constexpr wchar_t kWindowClass[] = L"LorefinderForm1";
constexpr DWORD kFixedSingleBorder = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr UINT_PTR kSearchBoxSubclass = 1;
constexpr UINT kHideWhenSettled = WM_APP + 2;
constexpr int kTooltipWidth = 400;  // wide enough for a description, and lets it break lines

COLORREF ToColorRef(Rgb colour) { return RGB(colour.red, colour.green, colour.blue); }

HINSTANCE ThisModule() { return GetModuleHandleW(nullptr); }

// A program built without our icon (a test) gets the system's.
HICON AppIcon() {
    HICON icon = LoadIconW(ThisModule(), MAKEINTRESOURCEW(kAppIconId));
    return icon ? icon : LoadIconW(nullptr, MAKEINTRESOURCEW(32512));  // IDI_APPLICATION
}

void SetText(HWND control, std::string_view text) { SetWindowTextW(control, Wide(text).c_str()); }

// Ctrl+F opens the Item Finder from wherever the focus is in the program.
HACCEL CreateAccelerators() {
    ACCEL find{FVIRTKEY | FCONTROL, 'F', static_cast<WORD>(ControlId::Find)};
    return CreateAcceleratorTableW(&find, 1);
}

void SetMenuItemText(HMENU menu, ControlId item, std::string_view text) {
    const std::wstring wide = Wide(text);
    const auto id = static_cast<UINT_PTR>(item);
    ModifyMenuW(menu, static_cast<UINT>(id), MF_BYCOMMAND | MF_STRING, id, wide.c_str());
}

}  // namespace

Form1::Form1(SystemPort& system, ResourceReader readResource)
    : counterBrush_(CreateSolidBrush(ToColorRef(layout::kCounterGrey))),
      ClipProc(CreatePopupMenu()),
      accelerators_(CreateAccelerators()),
      presenter_(*this, system, std::move(readResource)) {
    // Opens centred on the work area, with the client area the layout asks for.
    Create({kWindowClass, AppIcon(), reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)},
           kFixedSingleBorder, WS_EX_CONTROLPARENT, Wide(kBrowserTitle).c_str(),
           layout::kClientWidth, layout::kClientHeight);
    CentreOnWorkArea();
    tray_ = std::make_unique<TrayIcon>(Handle(), AppIcon(), kTrayMessage, Wide(kBrowserTitle));
    CreateControls();
    SetTimer(Handle(), kDockTimer, layout::kDockIntervalMs, nullptr);
}

Form1::~Form1() {
    tray_->Remove();
    statForm_.reset();
    finder_.reset();
    DestroyAcceleratorTable(accelerators_);
    DestroyMenu(ClipProc);
    DeleteObject(counterBrush_);
}

// ---- the controls -----------------------------------------------------------------------------

// Created in tab order: each new child goes below the ones before it, and Tab follows that.
// The counters come before their frames so that the frames, drawn below them, leave them whole.
void Form1::CreateControls() {
    const auto place = [this](const wchar_t* windowClass, ControlId id, const PixelPlace& where,
                              DWORD style, DWORD extendedStyle = 0) {
        return CreateControl(Handle(), windowClass, L"", WS_CLIPSIBLINGS | style, where,
                             static_cast<int>(id), extendedStyle);
    };
    constexpr DWORD kTab = WS_TABSTOP;
    constexpr DWORD kField = kTab | ES_AUTOHSCROLL;
    place(WC_BUTTONW, ControlId::CMD_Sc, layout::kCMD_Sc, kTab | BS_PUSHBUTTON);
    // The list holds no names of its own: it draws the rows it shows from the table.
    place(WC_LISTBOXW, ControlId::ItemList, layout::kItemList,
          kTab | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_NODATA | LBS_OWNERDRAWFIXED,
          WS_EX_CLIENTEDGE);
    place(WC_EDITW, ControlId::Text_ItemNum, layout::kText_ItemNum, kField, WS_EX_CLIENTEDGE);
    HWND searchBox =
        place(WC_EDITW, ControlId::Text_Sc, layout::kText_Sc, kField, WS_EX_CLIENTEDGE);
    SetWindowSubclass(searchBox, SearchBoxProc, kSearchBoxSubclass,
                      reinterpret_cast<DWORD_PTR>(this));
    place(WC_EDITW, ControlId::Text_ItemName, layout::kText_ItemName, kField | ES_READONLY,
          WS_EX_CLIENTEDGE);
    place(WC_STATICW, ControlId::LabelTotal, Within(layout::kFrame1, layout::kLabelTotal), SS_LEFT);
    place(WC_STATICW, ControlId::Frame1, layout::kFrame1, SS_ETCHEDFRAME);
    place(WC_STATICW, ControlId::LabelLine, Within(layout::kFrame2, layout::kLabelLine), SS_LEFT);
    place(WC_STATICW, ControlId::Frame2, layout::kFrame2, SS_ETCHEDFRAME);
    place(WC_STATICW, ControlId::Label1, layout::kLabel1, SS_LEFT);
    place(WC_STATICW, ControlId::Label2, layout::kLabel2, SS_LEFT);
    place(WC_STATICW, ControlId::Picture2, layout::kPicture2, SS_OWNERDRAW | SS_NOTIFY);
    CreateNameTooltip();
    for (ControlId item : {ControlId::ClipBoard_copy, ControlId::ClipBoard_paste}) {
        AppendMenuW(ClipProc, MF_STRING, static_cast<UINT_PTR>(item), L"");
    }
    AppendMenuW(ClipProc, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(ClipProc, MF_STRING, static_cast<UINT_PTR>(ControlId::Find), L"");
    ShowCaptions(kDesignCaptions);
}

void Form1::CreateNameTooltip() {
    nameTooltip_ =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                        WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr, ThisModule(), nullptr);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(Control(ControlId::Text_ItemName));
    tool.lpszText = nameTip_.data();
    SendMessageW(nameTooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(nameTooltip_, TTM_SETMAXTIPWIDTH, 0, kTooltipWidth);
}

StatForm& Form1::Detail() {
    if (!statForm_) statForm_ = std::make_unique<StatForm>(Handle());
    return *statForm_;
}

std::string Form1::TextOf(ControlId id) const {
    HWND control = Control(id);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return Narrow(text);
}

// ---- events -----------------------------------------------------------------------------------

bool Form1::TranslateKeys(MSG& message) {
    if (TranslateAcceleratorW(Handle(), accelerators_, &message)) return true;
    if (finder_ && finder_->Handle() && IsDialogMessageW(finder_->Handle(), &message)) return true;
    return IsDialogMessageW(Handle(), &message) != FALSE;
}

LRESULT Form1::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(static_cast<ControlId>(LOWORD(wParam)), HIWORD(wParam));
            return 0;
        case WM_CTLCOLORSTATIC:
            if (HBRUSH brush =
                    OnStaticColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam))) {
                return reinterpret_cast<LRESULT>(brush);
            }
            break;
        case WM_MEASUREITEM:
            if (wParam == static_cast<WPARAM>(ControlId::ItemList)) {
                reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = RowHeight();
                return TRUE;
            }
            break;
        case WM_DRAWITEM:
            if (wParam == static_cast<WPARAM>(ControlId::Picture2)) {
                DrawIconBox(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
                return TRUE;
            }
            if (wParam == static_cast<WPARAM>(ControlId::ItemList)) {
                DrawListRow(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
                return TRUE;
            }
            break;
        case WM_TIMER:
            if (wParam == kDockTimer) presenter_.OnDockTimer();
            return 0;
        case WM_SIZE:
            if (wParam == SIZE_MINIMIZED) presenter_.OnMinimised();
            return 0;
        case kHideWhenSettled:
            if (IsIconic(Handle())) ShowWindow(Handle(), SW_HIDE);
            return 0;
        case kTrayMessage:
            if (LOWORD(lParam) == WM_LBUTTONDOWN) presenter_.OnTrayToggle();
            return 0;
        case WM_ACTIVATE:
            OnActivate(LOWORD(wParam) != WA_INACTIVE);
            return 0;
        case WM_CLOSE:
            presenter_.Close();
            DestroyWindow(Handle());
            PostQuitMessage(0);
            return 0;
        case WM_ENDSESSION:
            if (wParam) presenter_.Close();  // log-off and shutdown close the window too
            return 0;
        default:
            if (message == TrayIcon::TaskbarCreatedMessage()) {
                tray_->AddAgainIfShown();
                return 0;
            }
            break;
    }
    return DefWindowProcW(Handle(), message, wParam, lParam);
}

void Form1::OnCommand(ControlId id, int notification) {
    switch (id) {
        case ControlId::CMD_Sc:
            if (notification == BN_CLICKED) Search();
            break;
        case ControlId::Text_Sc:
            if (notification == EN_CHANGE) presenter_.OnSearchTextChanged();
            break;
        case ControlId::Text_ItemNum:
            if (notification == EN_CHANGE) {
                presenter_.OnItemNumberChanged(TextOf(ControlId::Text_ItemNum));
            }
            break;
        case ControlId::ItemList:
            if (notification == LBN_SELCHANGE) {
                const auto row = SendMessageW(Control(ControlId::ItemList), LB_GETCURSEL, 0, 0);
                presenter_.OnRowSelected(row == LB_ERR ? std::nullopt
                                                       : std::optional<std::size_t>(row));
            }
            break;
        case ControlId::Picture2:
            // The second click of a double click is a click too.
            if (notification == STN_CLICKED || notification == STN_DBLCLK) {
                presenter_.OnIconBoxClicked();
            }
            break;
        case ControlId::ClipBoard_copy:
            presenter_.OnCopy(TextOf(ControlId::Text_Sc));
            break;
        case ControlId::ClipBoard_paste:
            presenter_.OnPaste();
            break;
        case ControlId::Find:  // the menu's entry or Ctrl+F
            presenter_.OnFind();
            break;
        default:
            break;
    }
}

// A window that is not a dialog keeps no keyboard focus of its own: it goes back to the control
// that had it, or at first to the first control in tab order.
void Form1::OnActivate(bool active) {
    if (!active) {
        HWND focus = GetFocus();
        if (focus && IsChild(Handle(), focus)) lastFocus_ = focus;
        return;
    }
    SetFocus(lastFocus_ && IsWindow(lastFocus_) ? lastFocus_
                                                : GetNextDlgTabItem(Handle(), nullptr, FALSE));
}

void Form1::Search() { presenter_.OnSearch(TextOf(ControlId::Text_Sc)); }

HBRUSH Form1::OnStaticColour(HDC dc, HWND control) {
    if (control != Control(ControlId::LabelTotal) && control != Control(ControlId::LabelLine)) {
        return nullptr;
    }
    SetBkColor(dc, ToColorRef(layout::kCounterGrey));
    return counterBrush_;
}

// The box is grey until an icon is shown; the icon leaves its last row and column grey.
void Form1::DrawIconBox(const DRAWITEMSTRUCT& item) const {
    const std::uint32_t grey = kIconBoxGrey;
    HBRUSH background = CreateSolidBrush(RGB(grey >> 16 & 0xFF, grey >> 8 & 0xFF, grey & 0xFF));
    FillRect(item.hDC, &item.rcItem, background);
    DeleteObject(background);
    if (iconBox_.pixels.empty()) return;
    BITMAPINFO picture{};
    picture.bmiHeader.biSize = sizeof picture.bmiHeader;
    picture.bmiHeader.biWidth = iconBox_.width;
    picture.bmiHeader.biHeight = -iconBox_.height;  // top row first
    picture.bmiHeader.biPlanes = 1;
    picture.bmiHeader.biBitCount = 32;
    picture.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(
        item.hDC, 0, 0, static_cast<DWORD>(iconBox_.width), static_cast<DWORD>(iconBox_.height), 0,
        0, 0, static_cast<UINT>(iconBox_.height), iconBox_.pixels.data(), &picture, DIB_RGB_COLORS);
}

// At the mouse, or below the box's top-left corner when the menu key asked for it.
void Form1::PopUpClipboardMenu(LPARAM at) {
    POINT where{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    if (at == -1) {
        RECT box{};
        GetWindowRect(Control(ControlId::Text_Sc), &box);
        where = {box.left, box.bottom};
    }
    TrackPopupMenu(ClipProc, TPM_LEFTALIGN | TPM_RIGHTBUTTON, where.x, where.y, 0, Handle(),
                   nullptr);
}

// The search box holds one line: Enter searches and adds nothing to the text.
LRESULT CALLBACK Form1::SearchBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR formAddress) {
    auto* form = reinterpret_cast<Form1*>(formAddress);
    switch (message) {
        case WM_GETDLGCODE:
            if (wParam == VK_RETURN) {
                return DLGC_WANTALLKEYS | DefSubclassProc(hwnd, message, wParam, lParam);
            }
            break;
        case WM_CHAR:
            if (wParam == L'\r') {
                form->Search();
                return 0;
            }
            break;
        case WM_CONTEXTMENU:
            form->PopUpClipboardMenu(lParam);
            return 0;
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, SearchBoxProc, kSearchBoxSubclass);
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

// ---- BrowserView ------------------------------------------------------------------------------

void Form1::AddTrayIcon() { tray_->Add(); }

void Form1::RemoveTrayIcon() { tray_->Remove(); }

void Form1::ShowCaptions(const BrowserCaptions& captions) {
    SetText(Control(ControlId::CMD_Sc), captions.searchButton);
    SetText(Control(ControlId::Label1), captions.itemNumberLabel);
    SetText(Control(ControlId::Label2), captions.iconLabel);
    SetMenuItemText(ClipProc, ControlId::ClipBoard_copy, captions.copyMenuItem);
    SetMenuItemText(ClipProc, ControlId::ClipBoard_paste, captions.pasteMenuItem);
    SetMenuItemText(ClipProc, ControlId::Find, captions.findMenuItem);
}

// The list learns how many rows there are; it asks for the few it shows as it draws them.
void Form1::ShowItemList(const ItemTable& items) {
    listItems_ = &items;
    SendMessageW(Control(ControlId::ItemList), LB_SETCOUNT, items.size(), 0);
}

// A row as tall as the list's font, as the list would make it for a name of its own.
UINT Form1::RowHeight() const {
    HDC dc = GetDC(Handle());
    HGDIOBJ previous = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(Handle(), dc);
    return static_cast<UINT>(metrics.tmHeight);
}

// Drawn as the list draws its own rows: the selection in the highlight colours, the focus as a
// dotted frame.
void Form1::DrawListRow(const DRAWITEMSTRUCT& row) const {
    if (row.itemID == static_cast<UINT>(-1) || !listItems_) {
        if (row.itemState & ODS_FOCUS) DrawFocusRect(row.hDC, &row.rcItem);
        return;
    }
    const bool selected = (row.itemState & ODS_SELECTED) != 0;
    FillRect(row.hDC, &row.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetTextColor(row.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    SetBkMode(row.hDC, TRANSPARENT);
    RECT text = row.rcItem;
    text.left += GetSystemMetrics(SM_CXEDGE);  // the margin of the list's own rows
    const std::wstring name = Wide((*listItems_)[row.itemID].Name);
    DrawTextW(row.hDC, name.c_str(), static_cast<int>(name.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (row.itemState & ODS_FOCUS) DrawFocusRect(row.hDC, &row.rcItem);
}

void Form1::SetItemNumberLength(int characters) {
    SendMessageW(Control(ControlId::Text_ItemNum), EM_SETLIMITTEXT, static_cast<WPARAM>(characters),
                 0);
}

void Form1::ShowTotal(std::string_view text) { SetText(Control(ControlId::LabelTotal), text); }

// Selecting from here notifies nothing: the presenter already knows.
void Form1::SelectRow(std::size_t row) {
    SendMessageW(Control(ControlId::ItemList), LB_SETCURSEL, row, 0);
}

// The caret goes after the number, so that typing on goes on after the digits typed so far.
void Form1::ShowItemNumber(std::string_view number) {
    HWND field = Control(ControlId::Text_ItemNum);
    SetText(field, number);
    SendMessageW(field, EM_SETSEL, number.size(), static_cast<LPARAM>(number.size()));
}

void Form1::ShowItemName(std::string_view name, std::string_view description) {
    HWND field = Control(ControlId::Text_ItemName);
    SetText(field, name);
    nameTip_ = Wide(description);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(field);
    tool.lpszText = nameTip_.data();
    SendMessageW(nameTooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Form1::ShowPosition(std::string_view text) { SetText(Control(ControlId::LabelLine), text); }

void Form1::ShowIcon(const PixelImage& box) {
    iconBox_ = box;
    InvalidateRect(Control(ControlId::Picture2), nullptr, FALSE);
}

void Form1::ShowCard(const Card& card) { Detail().ShowCard(card); }

bool Form1::DetailVisible() const { return statForm_ && statForm_->IsVisible(); }

void Form1::SetDetailVisible(bool visible) { Detail().SetVisible(visible); }

void Form1::MoveDetail(ScreenPoint topLeft) { Detail().Move(topLeft.x, topLeft.y); }

void Form1::DestroyDetail() { statForm_.reset(); }

void Form1::FocusList() { SetFocus(Control(ControlId::ItemList)); }

void Form1::SetSearchText(std::string_view text) { SetText(Control(ControlId::Text_Sc), text); }

bool Form1::MainWindowIsNormal() const { return IsWindowVisible(Handle()) && !IsIconic(Handle()); }

ScreenRect Form1::MainWindowFrame() const {
    RECT frame{};
    GetWindowRect(Handle(), &frame);
    return {frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top};
}

void Form1::MinimiseAndHideMainWindow() {
    ShowWindow(Handle(), SW_MINIMIZE);
    ShowWindow(Handle(), SW_HIDE);
}

void Form1::RestoreMainWindow() {
    ShowWindow(Handle(), SW_RESTORE);
    SetForegroundWindow(Handle());
}

// After the minimise has been handled: hiding inside it would leave a stale task-bar button.
void Form1::HideMainWindowWhenSettled() { PostMessageW(Handle(), kHideWhenSettled, 0, 0); }

finder::FinderPresenter& Form1::ItemFinder(const ItemTable& items, Language language,
                                           std::function<void(std::size_t row)> showItem) {
    if (!finder_) {
        finder_ =
            std::make_unique<finder::FinderWindow>(Handle(), items, language, std::move(showItem));
    }
    return finder_->Presenter();
}

int Form1::FinderOuterWidth() const { return finder_ ? finder_->OuterWidth() : 0; }

void Form1::MoveFinder(ScreenPoint topLeft) {
    if (finder_) finder_->Move(topLeft);
}

}  // namespace lf::browser

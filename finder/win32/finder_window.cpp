#include "finder/win32/finder_window.h"

#include <commctrl.h>

#include <algorithm>
#include <span>

#include "common/win32/wide_text.h"
#include "finder/finder_layout.h"

namespace lf::finder {
namespace {

constexpr wchar_t kWindowClass[] = L"LorefinderItemFinder";
constexpr DWORD kFixedSingleBorder = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr UINT_PTR kNameBoxSubclass = 1;
// A drop-down list's place is its closed box and its open list together; this one shows a dozen
// entries before it scrolls.
constexpr int kDroppedHeight = 220;

void SetText(HWND control, std::string_view text) { SetWindowTextW(control, Wide(text).c_str()); }

// The open list is as wide as its longest entry needs, and never narrower than the box.
void FillChoices(HWND box, const std::vector<std::string>& entries) {
    SendMessageW(box, CB_RESETCONTENT, 0, 0);
    HDC dc = GetDC(box);
    HGDIOBJ previous =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0)));
    int widest = 0;
    for (const std::string& entry : entries) {
        const std::wstring text = Wide(entry);
        SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        widest = std::max<int>(widest, size.cx);
    }
    SelectObject(dc, previous);
    ReleaseDC(box, dc);
    SendMessageW(box, CB_SETCURSEL, 0, 0);
    const int edges = GetSystemMetrics(SM_CXEDGE) * 4;  // the list's border and the text's margin
    SendMessageW(box, CB_SETDROPPEDWIDTH, widest + GetSystemMetrics(SM_CXVSCROLL) + edges, 0);
}

// The layout's stretching column gives up the room of the vertical scroll bar: the columns fill
// the list's width exactly, and a horizontal scroll bar would cover the last row.
void AddColumns(HWND list, std::span<const int> widths, std::size_t yielding) {
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH | LVCF_SUBITEM;
    for (std::size_t i = 0; i < widths.size(); ++i) {
        column.cx = widths[i] - (i == yielding ? GetSystemMetrics(SM_CXVSCROLL) : 0);
        column.iSubItem = static_cast<int>(i);
        SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
}

void SetCell(HWND list, int row, int column, std::string_view text) {
    std::wstring wide = Wide(text);
    LVITEMW cell{};
    cell.iSubItem = column;
    cell.pszText = wide.data();
    SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
}

}  // namespace

FinderWindow::FinderWindow(HWND owner, const ItemTable& items, Language language,
                           std::function<void(std::size_t row)> showItem)
    : presenter_(*this, items, language, std::move(showItem)) {
    // The main window's icon, so that the two read as one program.
    const auto icon = reinterpret_cast<HICON>(GetClassLongPtrW(owner, GCLP_HICON));
    Create({kWindowClass, icon, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)}, kFixedSingleBorder,
           WS_EX_CONTROLPARENT, L"", layout::kClientWidth, layout::kClientHeight, owner);
    CreateControls();
}

int FinderWindow::OuterWidth() const {
    RECT frame{};
    GetWindowRect(Handle(), &frame);
    return frame.right - frame.left;
}

void FinderWindow::Move(ScreenPoint topLeft) {
    SetWindowPos(Handle(), nullptr, topLeft.x, topLeft.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---- the controls -----------------------------------------------------------------------------

// Created in tab order, each label before the field it names.
void FinderWindow::CreateControls() {
    const auto place = [this](const wchar_t* windowClass, FinderControl id, const PixelPlace& where,
                              DWORD style, DWORD extendedStyle = 0) {
        return CreateControl(Handle(), windowClass, L"", style, where, static_cast<int>(id),
                             extendedStyle);
    };
    const auto dropDown = [&](FinderControl id, const PixelPlace& where) {
        place(WC_COMBOBOXW, id, {where.left, where.top, where.width, kDroppedHeight},
              WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST);
    };
    constexpr DWORD kField = WS_TABSTOP | ES_AUTOHSCROLL;
    constexpr DWORD kLabel = SS_LEFT | SS_NOPREFIX;
    place(WC_STATICW, FinderControl::NameLabel, layout::kNameLabel, kLabel);
    HWND nameBox =
        place(WC_EDITW, FinderControl::NameBox, layout::kNameBox, kField, WS_EX_CLIENTEDGE);
    SetWindowSubclass(nameBox, NameBoxProc, kNameBoxSubclass, reinterpret_cast<DWORD_PTR>(this));
    place(WC_STATICW, FinderControl::SlotLabel, layout::kSlotLabel, kLabel);
    dropDown(FinderControl::SlotDropDown, layout::kSlotChoice);
    place(WC_STATICW, FinderControl::ClassLabel, layout::kClassLabel, kLabel);
    dropDown(FinderControl::ClassDropDown, layout::kClassChoice);
    place(WC_STATICW, FinderControl::LevelLabel, layout::kLevelLabel, kLabel);
    place(WC_EDITW, FinderControl::LevelFrom, layout::kLevelFrom, kField | ES_NUMBER,
          WS_EX_CLIENTEDGE);
    place(WC_STATICW, FinderControl::LevelToLabel, layout::kLevelToLabel, kLabel);
    place(WC_EDITW, FinderControl::LevelTo, layout::kLevelTo, kField | ES_NUMBER, WS_EX_CLIENTEDGE);
    place(WC_STATICW, FinderControl::StatLabel, layout::kStatLabel, kLabel);
    dropDown(FinderControl::StatDropDown, layout::kStatChoice);
    place(WC_STATICW, FinderControl::StatMinimumLabel, layout::kStatMinimumLabel, kLabel);
    place(WC_EDITW, FinderControl::StatMinimum, layout::kStatMinimum, kField, WS_EX_CLIENTEDGE);
    place(WC_BUTTONW, FinderControl::SpecialOnly, layout::kSpecialOnly,
          WS_TABSTOP | BS_AUTOCHECKBOX);

    // Every row is drawn from the presenter's cells: the list holds none of them.
    HWND results =
        place(WC_LISTVIEWW, FinderControl::Results, layout::kResults,
              WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
              WS_EX_CLIENTEDGE);
    SendMessageW(results, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_LABELTIP);
    AddColumns(results, layout::kResultColumnWidths, layout::kResultStretchColumn);
    place(WC_STATICW, FinderControl::Count, layout::kCount, kLabel);
    place(WC_BUTTONW, FinderControl::CompareButton, layout::kCompareButton,
          WS_TABSTOP | BS_PUSHBUTTON);
    place(WC_BUTTONW, FinderControl::ClearButton, layout::kClearButton, WS_TABSTOP | BS_PUSHBUTTON);
    // The first line names the two items, so the columns need no titles.
    HWND comparison =
        place(WC_LISTVIEWW, FinderControl::Comparison, layout::kComparison,
              WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL, WS_EX_CLIENTEDGE);
    SendMessageW(comparison, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    AddColumns(comparison, layout::kComparisonColumnWidths, layout::kComparisonStretchColumn);
    ::ShowWindow(comparison, SW_HIDE);  // nothing is compared yet
}

std::string FinderWindow::TextOf(FinderControl id) const {
    HWND control = Control(id);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return Narrow(text);
}

std::size_t FinderWindow::ChoiceOf(FinderControl id) const {
    const LRESULT choice = SendMessageW(Control(id), CB_GETCURSEL, 0, 0);
    return choice == CB_ERR ? 0 : static_cast<std::size_t>(choice);
}

// ---- events -----------------------------------------------------------------------------------

LRESULT FinderWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            // Escape and Enter come from the dialog manager of the message loop.
            if (LOWORD(wParam) == IDCANCEL) {
                presenter_.OnEscape();
            } else if (LOWORD(wParam) == IDOK) {
                OnEnter();
            } else {
                OnCommand(static_cast<FinderControl>(LOWORD(wParam)), HIWORD(wParam));
            }
            return 0;
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<NMHDR*>(lParam));
        case WM_ACTIVATE:
            OnActivate(LOWORD(wParam) != WA_INACTIVE);
            return 0;
        case WM_CLOSE:
            presenter_.OnEscape();  // the close box hides the finder, as Escape does
            return 0;
        default:
            break;
    }
    return DefWindowProcW(Handle(), message, wParam, lParam);
}

void FinderWindow::OnCommand(FinderControl id, int notification) {
    switch (id) {
        case FinderControl::NameBox:
            if (notification == EN_CHANGE) presenter_.OnNameChanged(TextOf(id));
            break;
        case FinderControl::LevelFrom:
            if (notification == EN_CHANGE) presenter_.OnLevelFromChanged(TextOf(id));
            break;
        case FinderControl::LevelTo:
            if (notification == EN_CHANGE) presenter_.OnLevelToChanged(TextOf(id));
            break;
        case FinderControl::StatMinimum:
            if (notification == EN_CHANGE) presenter_.OnStatMinimumChanged(TextOf(id));
            break;
        case FinderControl::SlotDropDown:
            if (notification == CBN_SELCHANGE) presenter_.OnSlotChosen(ChoiceOf(id));
            break;
        case FinderControl::ClassDropDown:
            if (notification == CBN_SELCHANGE) presenter_.OnClassChosen(ChoiceOf(id));
            break;
        case FinderControl::StatDropDown:
            if (notification == CBN_SELCHANGE) presenter_.OnStatChosen(ChoiceOf(id));
            break;
        case FinderControl::SpecialOnly:
            if (notification == BN_CLICKED) {
                presenter_.OnSpecialOnlyChanged(SendMessageW(Control(id), BM_GETCHECK, 0, 0) ==
                                                BST_CHECKED);
            }
            break;
        case FinderControl::CompareButton:
            if (notification == BN_CLICKED) presenter_.OnCompare();
            break;
        case FinderControl::ClearButton:
            if (notification == BN_CLICKED) presenter_.OnClear();
            break;
        default:
            break;
    }
}

LRESULT FinderWindow::OnNotify(NMHDR& header) {
    const auto from = static_cast<FinderControl>(header.idFrom);
    if (from == FinderControl::Results) {
        switch (header.code) {
            case LVN_GETDISPINFOW: {
                LVITEMW& cell = reinterpret_cast<NMLVDISPINFOW&>(header).item;
                const auto result = static_cast<std::size_t>(cell.iItem);
                if ((cell.mask & LVIF_TEXT) && cell.iItem >= 0 &&
                    result < presenter_.ResultCount()) {
                    const std::wstring text = Wide(
                        presenter_.ResultCell(result, static_cast<std::size_t>(cell.iSubItem)));
                    lstrcpynW(cell.pszText, text.c_str(), cell.cchTextMax);
                }
                return 0;
            }
            case LVN_COLUMNCLICK:
                presenter_.OnHeaderClicked(
                    static_cast<std::size_t>(reinterpret_cast<NMLISTVIEW&>(header).iSubItem));
                return 0;
            case LVN_ITEMCHANGED: {
                const NMLISTVIEW& change = reinterpret_cast<NMLISTVIEW&>(header);
                const bool selected =
                    (change.uNewState & LVIS_SELECTED) && !(change.uOldState & LVIS_SELECTED);
                if (!showingCurrent_ && selected && change.iItem >= 0) {
                    presenter_.OnResultClicked(static_cast<std::size_t>(change.iItem));
                }
                return 0;
            }
            case NM_DBLCLK: {
                const int result = reinterpret_cast<NMITEMACTIVATE&>(header).iItem;
                if (result >= 0) presenter_.OnResultActivated(static_cast<std::size_t>(result));
                return 0;
            }
            case NM_CUSTOMDRAW:
                return DrawCurrentResult(reinterpret_cast<NMLVCUSTOMDRAW&>(header));
            default:
                break;
        }
    } else if (from == FinderControl::Comparison && header.code == NM_CUSTOMDRAW) {
        // Each line in the colour of its verdict.
        auto& draw = reinterpret_cast<NMLVCUSTOMDRAW&>(header);
        if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
        if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT &&
            draw.nmcd.dwItemSpec < comparisonColours_.size()) {
            draw.clrText = comparisonColours_[draw.nmcd.dwItemSpec];
            return CDRF_NEWFONT;
        }
        return CDRF_DODEFAULT;
    }
    return 0;
}

// The current result stands out while the keys that move it are typed in the name box: it keeps
// the colours of a focused selection, not the faint grey of an unfocused list.
LRESULT FinderWindow::DrawCurrentResult(NMLVCUSTOMDRAW& draw) const {
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT && (draw.nmcd.uItemState & CDIS_SELECTED)) {
        draw.nmcd.uItemState &= ~CDIS_SELECTED;
        draw.clrText = GetSysColor(COLOR_HIGHLIGHTTEXT);
        draw.clrTextBk = GetSysColor(COLOR_HIGHLIGHT);
        return CDRF_NEWFONT;
    }
    return CDRF_DODEFAULT;
}

// Enter presses a focused button, as in a dialog; anywhere else it shows the current result.
void FinderWindow::OnEnter() {
    HWND focus = GetFocus();
    if (focus == Control(FinderControl::CompareButton) ||
        focus == Control(FinderControl::ClearButton)) {
        SendMessageW(focus, BM_CLICK, 0, 0);
        return;
    }
    presenter_.OnActivate();
}

// A window that is not a dialog keeps no keyboard focus of its own: it goes back to the control
// that had it, or at first to the name box.
void FinderWindow::OnActivate(bool active) {
    if (!active) {
        HWND focus = GetFocus();
        if (focus && IsChild(Handle(), focus)) lastFocus_ = focus;
        return;
    }
    SetFocus(lastFocus_ && IsWindow(lastFocus_) ? lastFocus_ : Control(FinderControl::NameBox));
}

// Down and Up move the current result while the caret stays in the name box.
LRESULT CALLBACK FinderWindow::NameBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR, DWORD_PTR windowAddress) {
    auto* window = reinterpret_cast<FinderWindow*>(windowAddress);
    switch (message) {
        case WM_KEYDOWN:
            if (wParam == VK_DOWN || wParam == VK_UP) {
                window->presenter_.OnMoveCurrent(wParam == VK_DOWN ? 1 : -1);
                return 0;
            }
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, NameBoxProc, kNameBoxSubclass);
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

// ---- FinderView -------------------------------------------------------------------------------

void FinderWindow::ShowCaptions(const FinderCaptions& captions, const FinderChoices& choices) {
    SetText(Handle(), captions.window);
    SetText(Control(FinderControl::NameLabel), captions.nameLabel);
    SetText(Control(FinderControl::SlotLabel), captions.slotLabel);
    SetText(Control(FinderControl::ClassLabel), captions.classLabel);
    SetText(Control(FinderControl::LevelLabel), captions.levelLabel);
    SetText(Control(FinderControl::LevelToLabel), captions.levelToLabel);
    SetText(Control(FinderControl::StatLabel), captions.statLabel);
    SetText(Control(FinderControl::StatMinimumLabel), captions.statMinimumLabel);
    SetText(Control(FinderControl::SpecialOnly), captions.specialOnly);
    SetText(Control(FinderControl::CompareButton), captions.compareButton);
    SetText(Control(FinderControl::ClearButton), captions.clearButton);
    FillChoices(Control(FinderControl::SlotDropDown), choices.slotNames);
    FillChoices(Control(FinderControl::ClassDropDown), choices.classNames);
    FillChoices(Control(FinderControl::StatDropDown), choices.statNames);
}

// The arrow on the sorted column points the way the values run down the list.
void FinderWindow::ShowHeaders(const ResultHeaders& headers) {
    HWND header =
        reinterpret_cast<HWND>(SendMessageW(Control(FinderControl::Results), LVM_GETHEADER, 0, 0));
    for (std::size_t column = 0; column < headers.titles.size(); ++column) {
        std::wstring title = Wide(headers.titles[column]);
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        SendMessageW(header, HDM_GETITEMW, column, reinterpret_cast<LPARAM>(&item));
        item.mask = HDI_FORMAT | HDI_TEXT;
        item.fmt = (item.fmt & ~(HDF_SORTUP | HDF_SORTDOWN)) | HDF_STRING;
        if (headers.sorted == column) item.fmt |= headers.descending ? HDF_SORTDOWN : HDF_SORTUP;
        item.pszText = title.data();
        SendMessageW(header, HDM_SETITEMW, column, reinterpret_cast<LPARAM>(&item));
    }
}

void FinderWindow::ShowResults(std::size_t count, std::string_view countText) {
    HWND results = Control(FinderControl::Results);
    SendMessageW(results, LVM_SETITEMCOUNT, count, 0);
    InvalidateRect(results, nullptr, FALSE);  // the same count may hold other items
    SetText(Control(FinderControl::Count), countText);
}

void FinderWindow::ShowCurrent(std::optional<std::size_t> result) {
    HWND results = Control(FinderControl::Results);
    showingCurrent_ = true;
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(results, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(&state));
    if (result) {
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(results, LVM_SETITEMSTATE, *result, reinterpret_cast<LPARAM>(&state));
        SendMessageW(results, LVM_ENSUREVISIBLE, *result, FALSE);
    }
    showingCurrent_ = false;
}

void FinderWindow::ShowComparison(const std::vector<ComparisonLine>& lines) {
    HWND comparison = Control(FinderControl::Comparison);
    SendMessageW(comparison, WM_SETREDRAW, FALSE, 0);
    SendMessageW(comparison, LVM_DELETEALLITEMS, 0, 0);
    comparisonColours_.clear();
    for (const ComparisonLine& line : lines) {
        const int row = static_cast<int>(comparisonColours_.size());
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        std::wstring label = Wide(line.label);
        item.pszText = label.data();
        SendMessageW(comparison, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        SetCell(comparison, row, 1, line.pinned);
        SetCell(comparison, row, 2, line.other);
        SetCell(comparison, row, 3, line.change);
        comparisonColours_.push_back(RGB(line.colour.red, line.colour.green, line.colour.blue));
    }
    SendMessageW(comparison, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(comparison, nullptr, TRUE);
    ::ShowWindow(comparison, lines.empty() ? SW_HIDE : SW_SHOW);
}

// Shown and raised, the name box focused, however it was left.
void FinderWindow::ShowWindow() {
    ::ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    SetFocus(Control(FinderControl::NameBox));
}

void FinderWindow::HideWindow() { ::ShowWindow(Handle(), SW_HIDE); }

}  // namespace lf::finder

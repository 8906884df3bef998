#include "web/web_session.h"

#include "common/wording.h"
#include "web/page_imports.h"

namespace lf::web {
namespace {

constexpr Bilingual kLinkRefused{"无法打开这个链接：", "This link cannot be opened: "};
constexpr Bilingual kLinkUnused{"道具查找没有这些条件：", "The Item Finder has no control for: "};
constexpr Bilingual kNoSuchRow{"没有这一行：", "There is no such row: "};

std::string Joined(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words) text += (text.empty() ? "" : ", ") + word;
    return text;
}

}  // namespace

WebSession::WebSession(const WebCatalogue& catalogue, bool chinese)
    : chinese_(chinese), system_(chinese), presenter_(view_, system_, catalogue.Reader()) {
    view_.Attach(presenter_);
}

void WebSession::TakeOver(const WebSession& other) {
    if (const auto row = other.presenter_.SelectedRow()) SelectRowByHand(*row);
    const FinderControls& controls = other.controls_;
    if (!controls.made) return;
    const finder::FinderPresenter& old = *other.Finder();
    const std::optional<std::size_t> currentRow =
        old.Current() ? std::optional(old.ResultRow(*old.Current())) : std::nullopt;
    OpenFinder();
    finder::FinderPresenter& finder = *Finder();
    // Before any filter the results are every row in order: the pinned row is its own result.
    if (controls.pinnedRow) {
        finder.OnResultClicked(*controls.pinnedRow);
        FinderCompare();
    }
    SetFinderForm(controls.form);
    for (const std::size_t column : controls.headerClicks) FinderHeader(column);
    for (std::size_t result = 0; currentRow && result < finder.ResultCount(); ++result) {
        if (finder.ResultRow(result) == *currentRow) finder.OnResultClicked(result);
    }
    if (!other.view_.FinderView().Shown()) finder.OnEscape();
}

void WebSession::SelectRowByHand(std::size_t row) {
    view_.SelectRow(row);
    presenter_.OnRowSelected(row);
}

void WebSession::OpenLink(const PageLink& link) {
    const Language language = LanguageOf(chinese_);
    const auto tell = [&](const Bilingual& what, const std::string& detail) {
        system_.ShowMessage(kBrowserTitle, std::string(what.In(language)) + detail);
    };
    if (IsFinderLink(link)) {
        const auto read = ReadFinderLink(link);
        if (!read) return tell(kLinkRefused, read.error());
        OpenFinder();
        SetFinderForm(read->form);
        if (read->form.sortColumn) {
            SortBy(*read->form.sortColumn, read->form.descending);
        } else if (!controls_.headerClicks.empty()) {
            SortBy(finder::kRow, false);  // the order of an unsorted finder
        }
        if (!read->unused.empty()) tell(kLinkUnused, Joined(read->unused));
        return;
    }
    if (const auto row = ItemLinkRow(link, presenter_.Items().size())) return SelectRowByHand(*row);
    for (const auto& [key, value] : link.parameters) {
        if (key == "item") return tell(kNoSuchRow, value);
    }
}

// ---- the finder's controls --------------------------------------------------------------------

void WebSession::OpenFinder() {
    presenter_.OnFind();
    controls_.made = true;
}

void WebSession::FinderName(std::string_view text) {
    controls_.form.name = text;
    if (Finder()) Finder()->OnNameChanged(text);
}

void WebSession::FinderSlot(std::size_t choice) {
    controls_.form.slotChoice = choice;
    if (Finder()) Finder()->OnSlotChosen(choice);
}

void WebSession::FinderClass(std::size_t choice) {
    controls_.form.classChoice = choice;
    if (Finder()) Finder()->OnClassChosen(choice);
}

void WebSession::FinderLevelFrom(std::string_view text) {
    controls_.form.levelFrom = text;
    if (Finder()) Finder()->OnLevelFromChanged(text);
}

void WebSession::FinderLevelTo(std::string_view text) {
    controls_.form.levelTo = text;
    if (Finder()) Finder()->OnLevelToChanged(text);
}

void WebSession::FinderStat(std::size_t choice) {
    controls_.form.statChoice = choice;
    if (Finder()) Finder()->OnStatChosen(choice);
}

void WebSession::FinderStatMinimum(std::string_view text) {
    controls_.form.statMinimum = text;
    if (Finder()) Finder()->OnStatMinimumChanged(text);
}

void WebSession::FinderSpecialOnly(bool specialOnly) {
    controls_.form.specialOnly = specialOnly;
    if (Finder()) Finder()->OnSpecialOnlyChanged(specialOnly);
}

// Only the last column clicked counts, once or twice: a click on another column orders afresh.
void WebSession::FinderHeader(std::size_t column) {
    if (!Finder()) return;
    Finder()->OnHeaderClicked(column);
    std::vector<std::size_t>& clicks = controls_.headerClicks;
    if (clicks.empty() || clicks.front() != column) {
        clicks = {column};
    } else if (clicks.size() == 1) {
        clicks.push_back(column);
    } else {
        clicks.pop_back();
    }
}

void WebSession::FinderCompare() {
    finder::FinderPresenter* finder = Finder();
    if (!finder || !finder->Current()) return;
    controls_.pinnedRow = finder->ResultRow(*finder->Current());
    finder->OnCompare();
}

void WebSession::FinderClear() {
    controls_.pinnedRow.reset();
    if (Finder()) Finder()->OnClear();
}

// The controls show the form, and the finder gets each as if typed or chosen.
void WebSession::SetFinderForm(const FinderForm& form) {
    page::ShowText("finder-name", form.name);
    page::SetChoice("finder-slot", form.slotChoice);
    page::SetChoice("finder-class", form.classChoice);
    page::ShowText("finder-level-from", form.levelFrom);
    page::ShowText("finder-level-to", form.levelTo);
    page::SetChoice("finder-stat", form.statChoice);
    page::ShowText("finder-stat-minimum", form.statMinimum);
    page::SetChecked("finder-special", form.specialOnly);
    FinderName(form.name);
    FinderSlot(form.slotChoice);
    FinderClass(form.classChoice);
    FinderLevelFrom(form.levelFrom);
    FinderLevelTo(form.levelTo);
    FinderStat(form.statChoice);
    FinderStatMinimum(form.statMinimum);
    FinderSpecialOnly(form.specialOnly);
}

// The first click on a column orders it best first; a second one turns the order round.
void WebSession::SortBy(std::size_t column, bool descending) {
    FinderHeader(column);
    if (Finder()->Query().sort.descending != descending) FinderHeader(column);
}

}  // namespace lf::web

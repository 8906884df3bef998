#pragma once

// One run of the item browser on the page, in one language: the presenter, its view and the
// system's services, with the Item Finder made as the desktop makes it. Switching the language
// starts a new run on the same catalogue and gives it the selection and the finder's controls
// of the old one.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "browser/browser_presenter.h"
#include "web/page_link.h"
#include "web/web_browser_view.h"
#include "web/web_catalogue.h"
#include "web/web_system_port.h"

namespace lf::web {

// What the user set in the finder's controls, to be set again in a new run.
struct FinderControls {
    bool made = false;
    FinderForm form;
    std::vector<std::size_t> headerClicks;
    std::optional<std::size_t> pinnedRow;
};

class WebSession {
  public:
    WebSession(const WebCatalogue& catalogue, bool chinese);

    // The start-up sequence; false when the table was refused (the page shows why).
    bool Start() { return presenter_.Start(); }
    // The same selection and finder in this run as in the other one.
    void TakeOver(const WebSession& other);

    BrowserPresenter& Presenter() { return presenter_; }
    WebBrowserView& View() { return view_; }
    bool Chinese() const { return chinese_; }
    // The finder, once opened.
    finder::FinderPresenter* Finder() const { return view_.Finder(); }

    // A row the user selected in the list by keyboard, mouse or link.
    void SelectRowByHand(std::size_t row);
    // Opens the link's row or query; the page shows why a link cannot be followed.
    void OpenLink(const PageLink& link);

    // The finder's controls, forwarded to the finder and remembered.
    void OpenFinder();
    void FinderName(std::string_view text);
    void FinderSlot(std::size_t choice);
    void FinderClass(std::size_t choice);
    void FinderLevelFrom(std::string_view text);
    void FinderLevelTo(std::string_view text);
    void FinderStat(std::size_t choice);
    void FinderStatMinimum(std::string_view text);
    void FinderSpecialOnly(bool specialOnly);
    void FinderHeader(std::size_t column);
    void FinderCompare();
    void FinderClear();

  private:
    void SetFinderForm(const FinderForm& form);
    void SortBy(std::size_t column, bool descending);

    bool chinese_;
    WebSystemPort system_;
    WebBrowserView view_;
    BrowserPresenter presenter_;
    FinderControls controls_;
};

}  // namespace lf::web

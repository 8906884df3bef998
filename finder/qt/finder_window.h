#pragma once

// The Item Finder window on Qt: the filters, the results as a table the presenter orders, their
// count, and the comparison of a pinned item with the one selected in the main window. It
// forwards every keystroke and choice to the FinderPresenter and shows what it is told.

#include <QWidget>
#include <functional>

#include "common/pixel_place.h"
#include "finder/finder_presenter.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QTableWidget;

namespace lf::finder {

class ResultModel;

class FinderWindow : public QWidget, private FinderView {
    Q_OBJECT
  public:
    // A window of its own above the parent, hidden until the presenter shows it.
    FinderWindow(const ItemTable& items, Language language,
                 std::function<void(std::size_t row)> showItem, QWidget* parent);

    FinderPresenter& Presenter() { return presenter_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void CreateFilters();
    void CreateResults();
    void CreateComparison();
    void ConnectFilters();
    QLabel* CreateLabel(const char* name, const PixelPlace& place);

    // FinderView
    void ShowCaptions(const FinderCaptions& captions, const FinderChoices& choices) override;
    void ShowHeaders(const ResultHeaders& headers) override;
    void ShowResults(std::size_t count, std::string_view countText) override;
    void ShowCurrent(std::optional<std::size_t> result) override;
    void ShowComparison(const std::vector<ComparisonLine>& lines) override;
    void ShowWindow() override;
    void HideWindow() override;

    FinderPresenter presenter_;
    ResultModel* resultModel_ = nullptr;
    bool showingByProgram_ = false;

    QLabel* NameLabel = nullptr;
    QLineEdit* NameBox = nullptr;
    QLabel* SlotLabel = nullptr;
    QComboBox* SlotChoice = nullptr;
    QLabel* ClassLabel = nullptr;
    QComboBox* ClassChoice = nullptr;
    QLabel* LevelLabel = nullptr;
    QLineEdit* LevelFrom = nullptr;
    QLabel* LevelToLabel = nullptr;
    QLineEdit* LevelTo = nullptr;
    QLabel* StatLabel = nullptr;
    QComboBox* StatChoice = nullptr;
    QLabel* StatMinimumLabel = nullptr;
    QLineEdit* StatMinimum = nullptr;
    QCheckBox* SpecialOnly = nullptr;
    QTableView* Results = nullptr;
    QLabel* Count = nullptr;
    QPushButton* CompareButton = nullptr;
    QPushButton* ClearButton = nullptr;
    QTableWidget* Comparison = nullptr;
};

}  // namespace lf::finder

#include "finder/qt/finder_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTableView>
#include <QTableWidget>

#include "common/qt/widgets.h"
#include "finder/finder_layout.h"
#include "finder/qt/result_model.h"

namespace lf::finder {
namespace {

// Fixed column widths, but the stretching column gives way to the vertical scroll bar, so that
// no horizontal one appears.
template <std::size_t N>
void SetColumnWidths(QHeaderView* header, const std::array<int, N>& widths,
                     std::size_t stretching) {
    header->setSectionResizeMode(QHeaderView::Fixed);
    for (std::size_t column = 0; column < N; ++column) {
        header->resizeSection(static_cast<int>(column), widths[column]);
    }
    header->setSectionResizeMode(static_cast<int>(stretching), QHeaderView::Stretch);
}

// Rows as low as the style lets the font's lines be, rather than the style's roomy default.
void UseLowRows(QTableView* table) {
    QHeaderView* rows = table->verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(rows->minimumSectionSize());
    rows->hide();
}

void FillChoice(QComboBox* box, const std::vector<std::string>& entries) {
    const QSignalBlocker quiet(box);  // the presenter's query already starts at the first entry
    box->clear();
    for (const std::string& entry : entries) box->addItem(ToQt(entry));
}

}  // namespace

FinderWindow::FinderWindow(const ItemTable& items, Language language,
                           std::function<void(std::size_t row)> showItem, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      presenter_(*this, items, language, std::move(showItem)) {
    setObjectName("FinderWindow");
    setFixedSize(layout::kClientWidth, layout::kClientHeight);
    UseDesignFont(this);
    CreateFilters();
    CreateResults();
    CreateComparison();
    ConnectFilters();
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] { presenter_.OnEscape(); });
}

QLabel* FinderWindow::CreateLabel(const char* name, const PixelPlace& place) {
    return Place<QLabel>(this, name, place);
}

// Made in the order Tab visits them.
void FinderWindow::CreateFilters() {
    NameLabel = CreateLabel("NameLabel", layout::kNameLabel);
    NameBox = Place<QLineEdit>(this, "NameBox", layout::kNameBox);
    NameBox->installEventFilter(this);
    SlotLabel = CreateLabel("SlotLabel", layout::kSlotLabel);
    SlotChoice = Place<QComboBox>(this, "SlotChoice", layout::kSlotChoice);
    ClassLabel = CreateLabel("ClassLabel", layout::kClassLabel);
    ClassChoice = Place<QComboBox>(this, "ClassChoice", layout::kClassChoice);
    LevelLabel = CreateLabel("LevelLabel", layout::kLevelLabel);
    LevelFrom = Place<QLineEdit>(this, "LevelFrom", layout::kLevelFrom);
    LevelToLabel = CreateLabel("LevelToLabel", layout::kLevelToLabel);
    LevelTo = Place<QLineEdit>(this, "LevelTo", layout::kLevelTo);
    StatLabel = CreateLabel("StatLabel", layout::kStatLabel);
    StatChoice = Place<QComboBox>(this, "StatChoice", layout::kStatChoice);
    StatMinimumLabel = CreateLabel("StatMinimumLabel", layout::kStatMinimumLabel);
    StatMinimum = Place<QLineEdit>(this, "StatMinimum", layout::kStatMinimum);
    SpecialOnly = Place<QCheckBox>(this, "SpecialOnly", layout::kSpecialOnly);
}

void FinderWindow::CreateResults() {
    Results = Place<QTableView>(this, "Results", layout::kResults);
    resultModel_ = new ResultModel(presenter_, Results);
    Results->setModel(resultModel_);
    Results->setSelectionBehavior(QAbstractItemView::SelectRows);
    Results->setSelectionMode(QAbstractItemView::SingleSelection);
    Results->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Results->setShowGrid(false);
    Results->setWordWrap(false);
    UseLowRows(Results);
    // The header shows the presenter's order; the view never sorts by itself. A long stat's
    // title is cut short, and shown whole as the header's tip.
    QHeaderView* header = Results->horizontalHeader();
    header->setTextElideMode(Qt::ElideRight);
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(-1, Qt::AscendingOrder);
    header->setHighlightSections(false);
    SetColumnWidths(header, layout::kResultColumnWidths, layout::kResultStretchColumn);
    connect(header, &QHeaderView::sectionClicked, this,
            [this](int column) { presenter_.OnHeaderClicked(static_cast<std::size_t>(column)); });
    // Every change of the current row by the user, by mouse or by the table's own keys.
    connect(Results->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (showingByProgram_ || !current.isValid()) return;
                presenter_.OnResultClicked(static_cast<std::size_t>(current.row()));
            });
    connect(Results, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        presenter_.OnResultActivated(static_cast<std::size_t>(index.row()));
    });

    Count = CreateLabel("Count", layout::kCount);
    CompareButton = Place<QPushButton>(this, "CompareButton", layout::kCompareButton);
    ClearButton = Place<QPushButton>(this, "ClearButton", layout::kClearButton);
    connect(CompareButton, &QPushButton::clicked, this, [this] { presenter_.OnCompare(); });
    connect(ClearButton, &QPushButton::clicked, this, [this] { presenter_.OnClear(); });
}

// Hidden until there is something to compare.
void FinderWindow::CreateComparison() {
    Comparison = Place<QTableWidget>(this, "Comparison", layout::kComparison);
    Comparison->setColumnCount(static_cast<int>(layout::kComparisonColumnWidths.size()));
    Comparison->horizontalHeader()->hide();
    UseLowRows(Comparison);
    Comparison->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Comparison->setSelectionMode(QAbstractItemView::NoSelection);
    Comparison->setShowGrid(false);
    Comparison->setWordWrap(false);
    SetColumnWidths(Comparison->horizontalHeader(), layout::kComparisonColumnWidths,
                    layout::kComparisonStretchColumn);
    Comparison->hide();
}

void FinderWindow::ConnectFilters() {
    const auto text = [](const QString& value) { return value.toStdString(); };
    const auto choice = [](int index) { return static_cast<std::size_t>(index); };
    connect(NameBox, &QLineEdit::textChanged, this,
            [=, this](const QString& value) { presenter_.OnNameChanged(text(value)); });
    connect(NameBox, &QLineEdit::returnPressed, this, [this] { presenter_.OnActivate(); });
    connect(SlotChoice, &QComboBox::currentIndexChanged, this, [=, this](int index) {
        if (index >= 0) presenter_.OnSlotChosen(choice(index));
    });
    connect(ClassChoice, &QComboBox::currentIndexChanged, this, [=, this](int index) {
        if (index >= 0) presenter_.OnClassChosen(choice(index));
    });
    connect(LevelFrom, &QLineEdit::textChanged, this,
            [=, this](const QString& value) { presenter_.OnLevelFromChanged(text(value)); });
    connect(LevelTo, &QLineEdit::textChanged, this,
            [=, this](const QString& value) { presenter_.OnLevelToChanged(text(value)); });
    connect(StatChoice, &QComboBox::currentIndexChanged, this, [=, this](int index) {
        if (index >= 0) presenter_.OnStatChosen(choice(index));
    });
    connect(StatMinimum, &QLineEdit::textChanged, this,
            [=, this](const QString& value) { presenter_.OnStatMinimumChanged(text(value)); });
    connect(SpecialOnly, &QCheckBox::toggled, this,
            [this](bool checked) { presenter_.OnSpecialOnlyChanged(checked); });
}

// Down and Up move through the results while the name keeps the focus for typing.
bool FinderWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == NameBox && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Down || key == Qt::Key_Up) {
            presenter_.OnMoveCurrent(key == Qt::Key_Down ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// ---- FinderView -------------------------------------------------------------------------------

void FinderWindow::ShowCaptions(const FinderCaptions& captions, const FinderChoices& choices) {
    setWindowTitle(ToQt(captions.window));
    NameLabel->setText(ToQt(captions.nameLabel));
    SlotLabel->setText(ToQt(captions.slotLabel));
    ClassLabel->setText(ToQt(captions.classLabel));
    LevelLabel->setText(ToQt(captions.levelLabel));
    LevelToLabel->setText(ToQt(captions.levelToLabel));
    StatLabel->setText(ToQt(captions.statLabel));
    StatMinimumLabel->setText(ToQt(captions.statMinimumLabel));
    SpecialOnly->setText(ToQt(captions.specialOnly));
    CompareButton->setText(ToQt(captions.compareButton));
    ClearButton->setText(ToQt(captions.clearButton));
    FillChoice(SlotChoice, choices.slotNames);
    FillChoice(ClassChoice, choices.classNames);
    FillChoice(StatChoice, choices.statNames);
}

void FinderWindow::ShowHeaders(const ResultHeaders& headers) {
    resultModel_->SetTitles(headers.titles);
    Results->horizontalHeader()->setSortIndicator(
        headers.sorted ? static_cast<int>(*headers.sorted) : -1,
        headers.descending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void FinderWindow::ShowResults(std::size_t, std::string_view countText) {
    showingByProgram_ = true;
    resultModel_->Reload();
    showingByProgram_ = false;
    Count->setText(ToQt(countText));
}

void FinderWindow::ShowCurrent(std::optional<std::size_t> result) {
    showingByProgram_ = true;
    if (result) {
        const QModelIndex index = resultModel_->index(static_cast<int>(*result), 0);
        Results->selectionModel()->setCurrentIndex(
            index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        Results->scrollTo(index);
    } else {
        Results->selectionModel()->clear();
    }
    showingByProgram_ = false;
}

void FinderWindow::ShowComparison(const std::vector<ComparisonLine>& lines) {
    Comparison->clearContents();
    Comparison->setRowCount(static_cast<int>(lines.size()));
    for (std::size_t line = 0; line < lines.size(); ++line) {
        const ComparisonLine& shown = lines[line];
        const QColor colour(shown.colour.red, shown.colour.green, shown.colour.blue);
        const std::array<const std::string*, 4> texts = {&shown.label, &shown.pinned, &shown.other,
                                                         &shown.change};
        for (std::size_t column = 0; column < texts.size(); ++column) {
            auto* cell = new QTableWidgetItem(ToQt(*texts[column]));
            cell->setForeground(colour);
            Comparison->setItem(static_cast<int>(line), static_cast<int>(column), cell);
        }
    }
    Comparison->setVisible(!lines.empty());
}

void FinderWindow::ShowWindow() {
    show();
    raise();
    activateWindow();
    NameBox->setFocus();
}

void FinderWindow::HideWindow() { hide(); }

}  // namespace lf::finder

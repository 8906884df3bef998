#include "browser/qt/main_window.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>

#include "browser/main_window_layout.h"
#include "browser/qt/item_list_model.h"
#include "browser/qt/tray.h"
#include "common/qt/widgets.h"
#include "composer/qt/stat_form.h"
#include "finder/qt/finder_window.h"

namespace lf::browser {
namespace {

namespace layout = main_window_layout;

constexpr QSize kClientSize{layout::kClientWidth, layout::kClientHeight};
const QColor kIconBoxGreyColour = QColor::fromRgb(kIconBoxGrey);
const QColor kCounterGreyColour{layout::kCounterGrey.red, layout::kCounterGrey.green,
                                layout::kCounterGrey.blue};

QLabel* CounterLabel(QFrame* frame, const char* name, const PixelPlace& place) {
    auto* label = Place<QLabel>(frame, name, place);
    SetBackground(label, kCounterGreyColour);
    return label;
}

QFrame* CaptionlessFrame(QWidget* parent, const char* name, const PixelPlace& place) {
    auto* frame = Place<QFrame>(parent, name, place);
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Sunken);
    return frame;
}

// Qt guesses whether a tooltip is rich text; a description is shown exactly as stored.
QString PlainToolTip(std::string_view text) {
    return "<p style='white-space:pre'>" + ToQt(text).toHtmlEscaped() + "</p>";
}

}  // namespace

Form1::Form1(SystemPort& system, ResourceReader readResource)
    : presenter_(*this, system, std::move(readResource)) {
    setObjectName("Form1");
    setWindowTitle(ToQt(kBrowserTitle));
    setWindowIcon(LorefinderIcon());
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(kClientSize);
    UseDesignFont(this);
    tray_ = new TrayIcon(windowIcon(), ToQt(kBrowserTitle), this);
    CreateControls();
    ConnectHandlers();
    CentreOnScreen(this);
}

Form1::~Form1() { tray_->Remove(); }

void Form1::CreateControls() {
    CreateSearchRow();
    CreateItemList();
    CreateDetailRow();
    CreateCounters();
    CreateClipboardMenu();
    ShowCaptions(kDesignCaptions);
    setTabOrder(CMD_Sc, ItemList);
    setTabOrder(ItemList, Text_ItemNum);
    setTabOrder(Text_ItemNum, Text_Sc);
    setTabOrder(Text_Sc, Text_ItemName);
    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->start(layout::kDockIntervalMs);
}

void Form1::CreateSearchRow() {
    Text_Sc = Place<QLineEdit>(this, "Text_Sc", layout::kText_Sc);
    Text_Sc->setContextMenuPolicy(Qt::CustomContextMenu);
    CMD_Sc = Place<QPushButton>(this, "CMD_Sc", layout::kCMD_Sc);
}

void Form1::CreateItemList() {
    ItemList = Place<QListView>(this, "ItemList", layout::kItemList);
    ItemList->setUniformItemSizes(true);
    ItemList->setSelectionMode(QAbstractItemView::SingleSelection);
    ItemList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    itemListModel_ = new ItemListModel(ItemList);
    ItemList->setModel(itemListModel_);
}

void Form1::CreateDetailRow() {
    Label1 = Place<QLabel>(this, "Label1", layout::kLabel1);
    Text_ItemNum = Place<QLineEdit>(this, "Text_ItemNum", layout::kText_ItemNum);
    Label2 = Place<QLabel>(this, "Label2", layout::kLabel2);
    Picture2 = Place<QLabel>(this, "Picture2", layout::kPicture2);
    Picture2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SetBackground(Picture2, kIconBoxGreyColour);
    Picture2->installEventFilter(this);
    Text_ItemName = Place<QLineEdit>(this, "Text_ItemName", layout::kText_ItemName);
    Text_ItemName->setReadOnly(true);
}

void Form1::CreateCounters() {
    Frame1 = CaptionlessFrame(this, "Frame1", layout::kFrame1);
    LabelTotal = CounterLabel(Frame1, "LabelTotal", layout::kLabelTotal);
    Frame2 = CaptionlessFrame(this, "Frame2", layout::kFrame2);
    LabelLine = CounterLabel(Frame2, "LabelLine", layout::kLabelLine);
}

// The search box's own menu: the whole search text to and from the clipboard, and the finder.
void Form1::CreateClipboardMenu() {
    ClipProc = new QMenu(this);
    ClipProc->setObjectName("ClipProc");
    ClipBoard_copy = ClipProc->addAction(
        QString(), this, [this] { presenter_.OnCopy(Text_Sc->text().toStdString()); });
    ClipBoard_copy->setObjectName("ClipBoard_copy");
    ClipBoard_paste = ClipProc->addAction(QString(), this, [this] { presenter_.OnPaste(); });
    ClipBoard_paste->setObjectName("ClipBoard_paste");
    ClipProc->addSeparator();
    Menu_find = ClipProc->addAction(QString(), this, [this] { presenter_.OnFind(); });
    Menu_find->setObjectName("Menu_find");
}

void Form1::ConnectHandlers() {
    const auto search = [this] { presenter_.OnSearch(Text_Sc->text().toStdString()); };
    connect(Text_Sc, &QLineEdit::textChanged, this, [this] { presenter_.OnSearchTextChanged(); });
    connect(Text_Sc, &QLineEdit::returnPressed, this, search);
    connect(Text_Sc, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { ClipProc->popup(Text_Sc->mapToGlobal(at)); });
    connect(CMD_Sc, &QPushButton::clicked, this, search);
    connect(ItemList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &Form1::OnListSelectionChanged);
    connect(Text_ItemNum, &QLineEdit::textChanged, this,
            [this](const QString& text) { presenter_.OnItemNumberChanged(text.toStdString()); });
    connect(Timer1, &QTimer::timeout, this, [this] { presenter_.OnDockTimer(); });
    connect(tray_, &TrayIcon::ToggleRequested, this, [this] { presenter_.OnTrayToggle(); });
    FindShortcut = new QShortcut(QKeySequence::Find, this);
    FindShortcut->setObjectName("FindShortcut");
    connect(FindShortcut, &QShortcut::activated, this, [this] { presenter_.OnFind(); });
}

// The selection, not the current row, is what the user picked: the current row also moves when
// the list merely takes the focus.
void Form1::OnListSelectionChanged() {
    if (selectingByProgram_) return;
    const QModelIndexList rows = ItemList->selectionModel()->selectedRows();
    presenter_.OnRowSelected(rows.isEmpty() ? std::nullopt
                                            : std::optional<std::size_t>(rows.first().row()));
}

StatForm& Form1::Detail() {
    if (!statForm_) statForm_ = std::make_unique<StatForm>();
    return *statForm_;
}

void Form1::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized()) presenter_.OnMinimised();
}

void Form1::closeEvent(QCloseEvent* event) {
    presenter_.Close();
    event->accept();
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Picture2 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        presenter_.OnIconBoxClicked();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// ---- BrowserView ------------------------------------------------------------------------------

void Form1::AddTrayIcon() { tray_->Add(); }

void Form1::RemoveTrayIcon() { tray_->Remove(); }

void Form1::ShowCaptions(const BrowserCaptions& captions) {
    CMD_Sc->setText(ToQt(captions.searchButton));
    Label1->setText(ToQt(captions.itemNumberLabel));
    Label2->setText(ToQt(captions.iconLabel));
    ClipBoard_copy->setText(ToQt(captions.copyMenuItem));
    ClipBoard_paste->setText(ToQt(captions.pasteMenuItem));
    Menu_find->setText(ToQt(captions.findMenuItem));
}

void Form1::ShowItemList(const ItemTable& items) { itemListModel_->SetItems(&items); }

void Form1::SetItemNumberLength(int characters) { Text_ItemNum->setMaxLength(characters); }

void Form1::ShowTotal(std::string_view text) { LabelTotal->setText(ToQt(text)); }

void Form1::SelectRow(std::size_t row) {
    const QModelIndex index = itemListModel_->index(static_cast<int>(row));
    selectingByProgram_ = true;
    ItemList->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    selectingByProgram_ = false;
    ItemList->scrollTo(index);
}

void Form1::ShowItemNumber(std::string_view number) { Text_ItemNum->setText(ToQt(number)); }

void Form1::ShowItemName(std::string_view name, std::string_view description) {
    Text_ItemName->setText(ToQt(name));
    Text_ItemName->setCursorPosition(0);
    Text_ItemName->setToolTip(PlainToolTip(description));
}

void Form1::ShowPosition(std::string_view text) { LabelLine->setText(ToQt(text)); }

void Form1::ShowIcon(const PixelImage& box) {
    const QImage image(reinterpret_cast<const uchar*>(box.pixels.data()), box.width, box.height,
                       QImage::Format_RGB32);
    Picture2->setPixmap(QPixmap::fromImage(image));
}

void Form1::ShowCard(const Card& card) { Detail().ShowCard(card); }

bool Form1::DetailVisible() const { return statForm_ && statForm_->isVisible(); }

void Form1::SetDetailVisible(bool visible) { Detail().setVisible(visible); }

void Form1::MoveDetail(ScreenPoint topLeft) { Detail().move(topLeft.x, topLeft.y); }

void Form1::DestroyDetail() { statForm_.reset(); }

void Form1::FocusList() { ItemList->setFocus(); }

void Form1::SetSearchText(std::string_view text) { Text_Sc->setText(ToQt(text)); }

bool Form1::MainWindowIsNormal() const { return isVisible() && !isMinimized(); }

ScreenRect Form1::MainWindowFrame() const {
    const QRect frame = frameGeometry();
    return {frame.left(), frame.top(), frame.width(), frame.height()};
}

void Form1::MinimiseAndHideMainWindow() {
    setWindowState(windowState() | Qt::WindowMinimized);
    hide();
}

void Form1::RestoreMainWindow() {
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    activateWindow();
}

void Form1::HideMainWindowWhenSettled() {
    QTimer::singleShot(0, this, [this] {
        if (isMinimized()) hide();
    });
}

// A window of its own, but above the main window and closed with it.
finder::FinderPresenter& Form1::ItemFinder(const ItemTable& items, Language language,
                                           std::function<void(std::size_t row)> showItem) {
    if (!finderWindow_) {
        finderWindow_ =
            std::make_unique<finder::FinderWindow>(items, language, std::move(showItem), this);
    }
    return finderWindow_->Presenter();
}

// Before its first showing the finder has no frame yet; the window manager gives it the main
// window's borders.
int Form1::FinderOuterWidth() const {
    if (finderWindow_->isVisible()) return finderWindow_->frameGeometry().width();
    return finderWindow_->width() + frameGeometry().width() - width();
}

void Form1::MoveFinder(ScreenPoint topLeft) { finderWindow_->move(topLeft.x, topLeft.y); }

}  // namespace lf::browser

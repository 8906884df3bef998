#include "browser/main_window.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "browser/item_list_model.h"
#include "browser/tray.h"
#include "common/ui/desktop.h"
#include "composer/stat_form.h"

namespace lf::browser {
namespace {

constexpr QSize kClientSize{243, 416};
constexpr std::uint16_t kItemTableId = 101;
constexpr int kDockIntervalMs = 1000;
const QColor kIconBoxGrey{128, 128, 128};
const QColor kCounterGrey{224, 224, 224};
const QString kTitle = "Lorefinder";

template <typename Widget>
Widget* Place(QWidget* parent, const char* name, QRect geometry) {
    auto* widget = new Widget(parent);
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}

void SetBackground(QWidget* widget, const QColor& colour) {
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
}

QLabel* CounterLabel(QFrame* frame, const char* name, int width) {
    auto* label = Place<QLabel>(frame, name, {2, 8, width, 13});
    SetBackground(label, kCounterGrey);
    return label;
}

QFrame* CaptionlessFrame(QWidget* parent, const char* name, QRect geometry) {
    auto* frame = Place<QFrame>(parent, name, geometry);
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Sunken);
    return frame;
}

QString Utf8(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

}  // namespace

std::expected<std::unique_ptr<Form1>, LoadError> Form1::Load(Desktop& desktop,
                                                             ResourceReader readResource) {
    std::unique_ptr<Form1> form(new Form1(desktop, std::move(readResource)));
    form->tray_->Add();
    form->isChineseUI_ = desktop.SystemLocaleIsChinese();
    if (!form->isChineseUI_) form->ApplyEnglishCaptions();
    if (auto loaded = form->LoadItemTable(); !loaded) return std::unexpected(loaded.error());
    form->FillItemList();
    return form;  // no sheet is held yet: the first selection always decodes one
}

Form1::Form1(Desktop& desktop, ResourceReader readResource)
    : desktop_(desktop),
      readResource_(readResource),
      iconSheets_(std::move(readResource),
                  [this](const std::string& message) {
                      desktop_.ShowMessage(this, kTitle, QString::fromStdString(message));
                  }) {
    setObjectName("Form1");
    setWindowTitle(kTitle);
    setWindowIcon(LorefinderIcon());
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(kClientSize);
    tray_ = new TrayIcon(windowIcon(), kTitle, this);
    CreateControls();
    ConnectHandlers();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

Form1::~Form1() { tray_->Remove(); }

// Design-time captions are the Chinese ones; start-up switches to English when needed.
void Form1::CreateControls() {
    CreateSearchRow();
    CreateItemList();
    CreateDetailRow();
    CreateCounters();
    CreateClipboardMenu();
    setTabOrder(CMD_Sc, ItemList);
    setTabOrder(ItemList, Text_ItemNum);
    setTabOrder(Text_ItemNum, Text_Sc);
    setTabOrder(Text_Sc, Text_ItemName);
    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->start(kDockIntervalMs);
}

void Form1::CreateSearchRow() {
    Text_Sc = Place<QLineEdit>(this, "Text_Sc", {8, 6, 153, 21});
    Text_Sc->setContextMenuPolicy(Qt::CustomContextMenu);
    CMD_Sc = Place<QPushButton>(this, "CMD_Sc", {170, 6, 63, 21});
    CMD_Sc->setText("捜索");
}

void Form1::CreateItemList() {
    ItemList = Place<QListView>(this, "ItemList", {8, 32, 225, 304});
    ItemList->setUniformItemSizes(true);
    ItemList->setSelectionMode(QAbstractItemView::SingleSelection);
    ItemList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    itemListModel_ = new ItemListModel(ItemList);
    ItemList->setModel(itemListModel_);
}

void Form1::CreateDetailRow() {
    Label1 = Place<QLabel>(this, "Label1", {10, 346, 55, 13});
    Label1->setText("道具编号:");
    Text_ItemNum = Place<QLineEdit>(this, "Text_ItemNum", {66, 344, 69, 18});
    Text_ItemNum->setMaxLength(5);
    Label2 = Place<QLabel>(this, "Label2", {152, 346, 43, 13});
    Label2->setText("图标 :");
    Picture2 = Place<QLabel>(this, "Picture2", {200, 338, 32, 32});
    Picture2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SetBackground(Picture2, kIconBoxGrey);
    Picture2->installEventFilter(this);
    Text_ItemName = Place<QLineEdit>(this, "Text_ItemName", {8, 372, 225, 18});
    Text_ItemName->setReadOnly(true);
}

void Form1::CreateCounters() {
    Frame1 = CaptionlessFrame(this, "Frame1", {2, 390, 127, 25});
    LabelTotal = CounterLabel(Frame1, "LabelTotal", 121);
    Frame2 = CaptionlessFrame(this, "Frame2", {130, 390, 111, 25});
    LabelLine = CounterLabel(Frame2, "LabelLine", 105);
}

// The search box's own menu: the whole search text to and from the clipboard.
void Form1::CreateClipboardMenu() {
    ClipProc = new QMenu(this);
    ClipProc->setObjectName("ClipProc");
    QAction* copy = ClipProc->addAction("Copy", this, &Form1::CopySearchText);
    copy->setObjectName("ClipBoard_copy");
    QAction* paste = ClipProc->addAction("Paste", this, &Form1::PasteSearchText);
    paste->setObjectName("ClipBoard_paste");
}

void Form1::ConnectHandlers() {
    connect(Text_Sc, &QLineEdit::textChanged, this, [this] { searchFromTop_ = true; });
    connect(Text_Sc, &QLineEdit::returnPressed, this, &Form1::RunSearch);
    connect(Text_Sc, &QWidget::customContextMenuRequested, this, &Form1::PopUpClipboardMenu);
    connect(CMD_Sc, &QPushButton::clicked, this, &Form1::RunSearch);
    connect(ItemList->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { OnSelectedRowChanged(current.row()); });
    connect(Text_ItemNum, &QLineEdit::textChanged, this, &Form1::OnItemNumberChanged);
    connect(Timer1, &QTimer::timeout, this, &Form1::DockDetailWindow);
    connect(tray_, &TrayIcon::ToggleRequested, this, &Form1::ToggleFromTray);
}

void Form1::ApplyEnglishCaptions() {
    setWindowTitle(kTitle);
    CMD_Sc->setText("Search");
    Label1->setText("Item ID :");
    Label2->setText("Icon :");
}

std::expected<void, LoadError> Form1::LoadItemTable() {
    auto bytes = readResource_(ResourceName(u"CUSTOM"), kItemTableId);
    if (!bytes) {
        return std::unexpected(LoadError{LoadErrorKind::ResourceNotFound, bytes.error().message});
    }
    auto items = lf::LoadItemTable(AsText(*bytes));
    if (!items) return std::unexpected(items.error());
    items_ = std::move(*items);
    names_.emplace(items_.Entries());
    return {};
}

void Form1::FillItemList() {
    itemListModel_->SetItems(&items_);
    // Five characters hold every row number of the shipped table; a longer table's numbers
    // must fit too, or writing a row's number would select another row.
    const int digits = static_cast<int>(QString::number(qMax<qsizetype>(items_.size(), 1) - 1).size());
    Text_ItemNum->setMaxLength(qMax(Text_ItemNum->maxLength(), digits));
    const QString prefix = isChineseUI_ ? "总共 = " : "Total = ";
    LabelTotal->setText(prefix + QString::number(itemListModel_->rowCount()));
}

std::optional<std::size_t> Form1::SelectedRow() const {
    const QModelIndex current = ItemList->currentIndex();
    if (!current.isValid() || !ItemList->selectionModel()->isSelected(current)) return std::nullopt;
    return static_cast<std::size_t>(current.row());
}

QPoint Form1::DockedPosition(const QRect& mainFrame) {
    return {mainFrame.left() + mainFrame.width() + 5, mainFrame.top() + 24};
}

// ---- search and selection -----------------------------------------------------------------

void Form1::RunSearch() {
    const std::string text = Text_Sc->text().toStdString();
    if (text.empty()) return;
    const std::optional<std::size_t> selected = SelectedRow();
    const std::size_t start = searchFromTop_ ? 0 : (selected ? *selected + 1 : 0);
    const SearchStep step = lf::RunSearch(*names_, text, start);
    if (step.select) SelectRow(*step.select);
    if (step.beep) desktop_.Beep();
    searchFromTop_ = false;
}

void Form1::SelectRow(std::size_t row) {
    const QModelIndex index = itemListModel_->index(static_cast<int>(row));
    ItemList->setCurrentIndex(index);
    ItemList->scrollTo(index);
}

void Form1::OnSelectedRowChanged(int row) {
    if (row < 0) return;
    const ItemEntry& item = items_[static_cast<std::size_t>(row)];
    Text_ItemNum->setText(QString::number(row));  // runs the number rule: the same row again
    Text_ItemName->setText(Utf8(item.Name));
    Text_ItemName->setCursorPosition(0);
    Text_ItemName->setToolTip(Utf8(DescriptionOf(item.RowText)));
    ShowItemIcon(item.IconNo);
    LabelLine->setText((isChineseUI_ ? "位置 = " : "Locate = ") + QString::number(row + 1));
    Detail().SetItemStat(item.RowText);
    emit ItemSelected(row);
}

void Form1::OnItemNumberChanged(const QString& text) {
    if (auto row = RowForNumber(text.toStdString(), items_.size())) SelectRow(*row);
}

void Form1::ShowItemIcon(std::int32_t iconNumber) {
    iconSheets_.ShowItemIcon(iconNumber);
    const PixelImage& box = iconSheets_.Box();
    const QImage image(reinterpret_cast<const uchar*>(box.pixels.data()), box.width, box.height,
                       QImage::Format_RGB32);
    Picture2->setPixmap(QPixmap::fromImage(image));
}

// ---- the detail window, the tray and the window's state ---------------------------------------

StatForm& Form1::Detail() {
    if (!statForm_) statForm_ = std::make_unique<StatForm>([this] { return isChineseUI_; });
    return *statForm_;
}

void Form1::ToggleDetailWindow() {
    StatForm& detail = Detail();
    detail.setVisible(!detail.isVisible());
    ItemList->setFocus();
}

void Form1::DockDetailWindow() {
    StatForm& detail = Detail();
    if (windowState() == Qt::WindowNoState && isVisible()) detail.move(DockedPosition(frameGeometry()));
}

void Form1::ToggleFromTray() {
    if (isVisible() && !isMinimized()) {
        setWindowState(windowState() | Qt::WindowMinimized);
        hide();
        return;
    }
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    activateWindow();
    QCoreApplication::processEvents();
    if (auto row = SelectedRow()) ShowItemIcon(items_[*row].IconNo);
}

void Form1::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !isMinimized()) return;
    if (statForm_) statForm_->hide();
    // Without a notification area a hidden window could never come back: it stays minimised.
    if (desktop_.HasNotificationArea()) {
        QTimer::singleShot(0, this, [this] {
            if (isMinimized()) hide();
        });
    }
}

void Form1::closeEvent(QCloseEvent* event) {
    tray_->Remove();
    statForm_.reset();
    event->accept();
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Picture2 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        ToggleDetailWindow();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// ---- the search box's clipboard menu --------------------------------------------------------

void Form1::PopUpClipboardMenu(const QPoint& at) { ClipProc->popup(Text_Sc->mapToGlobal(at)); }

void Form1::CopySearchText() {
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    clipboard->setText(Text_Sc->text());
}

void Form1::PasteSearchText() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (data && data->hasText()) Text_Sc->setText(data->text());
}

QString LoadFailureMessage(const LoadError& error) {
    return QString("The item table cannot be loaded: %1.\n%2")
        .arg(Utf8(LoadErrorKindName(error.kind)), QString::fromStdString(error.detail));
}

}  // namespace lf::browser

#include "browser/main_window.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScreen>

#include "browser/item_list_model.h"
#include "common/ui/desktop.h"

namespace lf::browser {
namespace {

constexpr QSize kClientSize{243, 416};
constexpr std::uint16_t kItemTableId = 101;
const QColor kIconBoxGrey{128, 128, 128};
const QColor kCounterGrey{224, 224, 224};

template <typename Widget>
Widget* Place(QWidget* parent, const char* name, QRect geometry) {
    auto* widget = new Widget(parent);
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}

QLabel* CounterLabel(QFrame* frame, const char* name, int width) {
    auto* label = Place<QLabel>(frame, name, {2, 8, width, 13});
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, kCounterGrey);
    label->setPalette(palette);
    return label;
}

QFrame* CaptionlessFrame(QWidget* parent, const char* name, QRect geometry) {
    auto* frame = Place<QFrame>(parent, name, geometry);
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Sunken);
    return frame;
}

}  // namespace

std::expected<std::unique_ptr<Form1>, LoadError> Form1::Load(Desktop& desktop,
                                                             ResourceReader readResource) {
    std::unique_ptr<Form1> form(new Form1(desktop, std::move(readResource)));
    form->isChineseUI_ = desktop.SystemLocaleIsChinese();
    if (!form->isChineseUI_) form->ApplyEnglishCaptions();
    if (auto loaded = form->LoadItemTable(); !loaded) return std::unexpected(loaded.error());
    form->FillItemList();
    form->currentSheet_ = -1;
    return form;
}

Form1::Form1(Desktop& desktop, ResourceReader readResource)
    : desktop_(desktop), readResource_(std::move(readResource)) {
    setObjectName("Form1");
    setWindowTitle("Lorefinder");
    setFixedSize(kClientSize);
    CreateControls();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

Form1::~Form1() = default;

// Design-time captions are the Chinese ones; start-up switches to English when needed.
void Form1::CreateControls() {
    CreateSearchRow();
    CreateItemList();
    CreateDetailRow();
    CreateCounters();
    setTabOrder(CMD_Sc, ItemList);
    setTabOrder(ItemList, Text_ItemNum);
    setTabOrder(Text_ItemNum, Text_Sc);
    setTabOrder(Text_Sc, Text_ItemName);
}

void Form1::CreateSearchRow() {
    Text_Sc = Place<QLineEdit>(this, "Text_Sc", {8, 6, 153, 21});
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
    Picture2->setAutoFillBackground(true);
    QPalette palette = Picture2->palette();
    palette.setColor(QPalette::Window, kIconBoxGrey);
    Picture2->setPalette(palette);
    Text_ItemName = Place<QLineEdit>(this, "Text_ItemName", {8, 372, 225, 18});
    Text_ItemName->setReadOnly(true);
}

void Form1::CreateCounters() {
    Frame1 = CaptionlessFrame(this, "Frame1", {2, 390, 127, 25});
    LabelTotal = CounterLabel(Frame1, "LabelTotal", 121);
    Frame2 = CaptionlessFrame(this, "Frame2", {130, 390, 111, 25});
    LabelLine = CounterLabel(Frame2, "LabelLine", 105);
}

void Form1::ApplyEnglishCaptions() {
    setWindowTitle("Lorefinder");
    CMD_Sc->setText("Search");
    Label1->setText("Item ID :");
    Label2->setText("Icon :");
}

std::expected<void, LoadError> Form1::LoadItemTable() {
    auto bytes = readResource_(ResourceName(u"CUSTOM"), kItemTableId);
    if (!bytes) return std::unexpected(LoadError{LoadErrorKind::ResourceNotFound, bytes.error().message});
    auto items = lf::LoadItemTable(AsText(*bytes));
    if (!items) return std::unexpected(items.error());
    items_ = std::move(*items);
    return {};
}

void Form1::FillItemList() {
    itemListModel_->SetItems(&items_);
    const QString prefix = isChineseUI_ ? "总共 = " : "Total = ";
    LabelTotal->setText(prefix + QString::number(itemListModel_->rowCount()));
}

QString LoadFailureMessage(const LoadError& error) {
    return QString("The item table cannot be loaded: %1.\n%2")
        .arg(QString::fromUtf8(LoadErrorKindName(error.kind)), QString::fromStdString(error.detail));
}

}  // namespace lf::browser

#include "composer/qt/stat_form.h"

#include <QEvent>
#include <QPainter>

#include "common/qt/widgets.h"
#include "composer/block_layout.h"
#include "composer/qt/card_picture.h"

namespace lf {
namespace {

QString DisplayText(std::string_view text) { return QString::fromStdString(WithLineFeeds(text)); }

}  // namespace

StatForm::StatForm(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint), heights_(font()) {
    setFixedSize(kCardClientSize);
    UseDesignFont(this);  // the card's blocks are as wide as two pieces of a line in this font
    // Magenta is see-through: alpha where a compositor blends, the mask where none runs.
    setAttribute(Qt::WA_TranslucentBackground);
    setMask(CardMask());
    setAttribute(Qt::WA_ShowWithoutActivating);  // the card never takes input
    title_ = CreateBlock(this);
    ShowCard(Card{std::string(), {}});
}

void StatForm::ShowCard(const Card& card) {
    ClearTextBlocks();
    if (card.title) title_->setText(DisplayText(*card.title));
    for (const TextBlock& block : card.blocks) AddTextBlock(block);
    const CardLayout layout = StackBlocks(card, [this](std::size_t block, int width) {
        return MeasureHeight(block == 0 ? title_ : blocks_[block - 1], width);
    });
    const auto place = [](QLabel* block, const BlockPlace& at) {
        block->setGeometry(at.left, at.top, at.width, at.height);
    };
    if (layout.title) place(title_, *layout.title);
    for (std::size_t i = 0; i < layout.blocks.size(); ++i) place(blocks_[i], layout.blocks[i]);
}

void StatForm::paintEvent(QPaintEvent*) { QPainter(this).drawImage(0, 0, TranslucentCardImage()); }

void StatForm::changeEvent(QEvent* event) {
    // The blocks inherit the window's font, and their measurements with it.
    if (event->type() == QEvent::FontChange) heights_ = BlockHeights(font());
    QWidget::changeEvent(event);
}

// Blocks take their colour from a layer of that colour spread over the card: a palette set
// once per colour is inherited by every block made on it, where setting one on each block
// would cost about as much again as making the block. A card uses a dozen colours at most.
QWidget* StatForm::LayerOf(Rgb colour) {
    for (const auto& [known, layer] : layers_) {
        if (known == colour) return layer;
    }
    auto* layer = new QWidget(this);
    layer->setGeometry(rect());
    layer->setAttribute(Qt::WA_TransparentForMouseEvents);
    QPalette palette;  // only the text colour is its own; the rest follows the window
    palette.setColor(QPalette::WindowText, QColor(colour.red, colour.green, colour.blue));
    layer->setPalette(palette);
    if (isVisible()) layer->show();
    layers_.emplace_back(colour, layer);
    return layer;
}

QLabel* StatForm::CreateBlock(QWidget* parent) {
    auto* block = new QLabel(parent);
    block->setObjectName(QStringLiteral("ItemText"));
    // Descriptions are shown as stored; text that looks like markup stays text.
    block->setTextFormat(Qt::PlainText);
    block->setWordWrap(true);
    return block;
}

// As tall as the wrapped text; an empty caption keeps one line.
int StatForm::MeasureHeight(const QLabel* block, int width) {
    const std::optional<int> quick = heights_.QuickHeight(block->text(), width);
    return quick ? *quick : block->heightForWidth(width);
}

void StatForm::AddTextBlock(const TextBlock& block) {
    QLabel* label = CreateBlock(LayerOf(block.colour));
    label->setText(DisplayText(block.text));
    // A hidden window shows its blocks along with itself.
    if (isVisible()) label->show();
    blocks_.push_back(label);
}

void StatForm::ClearTextBlocks() {
    while (!blocks_.empty()) {
        delete blocks_.back();
        blocks_.pop_back();
    }
}

}  // namespace lf

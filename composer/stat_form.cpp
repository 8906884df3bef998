#include "composer/stat_form.h"

#include <QEvent>
#include <QPainter>

#include "composer/card_picture.h"

namespace lf {
namespace {

constexpr int kBlockLeft = 10;
constexpr int kTitleTop = 26;
constexpr int kBlockWidth = 186;
constexpr int kBlockGap = 1;

// Card texts break lines with CR LF; a label breaks them at LF alone.
QString DisplayText(std::string_view text) {
    if (text.find("\r\n") == std::string_view::npos) {
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    }
    std::string lines;
    lines.reserve(text.size());
    for (std::size_t start = 0; start < text.size();) {
        std::size_t lineBreak = text.find("\r\n", start);
        if (lineBreak == std::string_view::npos) lineBreak = text.size();
        lines.append(text.substr(start, lineBreak - start));
        if (lineBreak < text.size()) lines += '\n';
        start = lineBreak + 2;
    }
    return QString::fromStdString(lines);
}

}  // namespace

StatForm::StatForm(std::function<bool()> isChineseUI, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint),
      isChineseUI_(std::move(isChineseUI)),
      heights_(font()) {
    setFixedSize(kCardClientSize);
    // Magenta is see-through: alpha where a compositor blends, the mask where none runs.
    setAttribute(Qt::WA_TranslucentBackground);
    setMask(CardMask());
    setAttribute(Qt::WA_ShowWithoutActivating);  // the card never takes input
    title_ = CreateBlock(this);
    FitToText(title_, kTitleTop);
}

void StatForm::SetItemStat(std::string_view DataStr) {
    const Card card = lf::SetItemStat(DataStr, isChineseUI_());
    ClearTextBlocks();
    if (card.title) {
        title_->setText(DisplayText(*card.title));
        FitToText(title_, kTitleTop);
    }
    for (const TextBlock& block : card.blocks) AddTextBlock(block);
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

// Full width, as tall as the wrapped text; an empty caption keeps one line.
void StatForm::FitToText(QLabel* block, int top) {
    const std::optional<int> quick = heights_.QuickHeight(block->text(), kBlockWidth);
    const int height = quick ? *quick : block->heightForWidth(kBlockWidth);
    block->setGeometry(kBlockLeft, top, kBlockWidth, height);
}

void StatForm::AddTextBlock(const TextBlock& block) {
    const QLabel* above = blocks_.empty() ? title_ : blocks_.back();
    QLabel* label = CreateBlock(LayerOf(block.colour));
    label->setText(DisplayText(block.text));
    FitToText(label, above->geometry().bottom() + 1 + kBlockGap);
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

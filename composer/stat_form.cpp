#include "composer/stat_form.h"

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
    QString display = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    display.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return display;
}

}  // namespace

StatForm::StatForm(std::function<bool()> isChineseUI, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint), isChineseUI_(std::move(isChineseUI)) {
    setFixedSize(kCardClientSize);
    // Magenta is see-through: alpha where a compositor blends, the mask where none runs.
    setAttribute(Qt::WA_TranslucentBackground);
    setMask(CardMask());
    setAttribute(Qt::WA_ShowWithoutActivating);  // the card never takes input
    title_ = CreateBlock();
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

QLabel* StatForm::CreateBlock() {
    auto* block = new QLabel(this);
    block->setObjectName(QStringLiteral("ItemText"));
    // Descriptions are shown as stored; text that looks like markup stays text.
    block->setTextFormat(Qt::PlainText);
    block->setWordWrap(true);
    return block;
}

// Full width, as tall as the wrapped text; an empty caption keeps one line.
void StatForm::FitToText(QLabel* block, int top) {
    const int height = block->text().isEmpty() ? block->fontMetrics().height()
                                               : block->heightForWidth(kBlockWidth);
    block->setGeometry(kBlockLeft, top, kBlockWidth, height);
}

void StatForm::AddTextBlock(const TextBlock& block) {
    const QLabel* above = blocks_.empty() ? title_ : blocks_.back();
    QLabel* label = CreateBlock();
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText,
                     QColor(block.colour.red, block.colour.green, block.colour.blue));
    label->setPalette(palette);
    label->setText(DisplayText(block.text));
    FitToText(label, above->geometry().bottom() + 1 + kBlockGap);
    label->show();
    blocks_.push_back(label);
}

void StatForm::ClearTextBlocks() {
    while (!blocks_.empty()) {
        delete blocks_.back();
        blocks_.pop_back();
    }
}

}  // namespace lf

#include "composer/qt/stat_form.h"

#include <gtest/gtest.h>

#include <QBitmap>
#include <QImage>
#include <QLabel>
#include <string>

#include "catalogue/item_table.h"
#include "common/file_io.h"
#include "composer/card_texts.h"
#include "tests/support/record_text.h"

namespace lf {
namespace {

// An equipment record of 88 fields whose description breaks into blocks.
std::string EquipmentRow(const std::string& description) {
    using namespace record_field;
    return testing::RecordText()
        .Set(kNumber, "7")
        .Set(kName, "Long Sword")
        .Set(kKind, "33")
        .Set(kAttack, "120")
        .Set(kDurability, "30")
        .Set(kSlot, "4")
        .Set(kDescription, description)
        .Text();
}

void Show(StatForm& form, std::string_view row, bool chinese) {
    form.ShowCard(SetItemStat(row, chinese));
}

QColor TextColour(const QLabel* label) { return label->palette().color(QPalette::WindowText); }

TEST(StatForm, IsAHiddenFramelessToolWindowOfTheCardSize) {
    StatForm form;
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(form.isWindow());
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::Tool));
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(form.size(), QSize(204, 419));
    EXPECT_EQ(form.TitleBlock()->geometry().topLeft(), QPoint(10, 26));
    EXPECT_EQ(form.TitleBlock()->width(), 186);
}

TEST(StatForm, BlocksStackOnePixelApartAsTallAsTheirText) {
    StatForm form;
    const std::string longText(40, 'w');
    Show(form, EquipmentRow("Line one#N#" + longText + " " + longText + " " + longText), false);
    EXPECT_EQ(form.TitleBlock()->text(), "Long Sword");

    const std::vector<QLabel*>& blocks = form.TextBlocks();
    ASSERT_EQ(blocks.size(), 7u);  // durability, mark, slot, stats, two description, prices
    const QLabel* above = form.TitleBlock();
    for (const QLabel* block : blocks) {
        EXPECT_EQ(block->x(), 10);
        EXPECT_EQ(block->width(), 186);
        EXPECT_EQ(block->y(), above->y() + above->height() + 1);
        EXPECT_TRUE(block->isVisibleTo(&form));
        EXPECT_FALSE(block->autoFillBackground());
        above = block;
    }
    const int oneLine = blocks[0]->height();
    EXPECT_EQ(blocks[1]->height(), oneLine);      // blank special mark: still one line
    EXPECT_EQ(blocks[2]->height(), oneLine);      // "Weapon"
    EXPECT_GE(blocks[5]->height(), 3 * oneLine);  // the long text wraps
    EXPECT_GE(blocks[6]->height(), 2 * oneLine);  // two price lines and their CR LF
    EXPECT_EQ(blocks[6]->text(), "Purchase price - 0s\nSale price - 0s\n");
    EXPECT_EQ(blocks[0]->text(), "Durability [30]");
    EXPECT_EQ(TextColour(blocks[0]), QColor(78, 72, 200));
    EXPECT_EQ(TextColour(blocks[2]), QColor(200, 0, 200));
    EXPECT_EQ(TextColour(blocks[6]), QColor(100, 100, 100));
}

TEST(StatForm, RebuildsOnEveryCall) {
    bool chinese = true;
    StatForm form;
    Show(form, EquipmentRow("desc"), chinese);
    Show(form, EquipmentRow("desc"), chinese);
    ASSERT_EQ(form.TextBlocks().size(), 6u);
    EXPECT_EQ(form.TextBlocks()[0]->text(), "耐久度 [30]");
    EXPECT_EQ(form.findChildren<QLabel*>("ItemText").size(), 7);

    chinese = false;
    Show(form, EquipmentRow("desc"), chinese);
    EXPECT_EQ(form.TextBlocks()[0]->text(), "Durability [30]");

    // An empty record clears the column and leaves the title as it was.
    Show(form, "", chinese);
    EXPECT_TRUE(form.TextBlocks().empty());
    EXPECT_EQ(form.findChildren<QLabel*>("ItemText").size(), 1);
    EXPECT_EQ(form.TitleBlock()->text(), "Long Sword");
}

TEST(StatForm, BlocksShowWithTheWindowWhetherMadeBeforeOrAfter) {
    StatForm form;
    Show(form, EquipmentRow("before#N#showing"), true);
    form.show();
    for (const QLabel* block : form.TextBlocks()) EXPECT_TRUE(block->isVisible());
    // Red is new to this window: its blocks come on a layer made while the window shows.
    Show(form, EquipmentRow("while#R#shown"), true);
    ASSERT_EQ(form.TextBlocks().size(), 7u);
    for (const QLabel* block : form.TextBlocks()) EXPECT_TRUE(block->isVisible());
    EXPECT_EQ(form.TextBlocks()[5]->text(), "shown");
    EXPECT_EQ(TextColour(form.TextBlocks()[5]), QColor(220, 0, 0));
}

TEST(StatForm, MagentaOutsideTheCardIsTransparent) {
    StatForm form;
    Show(form, EquipmentRow("desc"), true);
    const QImage image = form.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(image.size(), QSize(204, 419));
    const QPoint outside[] = {{0, 0}, {201, 0}, {0, 416}, {201, 416}, {203, 100}, {100, 418}};
    for (const QPoint& point : outside) {
        EXPECT_EQ(qAlpha(image.pixel(point)), 0) << point.x() << "," << point.y();
        EXPECT_FALSE(form.mask().contains(point)) << point.x() << "," << point.y();
    }
    const QPoint inside[] = {{100, 300}, {3, 200}, {100, 1}};
    for (const QPoint& point : inside) {
        EXPECT_EQ(qAlpha(image.pixel(point)), 255) << point.x() << "," << point.y();
        EXPECT_TRUE(form.mask().contains(point)) << point.x() << "," << point.y();
    }
    EXPECT_EQ(QColor(image.pixel(100, 400)), QColor(229, 229, 229));  // the card
    EXPECT_EQ(QColor(image.pixel(2, 200)), QColor(65, 171, 67));      // its thick left frame
    // No visible pixel anywhere is the colour key itself.
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            ASSERT_TRUE(qAlpha(pixel) == 0 || (pixel & 0xFFFFFF) != 0xFF00FF) << x << "," << y;
        }
    }
}

// The blocks that put two pieces on a line were laid out for the card's small font: in it, no
// line of any shipped card may wrap, or its last piece would stand alone on the next line.
TEST(StatForm, EveryShippedPairLineFitsItsBlock) {
    using namespace card_texts;
    const auto bytes = ReadWholeFile(LF_CATALOGUE_DIR "/item_table.txt");
    ASSERT_TRUE(bytes.has_value());
    const auto items = LoadItemTableInPlace(AsText(*bytes));
    ASSERT_TRUE(items.has_value());
    StatForm form;
    const QFontMetrics metrics = form.TitleBlock()->fontMetrics();
    const std::vector<Rgb> pairColours = {kChineseStatColour, kEnglishStatColour, kQuestColour};
    int lines = 0;
    for (std::size_t row = 0; row < items->size(); ++row) {
        for (bool chinese : {true, false}) {
            for (const TextBlock& block : SetItemStat(items->RowText(row), chinese).blocks) {
                if (std::ranges::find(pairColours, block.colour) == pairColours.end()) continue;
                for (const QString& line : QString::fromStdString(block.text).split("\r\n")) {
                    ++lines;
                    const int width = metrics.horizontalAdvance(line.trimmed());
                    ASSERT_LE(width, 186) << line.toStdString() << " in "
                                          << form.TitleBlock()->font().toString().toStdString();
                }
            }
        }
    }
    EXPECT_GT(lines, 10000);
}

}  // namespace
}  // namespace lf

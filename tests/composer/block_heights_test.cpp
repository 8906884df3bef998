#include "composer/qt/block_heights.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QString>
#include <filesystem>
#include <random>

#include "catalogue/item_table.h"
#include "common/file_io.h"
#include "composer/card.h"

namespace lf {
namespace {

constexpr int kWidth = 186;

// A card block as the window makes it.
class BlockLabel {
  public:
    BlockLabel() {
        label_.setTextFormat(Qt::PlainText);
        label_.setWordWrap(true);
    }
    const QFont& Font() const { return label_.font(); }
    // What the label's own layout makes of the text; an empty label is one line of its font.
    int Height(const QString& text) {
        label_.setText(text);
        return text.isEmpty() ? label_.fontMetrics().height() : label_.heightForWidth(kWidth);
    }

  private:
    QLabel label_;
};

TEST(BlockHeights, CardLinesMatchTheLabelsOwnLayout) {
    BlockLabel label;
    BlockHeights heights(label.Font());
    const QString texts[] = {
        "",
        "武器",
        "Weapon",
        "耐久度 [30]",
        "[特殊道具]",
        "攻击力 120     防御力 35      \n攻击速度 -5    增加伤害力 10 %",
        "Damage 120    Defense 35    \nAttack Speed -5    \nDamage increase 10 %",
        "剑士\n等级 30\n敏捷 12",
        "购买价格 - 1200s\n出售价格 - 300s\n",
        "Purchase price - 1200s\nSale price - 300s\n",
        "添加选项\n攻击力 (-6 to 15)\nHP (-4 % to 10 %)\n",
        "\n\n",
        "gjpqy ÄÖÜ ÿ …",
        "适合所有职业使用。",
        "委托人 1850 难易度 2 \n次要角色 Event 获得声望 140 ",
        "只有真正的勇士才能驾驭它的力量，一般人拿起来就会感到沉重。只有真正的勇士才能驾驭它的力量"
        "。",
    };
    for (const QString& text : texts) {
        const std::optional<int> height = heights.QuickHeight(text, kWidth);
        ASSERT_TRUE(height.has_value()) << text.toStdString();
        EXPECT_EQ(*height, label.Height(text)) << text.toStdString();
    }
}

TEST(BlockHeights, LeavesUnusualTextToTheLayout) {
    BlockLabel label;
    BlockHeights heights(label.Font());
    const QString texts[] = {
        QString(80, 'w'),      // one word wider than the block
        "tab\there",           // tab stops
        "e\u0301",             // a combining accent
        "\u0645\u0631\u062D",  // joined Arabic letters
        QString::fromUtf8("\xF0\x9F\x98\x80"),
        "   ",
    };
    for (const QString& text : texts) {
        EXPECT_FALSE(heights.QuickHeight(text, kWidth).has_value()) << text.toStdString();
    }
}

// Random text of the kinds a card holds: it must never disagree with the label's layout, and
// Chinese prose must nearly always be answered without it.
TEST(BlockHeights, AgreesWithTheLayoutOnRandomText) {
    const QString ideographs =
        "的一是了我不人在他有这个上们来到时大地为子中你说生国年着就那和要她出也得里后自以会家可下而"
        "过天去能对小多然于心学么之都好看起发当没成只如事把还用第样道想作种开美总从无情己面最女但现"
        "前些所同日手又行意动方期它头经长儿回位分爱老因很给名法间斯知世什两次使身者被高已亲其进此话"
        "常与活正感";
    const QString closing = "，。、！？：；";
    const QString otherPunctuation = "（）「」《》…—";
    const QString latin =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789()-%[]:.,'/";
    enum Kind { kProse, kPunctuated, kMixed };
    BlockLabel label;
    BlockHeights heights(label.Font());
    std::mt19937 random(20240607);
    const auto pick = [&](const QString& from) { return from[random() % from.size()]; };
    const auto character = [&](Kind kind) {
        const unsigned roll = random() % 20;
        switch (kind) {
            case kProse:
                return roll == 0 ? pick(closing) : pick(ideographs);
            case kPunctuated:
                return roll == 0   ? pick(closing)
                       : roll == 1 ? pick(otherPunctuation)
                                   : pick(ideographs);
            case kMixed:
                break;
        }
        return roll < 6    ? pick(ideographs)
               : roll < 8  ? pick(otherPunctuation + closing)
               : roll < 16 ? pick(latin)
               : roll < 19 ? QChar(u' ')
                           : QChar(u'\n');
    };
    constexpr int kTexts = 1000;
    for (Kind kind : {kProse, kPunctuated, kMixed}) {
        int answered = 0;
        for (int i = 0; i < kTexts; ++i) {
            QString text;
            for (int length = static_cast<int>(random() % 70); length > 0; --length)
                text += character(kind);
            const std::optional<int> height = heights.QuickHeight(text, kWidth);
            if (!height) continue;
            ++answered;
            ASSERT_EQ(*height, label.Height(text)) << text.toStdString();
        }
        if (kind != kMixed) {
            EXPECT_GE(answered, kTexts * 9 / 10) << "kind " << kind;
        }
    }
}

// Every block of every card of the shipped catalogue, in both languages.
TEST(BlockHeights, AgreesWithTheLayoutOnTheShippedCatalogue) {
    const std::filesystem::path table = LF_CATALOGUE_DIR "/item_table.txt";
    if (!std::filesystem::exists(table)) GTEST_SKIP() << "no generated catalogue at " << table;
    const auto bytes = ReadWholeFile(table);
    ASSERT_TRUE(bytes.has_value());
    const auto items = LoadItemTableInPlace(AsText(*bytes));
    ASSERT_TRUE(items.has_value());
    BlockLabel label;
    BlockHeights heights(label.Font());
    int blocks = 0, answered = 0;
    for (std::size_t row = 0; row < items->size(); row += 7) {
        for (bool chinese : {true, false}) {
            for (const TextBlock& block : SetItemStat(items->RowText(row), chinese).blocks) {
                QString text = QString::fromStdString(block.text);
                text.replace("\r\n", "\n");
                ++blocks;
                const std::optional<int> height = heights.QuickHeight(text, kWidth);
                if (!height) continue;
                ++answered;
                ASSERT_EQ(*height, label.Height(text)) << block.text;
            }
        }
    }
    EXPECT_GE(answered, blocks * 9 / 10);
}

}  // namespace
}  // namespace lf

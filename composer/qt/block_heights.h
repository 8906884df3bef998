#pragma once

// Heights of the card's text blocks without a full text layout per block. Shaping text is by
// far the dearest part of building a card, yet the blocks are lines of Chinese and Latin text
// whose shape follows from each character's own metrics. For such text the label's word wrap
// is replayed here from cached per-character metrics: the same break opportunities, the same
// greedy filling of lines, the same line heights. Whenever a line end comes too close to call,
// or a character might be shaped differently in context, the label's own layout decides.

#include <QFont>
#include <QStringView>
#include <QTextBoundaryFinder>
#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace lf {

class BlockHeights {
  public:
    explicit BlockHeights(const QFont& font);

    // The height a word-wrapping label of this width gives the text, or none when only the
    // label's own layout can tell.
    std::optional<int> QuickHeight(QStringView text, int width);

  private:
    struct Extent {
        float ascent = 0;
        float descent = 0;
        void Include(const Extent& other) {
            ascent = std::max(ascent, other.ascent);
            descent = std::max(descent, other.descent);
        }
        bool operator==(const Extent&) const = default;
        qreal Height() const { return qreal(ascent) + qreal(descent); }
    };
    struct CharMetrics {
        float advance = -1;  // negative until measured
        Extent extent;
        bool shapesAlone = false;   // shaped the same whatever its neighbours
        bool exactAdvance = false;  // never kerned or joined with its neighbours
        bool space = false;         // white space a line may break after
        bool ideograph = false;
        bool closing = false;  // punctuation that never begins a line
    };
    using MetricsPage = std::array<CharMetrics, 256>;
    class LineStack;
    class Lines;
    struct WrapContext;

    const CharMetrics& MetricsOf(QChar c) {
        const MetricsPage* page = metrics_[c.row()].get();
        if (page && (*page)[c.cell()].advance >= 0) return (*page)[c.cell()];
        return Measure(c);
    }
    const CharMetrics& Measure(QChar c);
    // Per character: the extent of the script run it belongs to, as the layout groups them.
    std::vector<Extent> RunExtents(QStringView text);
    // Stacks the lines of the paragraph from start to end; false when only the layout can.
    bool StackParagraph(WrapContext& context, qsizetype start, qsizetype end, const Extent& ending,
                        Lines& lines);
    // Fills lines word by word; nextBreak(i) is the first break opportunity after position i,
    // runExtents (if given) the run extent of each character.
    template <typename NextBreak>
    bool ReplayWords(QStringView paragraph, NextBreak nextBreak, const Extent* runExtents,
                     Lines& lines);

    QFont font_;
    qreal leading_;
    Extent emptyLine_;  // a line without text
    Extent separator_;  // what a line break adds to the line it ends
    std::array<std::unique_ptr<MetricsPage>, 256> metrics_;
};

}  // namespace lf

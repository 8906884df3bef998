#include "composer/qt/block_heights.h"

#include <QFontMetricsF>
#include <QTextLayout>
#include <QtMath>
#include <algorithm>

namespace lf {
namespace {

// Characters shaped one by one as they are in a line: no joining, combining or reordering.
bool ShapesAlone(char16_t c) {
    return (c >= 0x20 && c <= 0x7E) || (c >= 0xA0 && c <= 0xFF && c != 0xAD) ||
           (c >= 0x2010 && c <= 0x2027) || (c >= 0x3000 && c <= 0x30FF) ||
           (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) ||
           (c >= 0xFF01 && c <= 0xFF5E) || (c >= 0xFFE0 && c <= 0xFFE6);
}

// East Asian characters sit on a fixed advance; Latin text may be kerned or joined.
bool HasExactAdvance(char16_t c) { return c >= 0x3000; }

// How far the sum of advances may stray from the shaped width of a line, in pixels: kerning
// and ligatures mostly narrow Latin text, and widen it a little at times.
constexpr qreal kExactReserve = 0.5;
constexpr qreal kNarrowingPerCharacter = 1.0;
constexpr qreal kWideningPerCharacter = 0.2;

bool IsStrongScript(QChar::Script script) { return script > QChar::Script_Common; }

bool IsIdeograph(char16_t c) {
    return (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF);
}

// Punctuation that never begins a line.
bool IsClosing(char16_t c) {
    switch (c) {
        case u'，':
        case u'。':
        case u'、':
        case u'！':
        case u'？':
        case u'：':
        case u'；':
            return true;
        default:
            return false;
    }
}

// No-break spaces hold their neighbours together like letters.
bool IsBreakableSpace(char16_t c) { return c == u' ' || c == u'\u3000'; }

// The first line of a one-line layout of the text.
QTextLine LaidOut(QTextLayout& layout) {
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    return line;
}

}  // namespace

BlockHeights::BlockHeights(const QFont& font) : font_(font) {
    const QFontMetricsF metrics(font);
    leading_ = metrics.leading();
    emptyLine_ = {float(metrics.ascent()), float(metrics.descent())};
    QTextLayout layout(QString(QChar::LineSeparator), font_);
    const QTextLine line = LaidOut(layout);
    separator_ = {float(line.ascent()), float(line.descent())};
}

const BlockHeights::CharMetrics& BlockHeights::Measure(QChar c) {
    std::unique_ptr<MetricsPage>& page = metrics_[c.row()];
    if (!page) page = std::make_unique<MetricsPage>();
    QTextLayout layout(QString(c), font_);
    const QTextLine line = LaidOut(layout);
    const char16_t code = c.unicode();
    return (*page)[c.cell()] = {
               float(line.cursorToX(1)), {float(line.ascent()), float(line.descent())},
               ShapesAlone(code),        HasExactAdvance(code),
               IsBreakableSpace(code),   IsIdeograph(code),
               IsClosing(code)};
}

// A run ends where the script changes between two characters of a definite script, and at
// every line break; characters of no definite script join the run before them, or at the
// start the first run.
std::vector<BlockHeights::Extent> BlockHeights::RunExtents(QStringView text) {
    std::vector<Extent> extents(text.size());
    qsizetype runStart = 0;
    QChar::Script runScript = QChar::Script_Common;
    Extent run;
    const auto closeRun = [&](qsizetype end) {
        std::fill(extents.begin() + runStart, extents.begin() + end, run);
        runStart = end;
        run = {};
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n') {
            closeRun(i);
            runStart = i + 1;
            continue;
        }
        const QChar::Script script = text[i].script();
        if (IsStrongScript(script) && script != runScript) {
            if (IsStrongScript(runScript)) closeRun(i);
            runScript = script;
        }
        run.Include(MetricsOf(text[i]).extent);
    }
    closeRun(text.size());
    return extents;
}

// Lines stacked as the layout stacks them: each line starts on a whole pixel.
class BlockHeights::LineStack {
  public:
    explicit LineStack(qreal leading) : leading_(leading), height_(-leading) {}
    void Add(qreal lineHeight) { height_ = qCeil(height_ + leading_) + lineHeight; }
    int Height() const { return qCeil(height_); }

  private:
    qreal leading_;
    qreal height_;
};

// The lines of one paragraph, filled greedily word by word as the layout fills them. A word
// runs up to the next break opportunity or white space; white space after a word only counts
// when another word follows it on the same line.
class BlockHeights::Lines {
  public:
    Lines(qreal width, LineStack& stack) : width_(width), stack_(stack) {}

    // False when the line end comes too close to call, or a word is wider than a line.
    bool AddWord(qreal advance, int inexact, const Extent& extent) {
        const qreal needed = lineAdvance_ + pendingSpace_ + advance;
        const int uncertain = lineInexact_ + inexact;
        if (needed > width_) {
            if (needed - width_ <= kExactReserve + kNarrowingPerCharacter * uncertain) return false;
            if (!hasWord_) return false;
            EndLine();
            return AddWord(advance, inexact, extent);
        }
        if (width_ - needed <= kExactReserve + kWideningPerCharacter * uncertain) return false;
        lineAdvance_ = needed;
        lineInexact_ = uncertain;
        pendingSpace_ = 0;
        lineExtent_.Include(extent);
        hasWord_ = true;
        return true;
    }

    void AddSpace(qreal advance) { pendingSpace_ += advance; }

    // Ends the last line, which also holds the line break after the paragraph (if any).
    void Finish(const Extent& ending) {
        lineExtent_.Include(ending);
        EndLine();
    }

  private:
    void EndLine() {
        stack_.Add(lineExtent_.Height());
        lineAdvance_ = pendingSpace_ = 0;
        lineInexact_ = 0;
        lineExtent_ = {};
        hasWord_ = false;
    }

    qreal width_;
    LineStack& stack_;
    qreal lineAdvance_ = 0;
    qreal pendingSpace_ = 0;
    int lineInexact_ = 0;
    Extent lineExtent_;
    bool hasWord_ = false;
};

template <typename NextBreak>
bool BlockHeights::ReplayWords(QStringView paragraph, NextBreak nextBreak, const Extent* runExtents,
                               Lines& lines) {
    for (qsizetype pos = 0; pos < paragraph.size();) {
        if (MetricsOf(paragraph[pos]).space) {
            lines.AddSpace(MetricsOf(paragraph[pos++]).advance);
            continue;
        }
        const qsizetype wordBreak = std::min(nextBreak(pos), paragraph.size());
        qreal advance = 0;
        int inexact = 0;
        Extent extent;
        for (; pos < wordBreak; ++pos) {
            const CharMetrics& metrics = MetricsOf(paragraph[pos]);
            if (metrics.space) break;
            advance += metrics.advance;
            inexact += metrics.exactAdvance ? 0 : 1;
            extent.Include(runExtents ? runExtents[pos] : metrics.extent);
        }
        if (!lines.AddWord(advance, inexact, extent)) return false;
    }
    return true;
}

// Break opportunities and script runs matter only in the few paragraphs that wrap and are not
// plain Chinese; they are worked out for the whole text on first need.
struct BlockHeights::WrapContext {
    QStringView text;
    std::optional<QTextBoundaryFinder> breaks;
    std::vector<Extent> runExtents;
};

bool BlockHeights::StackParagraph(WrapContext& context, qsizetype start, qsizetype end,
                                  const Extent& ending, Lines& lines) {
    const QStringView paragraph = context.text.sliced(start, end - start);
    // One pass: the width up to the last visible character, and what kind of text it is.
    qreal advance = 0, visibleAdvance = 0;
    int visible = 0, inexact = 0;
    Extent extent, first;
    bool plainChinese = true, oneExtent = true;
    for (const QChar c : paragraph) {
        const CharMetrics& metrics = MetricsOf(c);
        if (!metrics.shapesAlone) return false;
        advance += metrics.advance;
        if (metrics.space) continue;
        if (visible++ == 0) first = metrics.extent;
        visibleAdvance = advance;
        inexact += metrics.exactAdvance ? 0 : 1;
        extent.Include(metrics.extent);
        plainChinese = plainChinese && (metrics.ideograph || metrics.closing);
        oneExtent = oneExtent && metrics.extent == first;
    }
    if (visible == 0) return false;  // white space alone
    // Most paragraphs fit on one line.
    bool fits = lines.AddWord(visibleAdvance, inexact, extent);
    if (!fits && plainChinese && oneExtent) {
        // Chinese prose may break before any ideograph and nowhere else.
        const auto nextIdeograph = [&](qsizetype pos) {
            while (++pos < paragraph.size() && !MetricsOf(paragraph[pos]).ideograph) {
            }
            return pos;
        };
        fits = ReplayWords(paragraph, nextIdeograph, nullptr, lines);
    } else if (!fits) {
        if (!context.breaks) {
            context.breaks.emplace(QTextBoundaryFinder::Line, context.text.data(),
                                   context.text.size());
            context.runExtents = RunExtents(context.text);
        }
        QTextBoundaryFinder& breaks = *context.breaks;
        const auto nextOpportunity = [&](qsizetype pos) {
            breaks.setPosition(start + pos);
            const qsizetype next = breaks.toNextBoundary();
            return next < 0 ? paragraph.size() : next - start;  // may lie past the paragraph
        };
        fits = ReplayWords(paragraph, nextOpportunity, context.runExtents.data() + start, lines);
    }
    if (fits) lines.Finish(ending);
    return fits;
}

std::optional<int> BlockHeights::QuickHeight(QStringView text, int width) {
    WrapContext context{text, std::nullopt, {}};
    LineStack stack(leading_);
    for (qsizetype start = 0;;) {
        const qsizetype end = std::find(text.begin() + start, text.end(), u'\n') - text.begin();
        const bool last = end == text.size();
        const Extent ending = last ? Extent{} : separator_;
        if (start == end) {
            Extent empty = emptyLine_;
            empty.Include(ending);
            stack.Add(empty.Height());
        } else {
            // A failed attempt may leave lines behind; the answer is dropped then anyway.
            Lines lines(width, stack);
            if (!StackParagraph(context, start, end, ending, lines)) return std::nullopt;
        }
        if (last) break;
        start = end + 1;
    }
    return stack.Height();
}

}  // namespace lf

#include "finder/comparison.h"

namespace lf::finder {
namespace {

Verdict Judge(Judgement judgement, std::int64_t change) {
    switch (judgement) {
        case Judgement::HigherIsBetter:
            return change > 0 ? Verdict::Better : Verdict::Worse;
        case Judgement::LowerIsBetter:
            return change < 0 ? Verdict::Better : Verdict::Worse;
        case Judgement::Neutral:
            break;
    }
    return Verdict::Neither;
}

}  // namespace

std::vector<Difference> Compare(const ItemFacts& pinned, const ItemFacts& other) {
    std::vector<Difference> differences;
    for (Column column = 0; column < kColumnCount; ++column) {
        if (pinned[column] == other[column]) continue;
        const std::int64_t change = std::int64_t{other[column]} - pinned[column];
        differences.push_back({column, pinned[column], other[column], change,
                               Judge(Columns()[column].judgement, change)});
    }
    return differences;
}

}  // namespace lf::finder

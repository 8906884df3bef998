#include "demo_catalogue/icon_plan.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "demo_catalogue/item_kinds.h"
#include "demo_catalogue/random.h"

namespace lf::demo {
namespace {

constexpr std::uint64_t kRarityStream = 0xC0105ull;
constexpr int kRarityWeights[kRarityCount] = {40, 25, 18, 12, 5};

// Cells per picture in proportion to the rows that show it (largest remainders round up), so
// that every picture has a few items per cell.
std::array<int, kPictureCount> CellsPerPicture() {
    std::array<std::int64_t, kPictureCount> rows{};
    for (const KindPlan& plan : CatalogueKinds()) rows[static_cast<int>(plan.picture)] += plan.rows;
    std::array<int, kPictureCount> cells{};
    std::array<std::int64_t, kPictureCount> remainder{};
    int given = 0;
    for (int p = 0; p < kPictureCount; ++p) {
        cells[p] = static_cast<int>(rows[p] * kUsedIcons / kItemRows);
        remainder[p] = rows[p] * kUsedIcons % kItemRows;
        given += cells[p];
    }
    std::array<int, kPictureCount> order{};
    for (int p = 0; p < kPictureCount; ++p) order[p] = p;
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return remainder[a] > remainder[b]; });
    for (int i = 0; given < kUsedIcons; ++i, ++given) ++cells[order[i]];
    return cells;
}

std::vector<IconArt> PlanCells() {
    std::vector<IconArt> plan;
    plan.reserve(kDrawnSheets * kIconsPerSheet);
    const auto perPicture = CellsPerPicture();
    for (int p = 0; p < kPictureCount; ++p) {
        plan.insert(plan.end(), perPicture[p], IconArt{static_cast<Picture>(p), Rarity::Common});
    }
    // The few cells after the last used one still get a picture, so no sheet has holes.
    for (int p = 0; std::ssize(plan) < kDrawnSheets * kIconsPerSheet; ++p) {
        plan.push_back({static_cast<Picture>(p % kPictureCount), Rarity::Common});
    }
    for (std::size_t cell = 0; cell < plan.size(); ++cell) {
        Random random = Random::For(kRarityStream, cell);
        plan[cell].rarity = static_cast<Rarity>(random.Weighted(kRarityWeights));
    }
    return plan;
}

}  // namespace

const std::vector<IconArt>& PlannedIcons() {
    static const std::vector<IconArt> cells = PlanCells();
    return cells;
}

std::vector<int> IconsShowing(Picture picture) {
    std::vector<int> icons;
    const auto& cells = PlannedIcons();
    for (int icon = 0; icon < kUsedIcons; ++icon) {
        if (cells[icon].picture == picture) icons.push_back(icon);
    }
    return icons;
}

}  // namespace lf::demo

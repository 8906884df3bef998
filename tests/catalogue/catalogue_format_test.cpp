#include "catalogue/catalogue_format.h"

#include <gtest/gtest.h>

namespace lf {
namespace {

TEST(IconCells, IconNumbersNameSheetColumnAndRow) {
    struct Case {
        std::int32_t n, sheet, column, row;
    };
    for (const Case c : {Case{0, 0, 0, 0}, Case{255, 0, 15, 15}, Case{256, 1, 0, 0},
                         Case{601, 2, 9, 5}, Case{3834, 14, 10, 15}, Case{4095, 15, 15, 15}}) {
        const IconCell cell = CellOfIcon(c.n);
        EXPECT_EQ(cell.sheet, c.sheet) << c.n;
        EXPECT_EQ(cell.column, c.column) << c.n;
        EXPECT_EQ(cell.row, c.row) << c.n;
    }
    EXPECT_EQ(CellOfIcon(-1).sheet, -1);
    EXPECT_EQ(CellOfIcon(4096).sheet, 16);
}

}  // namespace
}  // namespace lf

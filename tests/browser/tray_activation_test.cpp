#include "browser/tray_activation.h"

#include <gtest/gtest.h>

namespace lf {
namespace {

TEST(TrayClicks, OneActivationIsOneToggleAndADoubleClickCountsOnce) {
    TrayClickFolder folder(400);
    EXPECT_TRUE(folder.Toggles(TrayClick::Single, 1000));
    EXPECT_FALSE(folder.Toggles(TrayClick::Double, 1200)) << "second half of a double click";
    EXPECT_TRUE(folder.Toggles(TrayClick::Single, 2000));
    EXPECT_TRUE(folder.Toggles(TrayClick::Double, 3000)) << "a desktop that reports only doubles";
    EXPECT_FALSE(folder.Toggles(TrayClick::Other, 5000));
    EXPECT_TRUE(folder.Toggles(TrayClick::Single, 5001));
}

}  // namespace
}  // namespace lf

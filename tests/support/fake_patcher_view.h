#pragma once

#include <optional>

#include "patcher/patcher_presenter.h"

namespace lf::testing {

// A patcher window that remembers what it was told.
class FakePatcherView : public patcher::PatcherView {
  public:
    std::optional<patcher::PatcherCaptions> captions;
    int outerHeight = 0;
    bool ended = false;

    void ShowCaptions(const patcher::PatcherCaptions& c) override { captions = c; }
    void SetOuterHeight(int pixels) override { outerHeight = pixels; }
    void End() override { ended = true; }
};

}  // namespace lf::testing

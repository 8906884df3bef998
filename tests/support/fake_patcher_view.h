#pragma once

#include <optional>

#include "patcher/patcher_presenter.h"

namespace lf::testing {

// A patcher window that remembers what it was told.
class FakePatcherView : public patcher::PatcherView {
  public:
    std::optional<patcher::PatcherCaptions> captions;
    int outerHeightTwips = 0;
    bool ended = false;

    void ShowCaptions(const patcher::PatcherCaptions& c) override { captions = c; }
    void SetOuterHeightTwips(int twips) override { outerHeightTwips = twips; }
    void End() override { ended = true; }
};

}  // namespace lf::testing

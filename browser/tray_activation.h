#pragma once

// Clicks on the notification-area icon: one activation is one toggle, and the single click
// that opens a double click is not toggled back by the double click that follows it.

#include <cstdint>
#include <optional>

namespace lf {

enum class TrayClick { Single, Double, Other };

class TrayClickFolder {
  public:
    explicit TrayClickFolder(std::int64_t doubleClickMs) : doubleClickMs_(doubleClickMs) {}

    // Whether this activation toggles the window; nowMs is a monotonic clock.
    bool Toggles(TrayClick click, std::int64_t nowMs) {
        if (click == TrayClick::Other) return false;
        if (click == TrayClick::Double && lastToggleMs_ &&
            nowMs - *lastToggleMs_ <= doubleClickMs_) {
            return false;  // the second half of a double click already toggled
        }
        lastToggleMs_ = nowMs;
        return true;
    }

  private:
    std::int64_t doubleClickMs_;
    std::optional<std::int64_t> lastToggleMs_;
};

}  // namespace lf

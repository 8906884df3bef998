#pragma once

// Tablepatch's rules, apart from any window: the start-up check, the help text and the gesture
// that reveals the icon panel, the export with its overwrite question, the imports of a table or
// a sheet, and the message for every outcome. A window layer implements PatcherView.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "common/system_port.h"
#include "common/wording.h"
#include "patcher/patcher_core.h"

namespace lf::patcher {

inline constexpr std::string_view kPatcherTitle = "Lorefinder_ResProc";

// The captions that depend on the language.
struct PatcherCaptions {
    std::string_view window;
    std::string_view replaceButton;
    std::string_view exportButton;
    std::string_view helpButton;
    std::string_view importIconButton;
};
// The window is built with the English captions; start-up switches to Chinese when needed.
inline constexpr PatcherCaptions kDesignCaptions{"ResProc", "Import", "Export", "I", "Import"};

// The option button of icon sheet k (0 to 15), the same in both languages: "Item Icon 1" to
// "Item Icon 16".
std::string IconOptionCaption(int k);

class PatcherView {
  public:
    virtual ~PatcherView() = default;

    virtual void ShowCaptions(const PatcherCaptions& captions) = 0;
    // The window's outer height in pixels, title bar and borders included; the icon panel
    // shows only at the taller one.
    virtual void SetOuterHeight(int pixels) = 0;
    // Closes the patcher for good after a failure that ends it.
    virtual void End() = 0;
};

class PatcherPresenter {
  public:
    // How many clicks on the help button reveal the icon panel.
    static constexpr int kRevealCount = 3;
    static constexpr int kCollapsedOuterTwips = 1545;
    static constexpr int kRevealedOuterTwips = 5550;

    // folder: the folder of the running patcher, as the platform reports it.
    PatcherPresenter(PatcherView& view, SystemPort& system, std::string folder);

    // The start-up sequence; false, after its message, when Lorefinder.exe is not beside it.
    bool Start();

    void OnHelp();
    void OnExport();
    void OnReplace();
    void OnImportIcon();
    void OnIconChosen(int index) { iconIndex_ = index; }

    bool IsChineseUI() const { return language_ == Language::Chinese; }
    int IconIndex() const { return iconIndex_; }
    // True once a failure has ended the patcher.
    bool HasEnded() const { return ended_; }

  private:
    void ImportResource(FileFilter filter, std::uint16_t id);
    bool TableMayBeWritten(const std::filesystem::path& table);
    void ReportWriteFailure(const WriteError& error, const std::filesystem::path& exePath);
    void Tell(std::string_view text);
    void SetOuterHeight(int twips);
    std::filesystem::path BrowserPath() const;

    PatcherView& view_;
    SystemPort& system_;
    std::string folder_;
    Language language_ = Language::English;
    int iconIndex_ = 0;
    int helpClicks_ = 0;
    int outerHeightTwips_ = 0;
    bool ended_ = false;
    std::filesystem::path dialogFolder_;
};

}  // namespace lf::patcher

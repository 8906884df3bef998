#pragma once

// Tablepatch's window on Win32: standard controls at the patcher's pixel places, a help button
// whose gesture reveals the icon panel, and on that panel sixteen option buttons and the import
// of one icon sheet. It forwards its clicks to the PatcherPresenter and shows what it is told.

#include <windows.h>

#include <array>
#include <string>

#include "catalogue/catalogue_format.h"
#include "common/win32/window.h"
#include "patcher/patcher_presenter.h"

namespace lf::patcher {

// The controls' ids, as GetDlgItem finds them.
enum Form1Control : int {
    kReplaceButton = 101,
    kExportButton,
    kHelpButton,
    kIconPanel,
    kImportIconButton,
    kFirstIconOption = 200,  // IconSel(k) is kFirstIconOption + k
};

class Form1 : public Window, private PatcherView {
  public:
    // Creates the window and its controls, hidden.
    Form1(SystemPort& system, std::string folder);

    // Runs the start-up sequence and centres the window; false when Lorefinder.exe is not
    // beside the patcher. Showing the window is the caller's.
    bool Start();
    const PatcherPresenter& Presenter() const { return presenter_; }

  private:
    LRESULT OnMessage(UINT message, WPARAM w, LPARAM l) override;
    void OnCommand(int id);
    void CreateControls();

    // PatcherView
    void ShowCaptions(const PatcherCaptions& captions) override;
    void SetOuterHeight(int pixels) override;
    void End() override;

    PatcherPresenter presenter_;
    int exitCode_ = 0;
    HWND CMD_Replace = nullptr;
    HWND CMD_Export = nullptr;
    HWND CMD_help = nullptr;
    std::array<HWND, kIconSheetCount> IconSel{};
    HWND CMD_ImportIcon = nullptr;
};

}  // namespace lf::patcher

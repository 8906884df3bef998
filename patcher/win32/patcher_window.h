#pragma once

// Tablepatch's window on Win32: standard controls at the patcher's pixel places, a help button
// whose gesture reveals the icon panel, and on that panel sixteen option buttons and the import
// of one icon sheet. It forwards its clicks to the PatcherPresenter and shows what it is told.

#include <windows.h>

#include <array>
#include <string>

#include "common/catalogue_format.h"
#include "patcher/patcher_layout.h"
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

class Form1 : private PatcherView {
  public:
    // Creates the window and its controls, hidden.
    Form1(SystemPort& system, std::string folder);
    ~Form1() override;
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // Runs the start-up sequence and centres the window; false when Lorefinder.exe is not
    // beside the patcher. Showing the window is the caller's.
    bool Start();
    HWND Window() const { return window_; }
    const PatcherPresenter& Presenter() const { return presenter_; }

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT OnMessage(UINT message, WPARAM w, LPARAM l);
    void OnCommand(int id);
    HWND Place(const wchar_t* kind, const wchar_t* caption, DWORD style, const PixelPlace& place,
               int id);
    void CreateControls();

    // PatcherView
    void ShowCaptions(const PatcherCaptions& captions) override;
    void SetOuterHeightTwips(int twips) override;
    void End() override;

    PatcherPresenter presenter_;
    HWND window_ = nullptr;
    int exitCode_ = 0;
    HWND CMD_Replace = nullptr;
    HWND CMD_Export = nullptr;
    HWND CMD_help = nullptr;
    std::array<HWND, kIconSheetCount> IconSel{};
    HWND CMD_ImportIcon = nullptr;
};

}  // namespace lf::patcher

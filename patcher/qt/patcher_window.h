#pragma once

// Tablepatch's window on Qt: import a new item table, export the current one, a help button whose
// gesture reveals the icon panel, and on that panel the import of one of sixteen icon sheets. It
// forwards its clicks to the PatcherPresenter.

#include <QWidget>
#include <array>
#include <string>

#include "catalogue/catalogue_format.h"
#include "patcher/patcher_presenter.h"

class QButtonGroup;
class QFrame;
class QPushButton;
class QRadioButton;

namespace lf::patcher {

class Form1 : public QWidget, private PatcherView {
    Q_OBJECT
  public:
    Form1(SystemPort& system, std::string folder);

    // Runs the start-up sequence; false when Lorefinder.exe is not beside the patcher.
    bool Start();
    const PatcherPresenter& Presenter() const { return presenter_; }

  private:
    void CreateButtons();
    void CreateIconPanel();

    // PatcherView
    void ShowCaptions(const PatcherCaptions& captions) override;
    void SetOuterHeight(int pixels) override;
    void End() override;

    PatcherPresenter presenter_;

    QPushButton* CMD_Replace = nullptr;
    QPushButton* CMD_Export = nullptr;
    QPushButton* CMD_help = nullptr;
    QFrame* Frame1 = nullptr;
    std::array<QRadioButton*, kIconSheetCount> IconSel{};
    QButtonGroup* iconGroup_ = nullptr;
    QPushButton* CMD_ImportIcon = nullptr;
};

}  // namespace lf::patcher

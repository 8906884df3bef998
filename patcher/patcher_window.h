#pragma once

// Tablepatch's window: import a new item table, export the current one, a help button whose
// gesture reveals the icon panel, and on that panel the import of one of sixteen icon sheets.

#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>
#include <string>

class QButtonGroup;
class QFrame;
class QPushButton;
class QRadioButton;

namespace lf {
class Desktop;
}

namespace lf::patcher {

class Form1 : public QWidget {
    Q_OBJECT
public:
    // How many clicks on the help button reveal the icon panel.
    static constexpr int kRevealCount = 3;
    // The window's outer height with the panel hidden and revealed.
    static constexpr int kCollapsedOuterTwips = 1545;
    static constexpr int kRevealedOuterTwips = 5550;

    // Runs the start-up sequence for a patcher in `folder`. Without Lorefinder.exe there, the
    // message is shown and no window results.
    static std::unique_ptr<Form1> Start(Desktop& desktop, const std::string& folder);

    bool IsChineseUI() const { return isChineseUI_; }
    int IconIndex() const { return iconIndex_; }
    int HelpClicks() const { return helpClicks_; }
    int OuterHeightTwips() const { return outerHeightTwips_; }
    // True once a failure has ended the patcher.
    bool HasEnded() const { return ended_; }

private:
    Form1(Desktop& desktop, std::string folder);

    void CreateButtons();
    void CreateIconPanel();
    void ApplyChineseCaptions();
    void SetOuterHeight(int twips);

    void ShowHelp();
    void ExportItemTable();
    void ReplaceItemTable();
    void ImportIconSheet();
    void ImportResource(const QString& filter, std::uint16_t id);
    void Tell(const QString& text);
    QString Text(const char* chinese, const char* english) const;

    Desktop& desktop_;
    std::string folder_;
    bool isChineseUI_ = false;
    int iconIndex_ = 0;
    int helpClicks_ = 0;
    int outerHeightTwips_ = 0;
    bool ended_ = false;
    QString dialogFolder_;

    QPushButton* CMD_Replace = nullptr;
    QPushButton* CMD_Export = nullptr;
    QPushButton* CMD_help = nullptr;
    QFrame* Frame1 = nullptr;
    std::array<QRadioButton*, 16> IconSel{};
    QButtonGroup* iconGroup_ = nullptr;
    QPushButton* CMD_ImportIcon = nullptr;
};

}  // namespace lf::patcher

#pragma once

// The browser's main window: search box, the list of every item, number and name fields,
// the icon box and the two counters; it owns the docked detail window and the tray icon.

#include <QWidget>
#include <cstdint>
#include <expected>
#include <memory>
#include <optional>
#include <vector>

#include "browser/icon_sheets.h"
#include "browser/item_table.h"
#include "browser/search.h"
#include "common/executable_resources.h"

class QFrame;
class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QPushButton;
class QTimer;

namespace lf {
class Desktop;
class StatForm;
}  // namespace lf

namespace lf::browser {

class ItemListModel;
class TrayIcon;

class Form1 : public QWidget {
    Q_OBJECT
public:
    // Creates the window and runs the start-up sequence; the window is not shown yet. A table
    // that cannot be loaded yields its error and no window: there is no partial start.
    static std::expected<std::unique_ptr<Form1>, LoadError> Load(Desktop& desktop,
                                                                 ResourceReader readResource);
    ~Form1() override;

    bool IsChineseUI() const { return isChineseUI_; }
    const ItemTable& Items() const { return items_; }
    const IconSheets& Icons() const { return iconSheets_; }
    std::optional<std::size_t> SelectedRow() const;
    // The detail window, once it has been created.
    StatForm* DetailWindow() const { return statForm_.get(); }
    TrayIcon* Tray() const { return tray_; }

    // The docked place of the detail window for a main window with this outer frame.
    static QPoint DockedPosition(const QRect& mainFrame);

signals:
    // The selection handler has run for this row.
    void ItemSelected(int row);

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Form1(Desktop& desktop, ResourceReader readResource);

    void CreateControls();
    void CreateSearchRow();
    void CreateItemList();
    void CreateDetailRow();
    void CreateCounters();
    void CreateClipboardMenu();
    void ConnectHandlers();
    void ApplyEnglishCaptions();
    std::expected<void, LoadError> LoadItemTable();
    void FillItemList();

    void RunSearch();
    void SelectRow(std::size_t row);
    void OnSelectedRowChanged(int row);
    void OnItemNumberChanged(const QString& text);
    void ShowItemIcon(std::int32_t iconNumber);
    void ToggleDetailWindow();
    void ToggleFromTray();
    void DockDetailWindow();
    void PopUpClipboardMenu(const QPoint& at);
    void CopySearchText();
    void PasteSearchText();
    StatForm& Detail();

    Desktop& desktop_;
    ResourceReader readResource_;

    bool isChineseUI_ = false;
    ItemTable items_;
    std::optional<NameIndex> names_;
    bool searchFromTop_ = false;
    IconSheets iconSheets_;
    std::unique_ptr<StatForm> statForm_;
    TrayIcon* tray_ = nullptr;

    QLineEdit* Text_Sc = nullptr;
    QPushButton* CMD_Sc = nullptr;
    QListView* ItemList = nullptr;
    ItemListModel* itemListModel_ = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* Text_ItemNum = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Picture2 = nullptr;
    QLineEdit* Text_ItemName = nullptr;
    QFrame* Frame1 = nullptr;
    QLabel* LabelTotal = nullptr;
    QFrame* Frame2 = nullptr;
    QLabel* LabelLine = nullptr;
    QTimer* Timer1 = nullptr;
    QMenu* ClipProc = nullptr;
};

// The text of the fatal message shown when the item table cannot be loaded.
QString LoadFailureMessage(const LoadError& error);

}  // namespace lf::browser

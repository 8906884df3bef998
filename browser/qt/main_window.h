#pragma once

// The browser's main window on Qt: search box, the list of every item, number and name fields,
// the icon box and the two counters, beside it the detail window, and the tray icon. It forwards
// its events to the BrowserPresenter and shows what the presenter tells it.

#include <QWidget>
#include <memory>

#include "browser/browser_presenter.h"
#include "common/system_port.h"

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QPushButton;
class QShortcut;
class QTimer;

namespace lf {
class StatForm;
}

namespace lf::finder {
class FinderWindow;
}

namespace lf::browser {

class ItemListModel;
class TrayIcon;

class Form1 : public QWidget, private BrowserView {
    Q_OBJECT
  public:
    Form1(SystemPort& system, ResourceReader readResource);
    ~Form1() override;

    // Runs the start-up sequence; false when the table could not be loaded (already reported).
    bool Start() { return presenter_.Start(); }

    const BrowserPresenter& Presenter() const { return presenter_; }
    // The detail window, once it has been created.
    StatForm* DetailWindow() const { return statForm_.get(); }
    TrayIcon* Tray() const { return tray_; }
    // The Item Finder, once it has been opened.
    finder::FinderWindow* FinderWindow() const { return finderWindow_.get(); }

  protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void CreateControls();
    void CreateSearchRow();
    void CreateItemList();
    void CreateDetailRow();
    void CreateCounters();
    void CreateClipboardMenu();
    void ConnectHandlers();
    void OnListSelectionChanged();
    StatForm& Detail();

    // BrowserView
    void AddTrayIcon() override;
    void RemoveTrayIcon() override;
    void ShowCaptions(const BrowserCaptions& captions) override;
    void ShowItemList(const ItemTable& items) override;
    void SetItemNumberLength(int characters) override;
    void ShowTotal(std::string_view text) override;
    void SelectRow(std::size_t row) override;
    void ShowItemNumber(std::string_view number) override;
    void ShowItemName(std::string_view name, std::string_view description) override;
    void ShowPosition(std::string_view text) override;
    void ShowIcon(const PixelImage& box) override;
    void ShowCard(const Card& card) override;
    bool DetailVisible() const override;
    void SetDetailVisible(bool visible) override;
    void MoveDetail(ScreenPoint topLeft) override;
    void DestroyDetail() override;
    void FocusList() override;
    void SetSearchText(std::string_view text) override;
    bool MainWindowIsNormal() const override;
    ScreenRect MainWindowFrame() const override;
    void MinimiseAndHideMainWindow() override;
    void RestoreMainWindow() override;
    void HideMainWindowWhenSettled() override;
    finder::FinderPresenter& ItemFinder(const ItemTable& items, Language language,
                                        std::function<void(std::size_t row)> showItem) override;
    int FinderOuterWidth() const override;
    void MoveFinder(ScreenPoint topLeft) override;

    BrowserPresenter presenter_;
    std::unique_ptr<StatForm> statForm_;
    // Declared after the presenter, so it goes first: it shows the presenter's table.
    std::unique_ptr<finder::FinderWindow> finderWindow_;
    TrayIcon* tray_ = nullptr;
    bool selectingByProgram_ = false;

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
    QAction* ClipBoard_copy = nullptr;
    QAction* ClipBoard_paste = nullptr;
    QAction* Menu_find = nullptr;
    QShortcut* FindShortcut = nullptr;
};

}  // namespace lf::browser

#pragma once

// The browser's main window: search box, the list of every item, number and name fields,
// the icon box and the two counters.

#include <QWidget>
#include <cstdint>
#include <expected>
#include <memory>
#include <vector>

#include "browser/item_table.h"
#include "common/executable_resources.h"

class QFrame;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;

namespace lf {
class Desktop;
}

namespace lf::browser {

class ItemListModel;

class Form1 : public QWidget {
    Q_OBJECT
public:
    // Creates the window and runs the start-up sequence; the window is not shown yet. A table
    // that cannot be loaded yields its error and no window: there is no partial start.
    static std::expected<std::unique_ptr<Form1>, LoadError> Load(Desktop& desktop,
                                                                 ResourceReader readResource);
    ~Form1() override;

    bool IsChineseUI() const { return isChineseUI_; }
    const std::vector<ItemEntry>& Items() const { return items_; }

private:
    Form1(Desktop& desktop, ResourceReader readResource);

    void CreateControls();
    void CreateSearchRow();
    void CreateItemList();
    void CreateDetailRow();
    void CreateCounters();
    void ApplyEnglishCaptions();
    std::expected<void, LoadError> LoadItemTable();
    void FillItemList();

    Desktop& desktop_;
    ResourceReader readResource_;

    bool isChineseUI_ = false;
    std::vector<ItemEntry> items_;
    bool searchFromTop_ = false;
    std::int32_t currentSheet_ = -1;

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
};

// The text of the fatal message shown when the item table cannot be loaded.
QString LoadFailureMessage(const LoadError& error);

}  // namespace lf::browser

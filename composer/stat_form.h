#pragma once

// The detail window: a borderless card beside the main window showing the selected item's name
// and a column of coloured text blocks.

#include <QLabel>
#include <QWidget>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

#include "composer/block_heights.h"
#include "composer/card.h"

namespace lf {

class StatForm : public QWidget {
    Q_OBJECT

  public:
    // isChineseUI is asked on every SetItemStat call.
    explicit StatForm(std::function<bool()> isChineseUI, QWidget* parent = nullptr);

    // Rebuilds the card from one record's text (UTF-8, as the item table holds it).
    void SetItemStat(std::string_view DataStr);

    // Block 0, the item name.
    QLabel* TitleBlock() const { return title_; }
    // Blocks 1 and up, top to bottom.
    const std::vector<QLabel*>& TextBlocks() const { return blocks_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    QLabel* CreateBlock(QWidget* parent);
    void FitToText(QLabel* block, int top);
    void AddTextBlock(const TextBlock& block);
    void ClearTextBlocks();
    QWidget* LayerOf(Rgb colour);

    std::function<bool()> isChineseUI_;
    BlockHeights heights_;
    std::vector<std::pair<Rgb, QWidget*>> layers_;
    QLabel* title_;
    std::vector<QLabel*> blocks_;
};

}  // namespace lf

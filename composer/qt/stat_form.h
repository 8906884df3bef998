#pragma once

// The detail window: a borderless card beside the main window showing the selected item's name
// and a column of coloured text blocks.

#include <QLabel>
#include <QWidget>
#include <utility>
#include <vector>

#include "composer/card.h"
#include "composer/qt/block_heights.h"

namespace lf {

class StatForm : public QWidget {
    Q_OBJECT

  public:
    explicit StatForm(QWidget* parent = nullptr);

    // Replaces the blocks by the card's.
    void ShowCard(const Card& card);

    // Block 0, the item name.
    QLabel* TitleBlock() const { return title_; }
    // Blocks 1 and up, top to bottom.
    const std::vector<QLabel*>& TextBlocks() const { return blocks_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    QLabel* CreateBlock(QWidget* parent);
    int MeasureHeight(const QLabel* block, int width);
    void AddTextBlock(const TextBlock& block);
    void ClearTextBlocks();
    QWidget* LayerOf(Rgb colour);

    BlockHeights heights_;
    std::vector<std::pair<Rgb, QWidget*>> layers_;
    QLabel* title_;
    std::vector<QLabel*> blocks_;
};

}  // namespace lf

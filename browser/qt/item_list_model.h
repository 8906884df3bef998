#pragma once

// The rows of the item list: one per entry of the item table, in table order. Names are
// converted only when a row is drawn, so a list of any length is ready at once.

#include <QAbstractListModel>
#include <vector>

#include "catalogue/item_table.h"

namespace lf::browser {

class ItemListModel : public QAbstractListModel {
    Q_OBJECT
  public:
    explicit ItemListModel(QObject* parent = nullptr) : QAbstractListModel(parent) {}

    void SetItems(const ItemTable* items);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

  private:
    const ItemTable* items_ = nullptr;
};

}  // namespace lf::browser

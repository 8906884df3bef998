#include "browser/qt/item_list_model.h"

#include "common/qt/widgets.h"

namespace lf::browser {

void ItemListModel::SetItems(const ItemTable* items) {
    beginResetModel();
    items_ = items;
    endResetModel();
}

int ItemListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !items_ ? 0 : static_cast<int>(items_->size());
}

QVariant ItemListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !items_ || !index.isValid() ||
        static_cast<std::size_t>(index.row()) >= items_->size()) {
        return {};
    }
    return ToQt((*items_)[static_cast<std::size_t>(index.row())].Name);
}

}  // namespace lf::browser

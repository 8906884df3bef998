#include "finder/qt/result_model.h"

#include "common/qt/widgets.h"

namespace lf::finder {

ResultModel::ResultModel(const FinderPresenter& presenter, QObject* parent)
    : QAbstractTableModel(parent), presenter_(presenter) {}

void ResultModel::Reload() {
    beginResetModel();
    endResetModel();
}

void ResultModel::SetTitles(const std::vector<std::string>& titles) {
    QStringList shown;
    for (const std::string& title : titles) shown.append(ToQt(title));
    if (shown == titles_) return;
    titles_ = shown;
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

int ResultModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(presenter_.ResultCount());
}

int ResultModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(kResultColumns);
}

QVariant ResultModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    return ToQt(presenter_.ResultCell(static_cast<std::size_t>(index.row()),
                                      static_cast<std::size_t>(index.column())));
}

QVariant ResultModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if ((role != Qt::DisplayRole && role != Qt::ToolTipRole) || orientation != Qt::Horizontal ||
        section >= titles_.size()) {
        return {};
    }
    return titles_[section];
}

}  // namespace lf::finder

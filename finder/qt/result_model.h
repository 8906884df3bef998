#pragma once

// The finder's results as a table model: every cell is read from the presenter when the view
// paints it, so a keystroke that finds twenty thousand items costs no more than one that finds
// ten. The order is the presenter's; the model never sorts.

#include <QAbstractTableModel>
#include <QStringList>

#include "finder/finder_presenter.h"

namespace lf::finder {

class ResultModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    ResultModel(const FinderPresenter& presenter, QObject* parent);

    // The presenter's results changed.
    void Reload();
    void SetTitles(const std::vector<std::string>& titles);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    const FinderPresenter& presenter_;
    QStringList titles_;
};

}  // namespace lf::finder

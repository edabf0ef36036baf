#include "gui/UrlListSelection.h"

#include "runtime/RuntimeError.h"
#include "urllist/UrlListModel.h"

#include <QAbstractItemView>

#include <algorithm>

namespace {
// What reading the selected row of a list with none selected raises.

RuntimeError noSelectedRow()
{
    return RuntimeError(ErrorNumber::ObjectNotSet, QStringLiteral("Object variable or With block variable not set"));
}
} // namespace

UrlListSelection::UrlListSelection(UrlListModel *list, QObject *parent)
    : QItemSelectionModel(list, parent), m_list(list)
{
    connect(list, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex &, int first, int) { selectRowIfNoneSelected(first); });
    connect(list, &QAbstractItemModel::rowsRemoved, this,
            [this](const QModelIndex &, int first, int) { selectRowIfNoneSelected(first); });
    connect(list, &QAbstractItemModel::modelReset, this, [this] { selectRowIfNoneSelected(0); });
    connect(list, &QAbstractItemModel::columnsInserted, this, [this] { selectRowIfNoneSelected(0); });
}

void UrlListSelection::install(QAbstractItemView &view, UrlListModel &list)
{
    QItemSelectionModel *previous = view.selectionModel();
    view.setSelectionModel(new UrlListSelection(&list, &view));
    delete previous;
}

UrlListSelection &UrlListSelection::of(const QAbstractItemView &view)
{
    auto *selection = qobject_cast<UrlListSelection *>(view.selectionModel());
    if (!selection)
        throw noSelectedRow();
    return *selection;
}

QModelIndex UrlListSelection::selectedRow() const
{
    const QModelIndexList selected = selectedIndexes();
    return selected.isEmpty() ? QModelIndex() : selected.first();
}

int UrlListSelection::selectedPosition() const
{
    const QModelIndex row = selectedRow();
    if (!row.isValid())
        throw noSelectedRow();
    return row.row() + 1;
}

void UrlListSelection::selectPosition(int position)
{
    setCurrentIndex(m_list->rowIndex(position), ClearAndSelect | Rows);
}

void UrlListSelection::select(const QItemSelection &selection, QItemSelectionModel::SelectionFlags command)
{
    const QItemSelection before = this->selection();
    QItemSelectionModel::select(selection, command);
    if (!hasSelection() && !before.isEmpty() && m_list->rowCount() > 0)
        QItemSelectionModel::select(before, ClearAndSelect);
}

void UrlListSelection::selectRowIfNoneSelected(int row)
{
    if (hasSelection() || m_list->rowCount() == 0)
        return;
    const int neighbour = std::clamp(row, 0, m_list->rowCount() - 1);
    setCurrentIndex(m_list->index(neighbour, 0), ClearAndSelect | Rows);
}

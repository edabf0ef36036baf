#pragma once

#include <QItemSelectionModel>

class QAbstractItemView;
class UrlListModel;

// The URL list's selection: one row at a time, and always one while the list has rows. The first
// row added to an empty list is selected; when the selected row goes, a neighbour takes its place
// (the row that moved up into its position, else the new last row); and nothing, not even a
// Ctrl+click on the selected row, can leave a list with rows and no selected row. So the commands
// that act on "the selected row" always find one.
class UrlListSelection : public QItemSelectionModel
{
    Q_OBJECT

public:
    explicit UrlListSelection(UrlListModel *list, QObject *parent = nullptr);

    // Replaces the view's own selection model; the view shows list.
    static void install(QAbstractItemView &view, UrlListModel &list);
    // The selection installed on view; a RuntimeError when there is none.
    static UrlListSelection &of(const QAbstractItemView &view);

    // The selected row; invalid when none is.
    QModelIndex selectedRow() const;
    // The 1-based position of the selected row; a RuntimeError when no row is selected.
    int selectedPosition() const;
    // Marks the row at a 1-based position as the selected and current row; a RuntimeError when
    // the position is outside the list.
    void selectPosition(int position);

    using QItemSelectionModel::select;
    void select(const QItemSelection &selection, QItemSelectionModel::SelectionFlags command) override;

private:
    void selectRowIfNoneSelected(int row);

    UrlListModel *m_list;
};

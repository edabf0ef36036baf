#include "urllist/UrlListModel.h"

#include "runtime/RuntimeError.h"

namespace {
// The list control's own code for an index outside the list.
constexpr int kIndexOutOfBounds = 35600;
} // namespace

UrlListModel::UrlListModel(QObject *parent) : QAbstractTableModel(parent)
{}

void UrlListModel::addColumn(const QString &header)
{
    const int column = static_cast<int>(m_headers.size());
    beginInsertColumns(QModelIndex(), column, column);
    m_headers.append(header);
    endInsertColumns();
}

void UrlListModel::checkPosition(int position, int last) const
{
    if (position < 1 || position > last)
        throw RuntimeError(kIndexOutOfBounds, QStringLiteral("Index out of bounds"));
}

QString UrlListModel::text(int position) const
{
    checkPosition(position, count());
    return m_texts.at(position - 1);
}

void UrlListModel::setText(int position, const QString &text)
{
    checkPosition(position, count());
    showPendingRows();
    m_texts[position - 1] = text;
    const QModelIndex changed = index(position - 1, 0);
    emit dataChanged(changed, changed, {Qt::DisplayRole, Qt::EditRole});
}

void UrlListModel::append(const QString &text)
{
    if (m_openBatches == 0) {
        insert(count() + 1, text);
        return;
    }
    m_texts.append(text);
}

void UrlListModel::insert(int position, const QString &text)
{
    checkPosition(position, count() + 1);
    showPendingRows();
    beginInsertRows(QModelIndex(), position - 1, position - 1);
    m_texts.insert(position - 1, text);
    ++m_shownRows;
    endInsertRows();
}

void UrlListModel::remove(int position)
{
    checkPosition(position, count());
    showPendingRows();
    beginRemoveRows(QModelIndex(), position - 1, position - 1);
    m_texts.removeAt(position - 1);
    --m_shownRows;
    endRemoveRows();
}

void UrlListModel::clear()
{
    beginResetModel();
    m_texts.clear();
    m_shownRows = 0;
    endResetModel();
}

QModelIndex UrlListModel::rowIndex(int position)
{
    checkPosition(position, count());
    showPendingRows();
    return index(position - 1, 0);
}

void UrlListModel::endAppendBatch()
{
    if (m_openBatches > 0 && --m_openBatches == 0)
        showPendingRows();
}

void UrlListModel::showPendingRows()
{
    if (m_shownRows == count())
        return;
    beginInsertRows(QModelIndex(), m_shownRows, count() - 1);
    m_shownRows = count();
    endInsertRows();
}

int UrlListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_shownRows;
}

int UrlListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_headers.size());
}

QVariant UrlListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.column() != 0 || index.row() >= m_shownRows)
        return {};
    if (role == Qt::DisplayRole)
        return m_texts.at(index.row()).left(kDisplayLength);
    if (role == Qt::EditRole)
        return m_texts.at(index.row());
    return {};
}

QVariant UrlListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < m_headers.size())
        return m_headers.at(section);
    return {};
}

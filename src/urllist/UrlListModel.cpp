#include "urllist/UrlListModel.h"

#include "shell/RuntimeError.h"

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
    m_texts[position - 1] = text;
    const QModelIndex changed = index(position - 1, 0);
    emit dataChanged(changed, changed, {Qt::DisplayRole});
}

void UrlListModel::append(const QString &text)
{
    insert(count() + 1, text);
}

void UrlListModel::insert(int position, const QString &text)
{
    checkPosition(position, count() + 1);
    beginInsertRows(QModelIndex(), position - 1, position - 1);
    m_texts.insert(position - 1, text);
    endInsertRows();
}

void UrlListModel::remove(int position)
{
    checkPosition(position, count());
    beginRemoveRows(QModelIndex(), position - 1, position - 1);
    m_texts.removeAt(position - 1);
    endRemoveRows();
}

void UrlListModel::clear()
{
    beginResetModel();
    m_texts.clear();
    endResetModel();
}

int UrlListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

int UrlListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_headers.size());
}

QVariant UrlListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.column() != 0 || index.row() >= count())
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return m_texts.at(index.row());
    return {};
}

QVariant UrlListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < m_headers.size())
        return m_headers.at(section);
    return {};
}

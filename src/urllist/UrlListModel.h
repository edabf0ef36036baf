#pragma once

#include <QAbstractTableModel>
#include <QStringList>

// The URL list: an ordered list of texts, kept exactly as typed or read. Positions in the
// public operations are 1-based, as the list's commands count rows; a position outside the list
// raises a RuntimeError like an out-of-range index of a list control.
class UrlListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit UrlListModel(QObject *parent = nullptr);

    // The list starts with no column; start-up adds the one column it shows.
    void addColumn(const QString &header);

    int count() const { return static_cast<int>(m_texts.size()); }
    QString text(int position) const;
    void setText(int position, const QString &text);
    void append(const QString &text);
    void insert(int position, const QString &text);
    void remove(int position);
    void clear();
    const QStringList &texts() const { return m_texts; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void checkPosition(int position, int last) const;

    QStringList m_texts;
    QStringList m_headers;
};

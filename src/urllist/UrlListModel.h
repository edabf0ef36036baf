#pragma once

#include <QAbstractTableModel>
#include <QStringList>

// The URL list: an ordered list of texts, kept exactly as typed or read. Positions in the
// public operations are 1-based, as the list's commands count rows; a position outside the list
// raises a RuntimeError like an out-of-range index of a list control.
//
// A view shows at most kDisplayLength characters of a row: a line of several megabytes read from
// a file would otherwise be laid out in full at every paint. text() always gives the whole text.
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
    // The model index of the row at a position, for views and selections.
    QModelIndex rowIndex(int position);
    const QStringList &texts() const { return m_texts; }

    static constexpr int kDisplayLength = 1024;

    // Rows appended while a batch is open are in the list at once, but views learn of them only
    // at showPendingRows() or when the last batch closes: a view lays itself out and repaints
    // once for many rows instead of once a row. Any other change shows the pending rows first.
    void beginAppendBatch() { ++m_openBatches; }
    void endAppendBatch();
    void showPendingRows();

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void checkPosition(int position, int last) const;

    QStringList m_texts;
    QStringList m_headers;
    int m_shownRows = 0; // the rows views know of: the first m_shownRows of m_texts
    int m_openBatches = 0;
};

// Keeps an append batch open on a list for as long as it lives.
class UrlListAppendBatch
{
public:
    explicit UrlListAppendBatch(UrlListModel &list) : m_list(list) { m_list.beginAppendBatch(); }
    ~UrlListAppendBatch() { m_list.endAppendBatch(); }
    UrlListAppendBatch(const UrlListAppendBatch &) = delete;
    UrlListAppendBatch &operator=(const UrlListAppendBatch &) = delete;

private:
    UrlListModel &m_list;
};

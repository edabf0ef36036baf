#pragma once

#include <QString>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

class QPDF;

// One PDF written out as it is put together, a document's sheets at a time, with one bookmark a
// document that opens its first sheet. Only the place of each object written stays in memory, so
// joining thousands of documents takes no more memory than joining two. (qpdf's own writer holds
// every object of the joined document at once: 150 kB a page of a browser's printout.)
class StreamedPdf
{
public:
    // The written text goes to `write` as it is made; whatever `write` raises goes through.
    explicit StreamedPdf(std::function<void(const char *data, size_t size)> write);

    // Writes every sheet of the document, with all it needs; qpdf's exceptions go through.
    void add(QPDF &document, const QString &bookmark);
    // Writes what ties the sheets together (the sheets' list, the bookmarks) and the index that
    // ends the file. Nothing may be added after.
    void finish();

private:
    // Numbers a new object of the file.
    int newObject()
    {
        m_offsets.push_back(0);
        return static_cast<int>(m_offsets.size());
    }
    void put(const std::string &text);
    // Starts object `number` at the current place.
    void beginObject(int number);

    std::function<void(const char *, size_t)> m_write;
    long long m_written = 0;
    // Where each object starts, by number less one.
    std::vector<long long> m_offsets;
    int m_catalog;
    int m_sheetTree;
    std::vector<int> m_sheets;
    // Each document's bookmark and the number of its first sheet.
    std::vector<std::pair<QString, int>> m_bookmarks;
};

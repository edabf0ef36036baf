#include "sheets/StreamedPdf.h"

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjGen.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <map>

namespace {
std::string reference(int number)
{
    return std::to_string(number) + " 0 R";
}

// One document's objects as the joined file numbers them. An object is numbered when it is first
// met and written once, after the one that met it.
class Renumbering
{
public:
    Renumbering(const std::function<int()> &newObject, int sheetTree) : m_newObject(newObject), m_sheetTree(sheetTree)
    {}

    // The object's number in the joined file, which it is given when first met.
    int numberOf(QPDFObjectHandle object)
    {
        const auto found = m_numbers.find(object.getObjGen());
        if (found != m_numbers.end())
            return found->second;
        const int number = m_newObject();
        m_numbers.emplace(object.getObjGen(), number);
        m_waiting.push_back(object);
        return number;
    }
    bool waiting() const { return !m_waiting.empty(); }
    QPDFObjectHandle next()
    {
        QPDFObjectHandle object = m_waiting.front();
        m_waiting.pop_front();
        return object;
    }

    // The text of a value inside an object: a reference, renumbered, or the value itself.
    std::string text(QPDFObjectHandle value)
    {
        if (value.isIndirect())
            return value.isNull() ? std::string("null") : reference(numberOf(value));
        return contents(value);
    }

    // The text of an object's own value, its references renumbered. A sheet's parent is the joined
    // file's sheet tree; the length of a stream is its raw data's, which comes after.
    std::string contents(QPDFObjectHandle value, bool isSheet = false, long long streamLength = -1)
    {
        if (value.isArray()) {
            std::string text = "[";
            for (QPDFObjectHandle &item : value.getArrayAsVector())
                text += this->text(item) + " ";
            return text + "]";
        }
        if (value.isDictionary()) {
            std::string text = "<<";
            for (const std::string &key : value.getKeys()) {
                text += QPDFObjectHandle::newName(key).unparse() + " ";
                if (isSheet && key == "/Parent")
                    text += reference(m_sheetTree);
                else if (streamLength >= 0 && key == "/Length")
                    text += std::to_string(streamLength);
                else
                    text += this->text(value.getKey(key));
                text += " ";
            }
            return text + ">>";
        }
        return value.unparseResolved();
    }

private:
    std::function<int()> m_newObject;
    int m_sheetTree;
    std::map<QPDFObjGen, int> m_numbers;
    std::deque<QPDFObjectHandle> m_waiting;
};
} // namespace

StreamedPdf::StreamedPdf(std::function<void(const char *data, size_t size)> write) : m_write(std::move(write))
{
    // The binary comment tells programs that guess at a file's kind that this one is not text.
    put("%PDF-1.7\n%\xe2\xe3\xcf\xd3\n");
    m_catalog = newObject();
    m_sheetTree = newObject();
}

void StreamedPdf::put(const std::string &text)
{
    m_write(text.data(), text.size());
    m_written += static_cast<long long>(text.size());
}

void StreamedPdf::beginObject(int number)
{
    m_offsets[static_cast<size_t>(number - 1)] = m_written;
    put(std::to_string(number) + " 0 obj\n");
}

void StreamedPdf::add(QPDF &document, const QString &bookmark)
{
    // A sheet takes what it inherits from the document's tree of sheets, which is not copied.
    document.pushInheritedAttributesToPage();
    Renumbering numbering([this] { return newObject(); }, m_sheetTree);
    std::vector<QPDFObjGen> sheets;
    for (const QPDFObjectHandle &sheet : document.getAllPages()) {
        sheets.push_back(sheet.getObjGen());
        m_sheets.push_back(numbering.numberOf(sheet));
    }
    if (sheets.empty())
        return;
    m_bookmarks.emplace_back(bookmark, m_sheets[m_sheets.size() - sheets.size()]);
    while (numbering.waiting()) {
        QPDFObjectHandle object = numbering.next();
        beginObject(numbering.numberOf(object));
        if (object.isStream()) {
            const std::shared_ptr<Buffer> data = object.getRawStreamData();
            put(numbering.contents(object.getDict(), false, static_cast<long long>(data->getSize())));
            put("\nstream\n");
            m_write(reinterpret_cast<const char *>(data->getBuffer()), data->getSize());
            m_written += static_cast<long long>(data->getSize());
            put("\nendstream\nendobj\n");
        } else {
            const bool isSheet = std::find(sheets.begin(), sheets.end(), object.getObjGen()) != sheets.end();
            put(numbering.contents(object, isSheet) + "\nendobj\n");
        }
    }
}

void StreamedPdf::finish()
{
    beginObject(m_sheetTree);
    std::string kids;
    for (const int sheet : m_sheets)
        kids += reference(sheet) + " ";
    put("<< /Type /Pages /Count " + std::to_string(m_sheets.size()) + " /Kids [" + kids + "] >>\nendobj\n");

    std::string catalog = "<< /Type /Catalog /Pages " + reference(m_sheetTree);
    if (!m_bookmarks.empty()) {
        const int outline = newObject();
        const int first = static_cast<int>(m_offsets.size()) + 1;
        const int last = first + static_cast<int>(m_bookmarks.size()) - 1;
        for (size_t i = 0; i < m_bookmarks.size(); ++i) {
            const int number = newObject();
            beginObject(number);
            std::string item =
                "<< /Title " + QPDFObjectHandle::newUnicodeString(m_bookmarks[i].first.toStdString()).unparse() +
                " /Parent " + reference(outline) + " /Dest [" + reference(m_bookmarks[i].second) + " /Fit]";
            if (number > first)
                item += " /Prev " + reference(number - 1);
            if (number < last)
                item += " /Next " + reference(number + 1);
            put(item + " >>\nendobj\n");
        }
        beginObject(outline);
        put("<< /Type /Outlines /First " + reference(first) + " /Last " + reference(last) + " /Count " +
            std::to_string(m_bookmarks.size()) + " >>\nendobj\n");
        // A viewer opens the file with its bookmarks in view: they are what the file is made of.
        catalog += " /Outlines " + reference(outline) + " /PageMode /UseOutlines";
    }
    beginObject(m_catalog);
    put(catalog + " >>\nendobj\n");

    const long long index = m_written;
    std::string table = "xref\n0 " + std::to_string(m_offsets.size() + 1) + "\n0000000000 65535 f \n";
    char entry[24];
    for (const long long offset : m_offsets) {
        std::snprintf(entry, sizeof entry, "%010lld 00000 n \n", offset);
        table += entry;
    }
    put(table);
    put("trailer\n<< /Size " + std::to_string(m_offsets.size() + 1) + " /Root " + reference(m_catalog) +
        " >>\nstartxref\n" + std::to_string(index) + "\n%%EOF\n");
}

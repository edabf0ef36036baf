#include "gui/Form1.h"

#include "gui/UrlListSelection.h"
#include "runtime/AppTitle.h"
#include "runtime/Dialogs.h"
#include "runtime/ErrorTrap.h"
#include "urllist/UrlListModel.h"

#include <QTreeView>

namespace {
constexpr int kDeleteKey = 46;
constexpr const char *kSampleAddresses[] = {"https://www.google.com/", "https://www.bing.com/",
                                            "https://duckduckgo.com/"};

// Double-click and the Delete key remove the selected row, not the row under the pointer.
void removeSelectedRow(const Form1 &form, const QTreeView &listView)
{
    if (form.MousePointer() == Form1::kBusyPointer)
        return;
    if (form.urlList()->count() <= 0)
        return;
    form.urlList()->remove(UrlListSelection::of(listView).selectedPosition());
}
} // namespace

void Form1::PushButton1_Click()
{
    ErrorTrap trap(*services().dialogs, QStringLiteral("Form1.PushButton1_Click"));
    QString answer;
    trap.line(114, [&] {
        answer = services().dialogs->input(QStringLiteral("Enter URL to add: "), applicationTitle(), QString());
    });
    if (trap.test(116, [&] { return answer.isEmpty(); }))
        return;
    trap.line(118, [&] { m_urlList->append(answer); });
}

void Form1::PushButton7_Click()
{
    ErrorTrap trap(*services().dialogs, QStringLiteral("Form1.PushButton7_Click"));
    trap.line(100, [&] {
        if (MousePointer() != kBusyPointer)
            m_urlList->clear();
    });
}

void Form1::PushButton9_Click()
{
    ErrorTrap trap(*services().dialogs, QStringLiteral("Form1.PushButton9_Click"));
    trap.line(100, [&] { m_urlList->append(QLatin1String(kSampleAddresses[0])); });
    trap.line(102, [&] { m_urlList->append(QLatin1String(kSampleAddresses[1])); });
    trap.line(104, [&] { m_urlList->append(QLatin1String(kSampleAddresses[2])); });
}

void Form1::ListView1_DblClick()
{
    removeSelectedRow(*this, *ListView1);
}

void Form1::ListView1_KeyDown(int keyCode, int)
{
    if (keyCode != kDeleteKey)
        return;
    removeSelectedRow(*this, *ListView1);
}

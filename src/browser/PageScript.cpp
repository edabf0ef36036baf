#include "browser/PageScript.h"

#include "runtime/EventSleep.h"
#include "runtime/ProgramLifetime.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QWebEnginePage>

#include <memory>

std::optional<QVariant> scriptAnswer(QWebEnginePage &page, const QString &script, QDeadlineTimer deadline,
                                     const std::function<bool()> &gone, quint32 world)
{
    if (gone())
        return std::nullopt;
    // The answer lands in a shared slot: it may come after this has stopped waiting for it. It is
    // also given, empty, when the renderer ends; gone() tells that apart.
    const auto answer = std::make_shared<std::optional<QVariant>>();
    page.runJavaScript(script, world, [answer](const QVariant &result) { *answer = result; });
    if (!sleepUntil([&] { return answer->has_value() || gone(); }, deadline) || gone())
        return std::nullopt;
    return *answer;
}

void askPage(QWebEnginePage &page, const QString &script, quint32 world, const QPointer<QObject> &asker,
             std::function<bool()> stillWanted, std::function<void(const QVariant &)> then)
{
    page.runJavaScript(script, world,
                       [asker, stillWanted = std::move(stillWanted), then = std::move(then)](const QVariant &answer) {
                           if (asker && stillWanted())
                               then(answer);
                       });
}

QString scriptString(const QString &text)
{
    // A JSON array of the one string, less its brackets: JSON's strings are script strings.
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

void letEventsRunFor(std::chrono::milliseconds time, QDeadlineTimer deadline)
{
    const QDeadlineTimer until = std::min(QDeadlineTimer(time, Qt::PreciseTimer), deadline);
    sleepUntil([] { return false; }, until);
}

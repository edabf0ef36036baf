#pragma once

#include <QDeadlineTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <QWebEngineScript>

#include <functional>
#include <optional>

class QWebEnginePage;

// Runs the script in the page and waits for its answer while events run. By default the script
// runs in a world of its own, which shares the page's document but none of its scripts' names, so
// neither can upset the other. Nothing when no answer came by the deadline, or the page's renderer
// has ended (gone() holds), or the program is ending.
std::optional<QVariant> scriptAnswer(QWebEnginePage &page, const QString &script, QDeadlineTimer deadline,
                                     const std::function<bool()> &gone,
                                     quint32 world = QWebEngineScript::ApplicationWorld);

// Runs the script in the page without waiting, and hands its answer on to then() when it comes,
// unless the asker has gone or no longer wants it (a step that asked is over by then): an answer
// can come long after it was asked for, or never.
void askPage(QWebEnginePage &page, const QString &script, quint32 world, const QPointer<QObject> &asker,
             std::function<bool()> stillWanted, std::function<void(const QVariant &)> then);

// The text as a script's string literal, whatever it holds.
QString scriptString(const QString &text);

// Lets events run for the given time, or until the deadline if that comes first.
void letEventsRunFor(std::chrono::milliseconds time, QDeadlineTimer deadline);

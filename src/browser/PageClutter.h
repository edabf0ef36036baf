#pragma once

#include "browser/WaitRules.h"

#include <QDeadlineTimer>
#include <QStringList>

#include <functional>
#include <optional>

class QWebEnginePage;

// The consent platforms' notices by their own markup: the selectors of consent-notices.txt.
QStringList consentNoticeSelectors();

// Clears the page for print as the rules ask, just before it is rendered: the notices and pop-ups
// over it are left off and the scrolling they locked undone, what is pinned to the screen prints
// once, and with an element named only that element prints. Gives how many things were left off,
// or nothing when the page's renderer did not answer by the deadline (stuck in a script, or gone()).
std::optional<int> clearPageForPrint(QWebEnginePage &page, const WaitRules &rules, QDeadlineTimer deadline,
                                     const std::function<bool()> &gone);

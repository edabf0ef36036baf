#pragma once

#include "browser/WaitRules.h"

#include <QStringList>

#include <optional>

// The consent platforms' notices by their own markup: the selectors of consent-notices.txt.
QStringList consentNoticeSelectors();

// The script that clears the page for print as the rules ask, just before it is rendered: the
// notices and pop-ups over it are left off and the scrolling they locked undone, what is pinned to
// the screen prints once, and with an element named only that element prints. It answers how many
// things it left off. Nothing when the rules print the page as it stands.
std::optional<QString> pageClearingScript(const WaitRules &rules);

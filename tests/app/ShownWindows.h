#pragma once

#include <QSet>

#include <cstdint>

// The windows the X display named by DISPLAY shows now (mapped and viewable, at the top level),
// whichever program they belong to; empty when no display answers.
QSet<std::uint32_t> windowsShownOnDisplay();

#pragma once

class UrlListModel;

// Drag reordering moves an address by trading texts with the row under the pointer, live, as the
// pointer moves; the rows in between stay where they are and the row count never changes.

// Exchanges the texts of the rows at two 1-based positions when they differ (exactly, case
// counting); true when they traded places.
bool exchangeDraggedText(UrlListModel &list, int dragPosition, int hitPosition);

// Screen rows above and below which the list scrolls by one row after an exchange.
constexpr int kDragScrollUpBelowY = 305;
constexpr int kDragScrollDownAboveY = 364;

// The 1-based position of the row to scroll into view after an exchange onto hitPosition, with
// the pointer at screenY on the screen; 0 for none. High on the screen the row above the hit row
// is revealed, low on the screen the row below it, when there is one.
int dragRowToReveal(int screenY, int hitPosition, int rowCount);

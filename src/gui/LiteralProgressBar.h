#pragma once

#include <QProgressBar>

// A progress bar whose text is shown as written. The plain one replaces %p, %v and %m in its text
// with numbers, which would turn an address such as "a%pb.html" into "a100b.html". A text wider
// than the bar is cut short with an ellipsis: laying out the whole of a very long address on every
// repaint would stop the window from answering.
class LiteralProgressBar : public QProgressBar
{
public:
    using QProgressBar::QProgressBar;
    QString text() const override;
};

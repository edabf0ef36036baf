#pragma once

#include <QByteArray>
#include <QPageLayout>

#include <functional>

class QWebEnginePage;

// Renders the page as it stands into a PDF laid out on the given pages, with its text kept as
// text. Handles events while the browser works, also once the program is ending: the page must not
// go away while its print is under way. Raises a printer RuntimeError when the browser cannot
// render the page or rendererGone() says its renderer has ended; returns nothing when the browser
// has not answered in time.
QByteArray renderPageToPdf(QWebEnginePage &page, const QPageLayout &layout, const std::function<bool()> &rendererGone);

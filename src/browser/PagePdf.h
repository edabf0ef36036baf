#pragma once

#include <QByteArray>
#include <QPageLayout>

#include <chrono>
#include <functional>

class QWebEnginePage;

// Renders the page as it stands into a PDF laid out on the given pages, with its text kept as
// text. Handles events while the browser works. Raises a printer RuntimeError when the browser
// cannot render the page or rendererGone() says its renderer has ended; returns nothing when the
// browser has not answered within the time limit or the program is ending first. The page then
// still has the print under way and must not be deleted.
QByteArray renderPageToPdf(QWebEnginePage &page, const QPageLayout &layout, std::chrono::milliseconds timeLimit,
                           const std::function<bool()> &rendererGone);

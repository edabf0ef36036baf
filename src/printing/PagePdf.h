#pragma once

#include <QByteArray>
#include <QPageLayout>

class QWebEnginePage;

// Renders the page as it stands into a PDF laid out on the given pages, with its text kept as
// text. Handles events while the browser works. Raises a printer RuntimeError when the browser
// cannot render the page; returns nothing when the program ends in the meantime.
QByteArray renderPageToPdf(QWebEnginePage &page, const QPageLayout &layout);

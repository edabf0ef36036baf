#pragma once

#include <QString>
#include <QStringList>

// Pictures a lazy page holds: a third load natively (loading="lazy"), a third when an
// IntersectionObserver sees them, a third when a scroll handler finds them in view.
constexpr int kLazyPicturesPerPage = 9;

// Writes count pages into folder, each a long article with kLazyPicturesPerPage pictures of its
// own spread over it, none of them in the first view. Gives the pages' file names.
QStringList writeLazyPages(const QString &folder, int count);

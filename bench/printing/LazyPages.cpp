#include "LazyPages.h"

#include <QColor>
#include <QFile>
#include <QImage>

namespace {
// Taller than a view, so that every picture starts out of sight.
constexpr int kSectionHeightPx = 900;

// The page's own scripts, as sites write them: an observer that swaps data-src in once a picture
// is in view, and a scroll handler that does the same for pictures it finds in view.
const char *const kPageScript = R"(<script>
const observer = new IntersectionObserver((entries) => entries.forEach((entry) => {
  if (entry.isIntersecting) { entry.target.src = entry.target.dataset.src; observer.unobserve(entry.target); }
}));
document.querySelectorAll('img.observed').forEach((picture) => observer.observe(picture));
addEventListener('scroll', () => document.querySelectorAll('img.on-scroll:not([src])').forEach((picture) => {
  if (picture.getBoundingClientRect().top < innerHeight) picture.src = picture.dataset.late;
}));
</script>)";

// Each picture has a colour of its own, so no browser can take one for another.
bool writePicture(const QString &path, int number)
{
    QImage picture(320, 200, QImage::Format_RGB32);
    picture.fill(QColor::fromHsv((number * 37) % 360, 160, 200));
    return picture.save(path, "PNG");
}

QString pictureElement(int kind, const QString &file)
{
    switch (kind) {
    case 0:
        return QStringLiteral(R"(<img loading="lazy" src="%1" width="320" height="200" alt="">)").arg(file);
    case 1:
        return QStringLiteral(R"(<img class="observed" data-src="%1" width="320" height="200" alt="">)").arg(file);
    default:
        return QStringLiteral(R"(<img class="on-scroll" data-late="%1" width="320" height="200" alt="">)").arg(file);
    }
}
} // namespace

QStringList writeLazyPages(const QString &folder, int count)
{
    QStringList pages;
    for (int page = 0; page < count; ++page) {
        QString html = QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Lazy page %1</title>"
                                      "</head><body><h1>Lazy page %1</h1>")
                           .arg(page + 1);
        for (int index = 0; index < kLazyPicturesPerPage; ++index) {
            const QString file = QStringLiteral("lazy-%1-%2.png").arg(page).arg(index);
            if (!writePicture(folder + QLatin1Char('/') + file, page * kLazyPicturesPerPage + index))
                return {};
            html += QStringLiteral("<p style=\"height: %1px\">Section %2 of the page's long text.</p>")
                        .arg(kSectionHeightPx)
                        .arg(index + 1);
            html += pictureElement(index % 3, file);
        }
        html += QLatin1String(kPageScript) + QStringLiteral("</body></html>\n");
        const QString name = QStringLiteral("lazy-%1.html").arg(page + 1);
        QFile file(folder + QLatin1Char('/') + name);
        if (!file.open(QIODevice::WriteOnly) || file.write(html.toUtf8()) < 0)
            return {};
        pages << name;
    }
    return pages;
}

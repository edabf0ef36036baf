#include "runtime/AppTitle.h"

const char *const kProductName = "Quillbrae";

namespace {
constexpr int kLongestTitle = 40;
QString title = QLatin1String(kProductName);
} // namespace

QString applicationTitle()
{
    return title;
}

QString shortenedTitle(const QString &productName)
{
    QString result = productName;
    do {
        const qsizetype lastBlank = result.lastIndexOf(QLatin1Char(' '));
        if (lastBlank < 0)
            break; // one word left: nothing more to cut
        result.truncate(lastBlank);
    } while (result.size() > kLongestTitle);
    return result;
}

void shortenApplicationTitle()
{
    title = shortenedTitle(QLatin1String(kProductName));
}

#include "browser/PageClutter.h"

#include "browser/PageClutterText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

QStringList consentNoticeSelectors()
{
    static const QStringList selectors = [] {
        QStringList list;
        for (const QString &line : QString::fromUtf8(kConsentNoticeList).split(QLatin1Char('\n'))) {
            const QString selector = line.trimmed();
            // An id selector starts with "#" too, but never with "# ".
            if (!selector.isEmpty() && selector != QLatin1String("#") && !selector.startsWith(QLatin1String("# ")))
                list.append(selector);
        }
        return list;
    }();
    return selectors;
}

std::optional<QString> pageClearingScript(const WaitRules &rules)
{
    // A page printed as it stands is not asked anything: the option costs nothing.
    if (rules.keepOverlays && rules.onlyElement.isEmpty())
        return std::nullopt;
    const QJsonObject options{
        {QStringLiteral("selectors"), QJsonArray::fromStringList(consentNoticeSelectors())},
        {QStringLiteral("keepOverlays"), rules.keepOverlays},
        {QStringLiteral("only"), rules.onlyElement},
    };
    return QString::fromUtf8(kPageClutterScript) + QLatin1Char('(') +
           QString::fromUtf8(QJsonDocument(options).toJson(QJsonDocument::Compact)) + QLatin1Char(')');
}

#include "runtime/Settings.h"

#include <QSettings>

namespace {
QSettings store()
{
    return QSettings(QStringLiteral("Orvandel"), QStringLiteral("Quillbrae"));
}
} // namespace

QString Settings::read(const QString &key, const QString &defaultValue)
{
    return store().value(key, defaultValue).toString();
}

void Settings::write(const QString &key, const QString &value)
{
    QSettings settings = store();
    settings.setValue(key, value);
    settings.sync();
}

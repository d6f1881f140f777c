#include "FitModelHistory.h"

#include <QSettings>
#include <QVariant>

namespace {

const char* const kKey = "fit/models";

} // namespace

QStringList FitModelHistory::models(const QSettings& settings)
{
    return settings.value(QLatin1String(kKey)).toStringList().mid(0, kLength);
}

void FitModelHistory::remember(QSettings& settings, const QString& model)
{
    QStringList kept = models(settings);
    kept.removeAll(model);
    kept.prepend(model);
    while (kept.size() > kLength)
        kept.removeLast();
    settings.setValue(QLatin1String(kKey), kept);
}

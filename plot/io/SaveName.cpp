#include "SaveName.h"

#include <QFileInfo>
#include <QRegularExpression>

QString SaveName::of(const QString& typed, const QString& filter)
{
    if (typed.isEmpty() || !QFileInfo(typed).suffix().isEmpty())
        return typed;
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("\\*(\\.[^ )]+)")).match(filter);
    return match.hasMatch() ? typed + match.captured(1) : typed;
}

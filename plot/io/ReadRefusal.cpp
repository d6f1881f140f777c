#include "ReadRefusal.h"

ImportedData ReadRefusal::cannotRead(const QString& source, const QString& reason)
{
    return withLine(QStringLiteral("Kurvo: Can't read %1 (%2)").arg(source, reason));
}

ImportedData ReadRefusal::notEnoughMemory(const QString& source)
{
    return withLine(QStringLiteral("Kurvo: Not enough memory to read %1").arg(source));
}

ImportedData ReadRefusal::withLine(const QString& line)
{
    ImportedData data;
    data.log << line;
    return data;
}

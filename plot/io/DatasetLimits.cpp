#include "DatasetLimits.h"

#include "PointLimit.h"
#include "SystemMemory.h"

namespace {

QString gigabytes(double bytes)
{
    const double gb = bytes / 1e9;
    return QString::number(gb, 'f', gb < 1.0 ? 3 : 1);
}

} // namespace

bool DatasetLimits::fit(double rows, double columns, const QString& source, QString& refusal)
{
    return fit(rows, columns, source, refusal, SystemMemory());
}

// Sizes come as doubles, so that no product of a hostile file's dimensions can wrap around.
bool DatasetLimits::fit(double rows, double columns, const QString& source, QString& refusal,
                        const AvailableMemory& memory)
{
    if (rows > double(kMaxCurvePoints)) {
        refusal = QStringLiteral("Kurvo: %1 points are more than one curve can hold.").arg(rows, 0, 'f', 0);
        return false;
    }
    const double needed = rows * (2.0 * columns + 1.0) * double(sizeof(double));
    const double available = double(memory.bytes());
    if (needed <= available)
        return true;
    refusal = QStringLiteral("Kurvo: Not enough memory to read %1 (%2 GB needed, %3 GB available)")
                  .arg(source, gigabytes(needed), gigabytes(available));
    return false;
}

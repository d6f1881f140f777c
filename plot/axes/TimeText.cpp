#include "TimeText.h"

#include <QDateTime>
#include <QRegularExpression>

#include <cmath>

bool TimeText::showable(double seconds)
{
    return seconds >= kFirst && seconds <= kLast;
}

// Rounded to the millisecond first, so that 12:00:00.9996 shows as 12:00:01, not 12:00:00.
QString TimeText::format(double seconds, bool milliseconds)
{
    if (!showable(seconds))
        return QString::number(seconds, 'g', 12);
    const auto msecs = static_cast<qint64>(std::llround(seconds * 1000.0));
    const QDateTime time = QDateTime::fromMSecsSinceEpoch(msecs, Qt::UTC);
    return time.toString(milliseconds ? QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz")
                                      : QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

// Date and time are read apart and joined as UTC: read as one local time, an hour that a
// change to summer time skips would not exist.
bool TimeText::parse(const QString& text, double& seconds)
{
    static const QRegularExpression shape(QStringLiteral(
        "^\\s*(\\d{4})-(\\d{2})-(\\d{2})(?:[ T](\\d{2}):(\\d{2})(?::(\\d{2})(?:\\.(\\d{1,3}))?)?)?\\s*$"));
    const QRegularExpressionMatch match = shape.match(text);
    if (!match.hasMatch())
        return false;
    const auto field = [&match](int n) { return match.captured(n).toInt(); };
    const QDate date(field(1), field(2), field(3));
    const int msecs = match.captured(7).leftJustified(3, QLatin1Char('0')).toInt();
    const QTime time(field(4), field(5), field(6), msecs);
    if (!date.isValid() || !time.isValid())
        return false;
    seconds = double(QDateTime(date, time, Qt::UTC).toMSecsSinceEpoch()) / 1000.0;
    return true;
}

bool TimeText::couldBecome(const QString& text)
{
    static const QRegularExpression partial(QStringLiteral("^\\s*[0-9]{0,4}(?:-[0-9 :.T-]*)?$"));
    return partial.match(text).hasMatch();
}

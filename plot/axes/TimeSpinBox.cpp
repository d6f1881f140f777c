#include "TimeSpinBox.h"

#include "TimeText.h"

#include <QSignalBlocker>

#include <cmath>

TimeSpinBox::TimeSpinBox(QWidget* parent)
    : QDoubleSpinBox(parent)
{
}

// A date being typed passes through numbers and other dates, so in time mode the value is
// taken once the text is complete (Enter or leaving the field), not at every key.
void TimeSpinBox::setTimeMode(bool on)
{
    if (on == dates)
        return;
    const QSignalBlocker quiet(this);
    const double kept = value();
    dates = on;
    if (on) {
        numberMinimum = minimum();
        numberMaximum = maximum();
        numberTracking = keyboardTracking();
        setRange(TimeText::kFirst, TimeText::kLast);
        setKeyboardTracking(false);
    } else {
        setRange(numberMinimum, numberMaximum);
        setKeyboardTracking(numberTracking);
    }
    setValue(kept);
}

QString TimeSpinBox::textFromValue(double value) const
{
    if (!dates)
        return QDoubleSpinBox::textFromValue(value);
    const bool betweenSeconds = std::llround(value * 1000.0) % 1000 != 0;
    return TimeText::format(value, betweenSeconds);
}

double TimeSpinBox::valueFromText(const QString& text) const
{
    double seconds = 0.0;
    if (dates && TimeText::parse(text, seconds))
        return seconds;
    return QDoubleSpinBox::valueFromText(text);
}

// The number check trims blanks, so it works on a copy: the blank between date and time must
// survive the keystroke that types it.
QValidator::State TimeSpinBox::validate(QString& text, int& pos) const
{
    if (!dates)
        return QDoubleSpinBox::validate(text, pos);
    QString asNumber = text;
    int numberPos = pos;
    const QValidator::State number = QDoubleSpinBox::validate(asNumber, numberPos);
    if (number == QValidator::Acceptable) {
        text = asNumber;
        pos = numberPos;
        return number;
    }
    double seconds = 0.0;
    if (TimeText::parse(text, seconds))
        return QValidator::Acceptable;
    return TimeText::couldBecome(text) ? QValidator::Intermediate : number;
}

#pragma once

#include <QDoubleSpinBox>

// A limit field whose value is seconds since 1970-01-01T00:00:00 UTC while it is in time
// mode: it shows "yyyy-MM-dd hh:mm:ss" (".zzz" added for a value between whole seconds) and
// takes a typed date and time or a number of seconds. Otherwise it is a plain number field.
class TimeSpinBox : public QDoubleSpinBox
{
    Q_OBJECT

public:
    explicit TimeSpinBox(QWidget* parent = nullptr);

    bool timeMode() const { return dates; }
    // Announces nothing: the value stays, only its text changes. The number range comes back
    // when time mode ends.
    void setTimeMode(bool on);

    QString textFromValue(double value) const override;
    double valueFromText(const QString& text) const override;
    QValidator::State validate(QString& text, int& pos) const override;

private:
    bool dates = false;
    double numberMinimum = 0.0;
    double numberMaximum = 0.0;
    bool numberTracking = true;
};

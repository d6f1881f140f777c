#include "HeaderSpinBox.h"

namespace {

QString none()
{
    return HeaderSpinBox::tr("None");
}

} // namespace

HeaderSpinBox::HeaderSpinBox(QWidget* parent)
    : QSpinBox(parent)
{
    setRange(-1, 1000000);
    setSpecialValueText(tr("Automatic"));
    setValue(-1);
}

QString HeaderSpinBox::textFromValue(int value) const
{
    return value == 0 ? none() : QSpinBox::textFromValue(value);
}

int HeaderSpinBox::valueFromText(const QString& text) const
{
    return text.compare(none(), Qt::CaseInsensitive) == 0 ? 0 : QSpinBox::valueFromText(text);
}

// "None" is typed letter by letter, so its beginnings are on the way to a value.
QValidator::State HeaderSpinBox::validate(QString& text, int& pos) const
{
    if (text.compare(none(), Qt::CaseInsensitive) == 0)
        return QValidator::Acceptable;
    if (!text.isEmpty() && none().startsWith(text, Qt::CaseInsensitive))
        return QValidator::Intermediate;
    return QSpinBox::validate(text, pos);
}

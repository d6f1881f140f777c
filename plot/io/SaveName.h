#pragma once

#include <QString>

// The name a save dialog's answer is written under: a name typed without a suffix takes the
// one of the filter chosen, such as ".txt" of "Text (*.txt)", so that what the dialog showed
// is what gets written.
class SaveName
{
public:
    static QString of(const QString& typed, const QString& filter);
};

#pragma once

#include <QStringList>

class QSettings;

// The models the user typed into the Fit dialog, newest first, kept across sessions in the
// settings. Built-in models are always offered and are not kept.
class FitModelHistory
{
public:
    static constexpr int kLength = 10;

    static QStringList models(const QSettings& settings);
    // Puts `model` first; an equal one further down goes, and the oldest beyond kLength.
    static void remember(QSettings& settings, const QString& model);
};

#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class PartFormat;
class Prompt;
class QWidget;
struct DataSource;

// Which parts of a file with parts are read: the one the source names; else, where the format
// asks, the data sets the user picks; else the first one.
class PartChoice
{
public:
    // False when nothing is read: the picker was cancelled, or the file could not be listed,
    // which `refusal` then says. An empty part stands for the file's first or only one.
    static bool choose(const PartFormat& format, const DataSource& source, QWidget* parent,
                       const std::unique_ptr<Prompt>& prompter, QStringList& parts, QString& refusal);
};

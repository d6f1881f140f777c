#pragma once

#include "ImportFormats.h"
#include "PartFormat.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <vector>

// The parts a reader lists for `file`, each as "NAME SHAPE 1" when it is read by default and
// "NAME SHAPE 0" when not, in the reader's order.
inline QStringList listedParts(const QString& file)
{
    std::vector<DataPart> parts;
    QString reason;
    EXPECT_TRUE(ImportFormats::partFormatFor(file)->parts(file, parts, reason)) << reason.toStdString();
    QStringList listed;
    for (const DataPart& part : parts)
        listed << QStringLiteral("%1 %2 %3").arg(part.name, part.shape).arg(part.byDefault);
    return listed;
}

#pragma once

#include "ImportedData.h"

// A reader's x as an array, whether it made one or keeps evenly spaced x as a start and a step.
inline QVector<double> xOf(const ImportedData& data)
{
    if (!data.evenX)
        return data.x;
    QVector<double> x;
    for (int i = 0; i < (data.y.empty() ? 0 : data.y.front().size()); ++i)
        x << data.evenX->at(std::size_t(i));
    return x;
}

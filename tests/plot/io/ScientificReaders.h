#pragma once

#include "ImportFormats.h"
#include "PartFormat.h"
#include "ReaderTable.h"

// The module's readers as a program gets them when it loads the module: the .mat files that
// are sound go to the audio reader in use.
inline const ReaderTable& scientificReaders()
{
    return *kurvoReaders([](const QString& path, const QString& name, bool fitToPowerOfTwo) {
        return ImportFormats::audioReader()(path, name, fitToPowerOfTwo);
    });
}

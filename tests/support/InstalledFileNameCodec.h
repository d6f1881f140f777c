#pragma once

#include "FileNameCodec.h"

// The locale's codec as the programs install it, for as long as this lives. Declared before a
// temporary folder, it outlives the folder, which needs it to find the names it removes.
class InstalledFileNameCodec
{
public:
    InstalledFileNameCodec() { FileNameCodec::install(); }
    ~InstalledFileNameCodec() { QTextCodec::setCodecForLocale(nullptr); }
    InstalledFileNameCodec(const InstalledFileNameCodec&) = delete;
    InstalledFileNameCodec& operator=(const InstalledFileNameCodec&) = delete;
};

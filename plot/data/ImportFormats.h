#pragma once

#include "ImportedData.h"

#include <QString>
#include <QStringList>

#include <vector>

using FileReader = ImportedData (*)(const QString& path, const QString& name, bool fitToPowerOfTwo);

// One format the Open dialog offers: its name filter, whose patterns also name the suffixes
// that go to its reader.
struct ImportFormat {
    const char* filter;
    FileReader read;
};

// The table of the data formats Kurvo reads. It drives the Open dialog's filters and the
// choice of reader for a path; adding a format is one row and one reader.
class ImportFormats
{
public:
    // In the order the Open dialog lists them.
    static const std::vector<ImportFormat>& rows();
    static QStringList filters();
    // The suffixes of a row's filter, such as ".au" and ".snd" of "(*.au *.snd)".
    static QStringList suffixes(const ImportFormat& format);
    // The reader the end of `path` names, compared in any case; every path no row names goes
    // to the text reader.
    static FileReader readerFor(const QString& path);
    // The reader of every audio row. Reading sound needs a library that the data readers do
    // not link, so the audio library registers its reader here at start-up; until then audio
    // files are refused as unreadable. A null reader restores the refusal.
    static FileReader audioReader();
    static void setAudioReader(FileReader reader);
};

#pragma once

#include "ImportedData.h"

#include <QString>
#include <QStringList>

#include <deque>

class PartFormat;

using FileReader = ImportedData (*)(const QString& path, const QString& name, bool fitToPowerOfTwo);

// One format the Open dialog offers: its name filter, whose patterns also name the suffixes
// that go to its reader.
struct ImportFormat {
    QString filter;
    FileReader read;
};

// The table of the data formats Kurvo reads. It drives the Open dialog's filters and the
// choice of reader for a path; adding a format is one row and one reader.
class ImportFormats
{
public:
    // In the order the Open dialog lists them: the fixed rows, then the audio rows added.
    static const std::deque<ImportFormat>& rows();
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
    // Adds a row for the audio reader after the others, "NAME (*.ext ...)", with those
    // suffixes of `filter` that no row names yet: a format that keeps its fixed row is not
    // listed twice, and adding a filter again adds nothing.
    static void addAudioFormat(const QString& filter);
    // The reader of files whose data lie in parts (workbooks, HDF5, MATLAB, netCDF) for the
    // files whose end `path` names, or null. Each library registers its own at start-up, as
    // the audio library does; until then such files are refused as unreadable. A null format
    // restores the refusal.
    static const PartFormat* partFormatFor(const QString& path);
    static void setPartFormat(const QString& suffix, const PartFormat* format);
};

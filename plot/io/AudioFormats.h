#pragma once

#include <QStringList>

// The file formats the sound library reads, asked of the library itself at run time, so that a
// newer library's formats open without a change here.
class AudioFormats
{
public:
    // "NAME (*.ext *.alias ...)" for every major format the library reads, in the library's
    // order: its extension first, then the other suffixes such files commonly carry.
    static QStringList filters();
    // Makes the audio reader the reader of every audio row of the import table and adds a row
    // for each format the fixed rows leave out. Registering again changes nothing.
    static void registerReader();
};

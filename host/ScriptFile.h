#pragma once

#include <QString>

// Math script files (.ms): read as UTF-8, written in the local 8-bit encoding. Every
// operation says whether it worked and, when not, why, in words for the user.
namespace ScriptFile {

// Where the text of the editor is kept between runs, relative to the working folder.
QString autosavePath();

// Reads the file into `text`. When it cannot be opened or read (or not held in memory),
// returns false with the reason in `error` and leaves `text` as it was.
bool load(const QString& path, QString& text, QString& error);

// Writes the text over the file. False with the reason in `error` when the file cannot be
// opened, written or closed; no folder is created.
bool save(const QString& path, const QString& text, QString& error);

// Saves into the autosave file. A missing folder is created when there is text to keep, so
// that a typed script is never lost; an empty editor leaves no folder behind.
bool autosave(const QString& text, QString& error);

} // namespace ScriptFile

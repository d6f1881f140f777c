#pragma once

#include <QString>

// Math script files (.ms): read as UTF-8, written in the local 8-bit encoding.
namespace ScriptFile {

// Where the text of the editor is kept between runs, relative to the working folder.
QString autosavePath();

// The file's text; empty when it cannot be opened.
QString load(const QString& path);

// Writes the text over the file; false when it cannot be opened. No folder is created.
bool save(const QString& path, const QString& text);

// Saves into the autosave file. A missing folder is created when there is text to keep, so
// that a typed script is never lost; an empty editor leaves no folder behind.
bool autosave(const QString& text);

} // namespace ScriptFile

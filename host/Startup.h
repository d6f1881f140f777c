#pragma once

#include <QStringList>

#include <functional>

class Kurvo;
class vxKurvo;

// The files named on the command line: every argument after the program name, in order,
// decoded as file names so that each opens the file it names, byte for byte.
QStringList commandLineFiles(int argc, char** argv);

// Loads one data file into a plot widget.
using DataFileLoader = std::function<void(vxKurvo& plot, const QString& path)>;
void loadRawData(vxKurvo& plot, const QString& path);

// Opens every path in order: a project (.kurvo, in any case) in the window, a Math script
// (.ms) in its script editor, every other file as data, handed to the loader together with
// the window's plot widget.
void openFiles(Kurvo& window, const QStringList& paths, const DataFileLoader& load = loadRawData);

#pragma once

#include <QStringList>

#include <functional>

class Kurvo;
class vxKurvo;

// The data files named on the command line: every argument after the program name, read
// as UTF-8, in order.
QStringList commandLineDataFiles(int argc, char** argv);

// Loads one data file into a plot widget.
using DataFileLoader = std::function<void(vxKurvo& plot, const QString& path)>;
void loadRawData(vxKurvo& plot, const QString& path);

// Hands every path, in order, to the loader together with the window's plot widget.
void loadDataFiles(Kurvo& window, const QStringList& paths, const DataFileLoader& load = loadRawData);

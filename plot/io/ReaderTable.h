#pragma once

#include "ImportFormats.h"

#include <QtGlobal>

class PartFormat;

// The readers of the module of scientific readers, which alone links the HDF5, matio and
// netCDF libraries and the dozens of libraries they need in turn: the programs load it the
// first time such a file is read or listed, so that a start-up that reads none of them does
// not pay for loading them. Module and programs are built together from the same sources, so
// the readers are called as the C++ objects they are.
struct ReaderTable {
    int version;
    const PartFormat* hdf5;
    const PartFormat* matlab;
    const PartFormat* netcdf;
};

// Raised with every change of the table or of PartFormat, so that a program refuses a module
// of another build instead of calling into it.
constexpr int kReaderTableVersion = 1;

// The module's one entry point, looked up by this name. `soundReader` reads the .mat files
// that are sound; the first call's is kept.
using ReaderEntry = const ReaderTable* (*)(FileReader soundReader);
constexpr const char* kReaderEntryName = "kurvoReaders";
extern "C" Q_DECL_EXPORT const ReaderTable* kurvoReaders(FileReader soundReader);

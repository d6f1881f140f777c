#include "ReaderTable.h"

#include "Hdf5Format.h"
#include "MatlabFormat.h"
#include "NetcdfFormat.h"

const ReaderTable* kurvoReaders(FileReader soundReader)
{
    static const Hdf5Format hdf5;
    static const MatlabFormat matlab(soundReader);
    static const NetcdfFormat netcdf;
    static const ReaderTable table{kReaderTableVersion, &hdf5, &matlab, &netcdf};
    return &table;
}

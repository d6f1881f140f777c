#include "DataFormats.h"

#include "AudioFormats.h"
#include "ImportFormats.h"
#include "ModulePartFormat.h"
#include "WorkbookFormat.h"

#include <utility>

void DataFormats::registerReaders()
{
    AudioFormats::registerReader();
    WorkbookFormat::registerFormats();
    static const ModulePartFormat hdf5(&ReaderTable::hdf5, "HDF5");
    static const ModulePartFormat matlab(&ReaderTable::matlab, "MATLAB");
    static const ModulePartFormat netcdf(&ReaderTable::netcdf, "netCDF");
    const std::pair<const char*, const PartFormat*> suffixes[] = {
        {".h5", &hdf5}, {".hdf5", &hdf5}, {".he5", &hdf5}, {".mat", &matlab}, {".nc", &netcdf}, {".nc4", &netcdf},
    };
    for (const auto& [suffix, format] : suffixes)
        ImportFormats::setPartFormat(QLatin1String(suffix), format);
}

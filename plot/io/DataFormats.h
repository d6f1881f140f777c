#pragma once

// Registers the readers that need libraries the data readers do not link: sound files,
// workbooks, HDF5, MATLAB and netCDF files, the last three as entries that load the module of
// scientific readers when first asked. Both programs call it once at start-up; registering
// again changes nothing.
class DataFormats
{
public:
    static void registerReaders();
};

#include "DataFormats.h"

#include "AudioFormats.h"
#include "Hdf5Format.h"
#include "MatlabFormat.h"
#include "NetcdfFormat.h"
#include "WorkbookFormat.h"

void DataFormats::registerReaders()
{
    AudioFormats::registerReader();
    WorkbookFormat::registerFormats();
    Hdf5Format::registerFormat();
    MatlabFormat::registerFormat();
    NetcdfFormat::registerFormat();
}

#include "DataFormats.h"

#include "AudioFormats.h"
#include "WorkbookFormat.h"

void DataFormats::registerReaders()
{
    AudioFormats::registerReader();
    WorkbookFormat::registerFormats();
}

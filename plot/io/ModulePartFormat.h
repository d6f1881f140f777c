#pragma once

#include "PartFormat.h"
#include "ReaderModule.h"
#include "ReaderTable.h"

// A reader of parts that lives in the module of scientific readers. It stands in the import
// table from start-up; the module is loaded the first time one of its files is listed or
// read, and every call goes on to the reader there. Without the module such files are
// refused with the reason.
class ModulePartFormat : public PartFormat
{
public:
    using Loader = const ReaderTable* (*)(QString& problem);

    // `kind` names the reader in refusals: "HDF5".
    ModulePartFormat(const PartFormat* ReaderTable::*reader, const char* kind, Loader load = ReaderModule::table);

    bool asksForParts() const override;
    bool parts(const QString& path, std::vector<DataPart>& parts, QString& reason) const override;
    ImportedData read(const QString& path, const QString& part, const QString& name, bool fitToPowerOfTwo,
                      const TableOptions& options) const override;
    bool tableText(const QString& path, const QString& part, std::size_t maxLines, std::string& text,
                   QString& reason) const override;

private:
    // The reader in the module, or null with the reason.
    const PartFormat* loaded(QString& reason) const;

    const PartFormat* ReaderTable::*reader;
    const char* kind;
    Loader load;
};

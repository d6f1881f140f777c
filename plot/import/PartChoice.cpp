#include "PartChoice.h"

#include "DataSetPicker.h"
#include "DataSource.h"
#include "PartFormat.h"
#include "Prompt.h"

#include <new>

bool PartChoice::choose(const PartFormat& format, const DataSource& source, QWidget* parent,
                        const std::unique_ptr<Prompt>& prompter, QStringList& parts, QString& refusal)
{
    parts = QStringList{source.part};
    if (!source.part.isEmpty() || !format.asksForParts())
        return true;
    std::vector<DataPart> offered;
    QString reason;
    try {
        if (!format.parts(source.file, offered, reason)) {
            refusal = QStringLiteral("Kurvo: Can't read %1 (%2)").arg(source.file, reason);
            return false;
        }
    } catch (const std::bad_alloc&) {
        refusal = QStringLiteral("Kurvo: Can't read %1 (%2)").arg(source.file, QStringLiteral("not enough memory"));
        return false;
    }
    // A file of another kind that carries the same suffix is read whole.
    if (offered.empty())
        return true;
    DataSetPicker picker(source.file, offered, parent);
    if (!prompter->pickDataSets(&picker))
        return false;
    parts = picker.chosen();
    if (parts.isEmpty())
        refusal = QStringLiteral("Kurvo: No data set of %1 is chosen").arg(source.file);
    return !parts.isEmpty();
}

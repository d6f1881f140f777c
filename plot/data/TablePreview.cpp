#include "TablePreview.h"

#include "BlockLines.h"
#include "FieldSplitter.h"
#include "LooseLines.h"
#include "LooseTableReader.h"
#include "TableFinder.h"
#include "TextProbe.h"

#include <QFile>
#include <QFileInfo>

#include <new>

TablePreview TablePreview::ofFile(const QString& path, const TableOptions& options)
{
    TablePreview preview;
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        preview.problem = QStringLiteral("Kurvo: Can't open file %1").arg(path);
        return preview;
    }
    const QByteArray head = file.peek(TextProbe::sampleSize);
    if (!TextProbe::canBeText(head.constData(), head.size())) {
        preview.problem = QStringLiteral("Kurvo: %1 is not a text table").arg(path);
        return preview;
    }
    try {
        BlockLines blocks(file);
        LooseLines lines(blocks);
        return ofLines(LooseTableReader::firstLines(lines, options, LooseTableReader::kShapeLines), options);
    } catch (const std::bad_alloc&) {
        preview.problem = QStringLiteral("Kurvo: Not enough memory to read %1").arg(path);
        return preview;
    }
}

TablePreview TablePreview::ofLines(const std::vector<std::string>& lines, const TableOptions& options)
{
    TablePreview preview;
    preview.shape = TableFinder::find(lines, options);
    preview.problem = preview.shape.problem;
    if (!preview.problem.isEmpty())
        return preview;
    FieldSplitter splitter(preview.shape.separator);
    const int columns = int(preview.shape.kinds.size());
    for (std::size_t i = preview.shape.firstDataLine; i < lines.size() && preview.rows.size() < kRows; ++i) {
        if (FieldSplitter::isNoRow(lines[i]))
            continue;
        QStringList fields;
        for (std::string_view field : splitter.split(lines[i])) {
            if (fields.size() == columns)
                break;
            fields << TableField::text(field);
        }
        preview.rows.push_back(fields);
    }
    return preview;
}

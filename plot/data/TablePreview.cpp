#include "TablePreview.h"

#include "BlockLines.h"
#include "ByteLines.h"
#include "DataSource.h"
#include "FieldSplitter.h"
#include "ImportFormats.h"
#include "LooseLines.h"
#include "LooseTableReader.h"
#include "PartFormat.h"
#include "TableFinder.h"
#include "TextProbe.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <new>

TablePreview TablePreview::ofFile(const QString& path, const TableOptions& options)
{
    const DataSource source = DataSource::of(path);
    if (const PartFormat* format = ImportFormats::partFormatFor(source.file))
        return ofPart(*format, source, options);
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

// A sheet's cells come as a text table whose fields are always split at TABs.
TablePreview TablePreview::ofPart(const PartFormat& format, const DataSource& source, const TableOptions& options)
{
    TablePreview preview;
    try {
        std::string text;
        const std::size_t before = std::size_t(std::max(options.skip, 0)) + std::size_t(std::max(options.header, 0));
        if (!format.tableText(source.file, source.part, before + LooseTableReader::kShapeLines, text, preview.problem))
            return preview;
        const TableOptions cells = options.forCells();
        ByteLines bytes(text);
        LooseLines lines(bytes);
        return ofLines(LooseTableReader::firstLines(lines, cells, LooseTableReader::kShapeLines), cells);
    } catch (const std::bad_alloc&) {
        preview.problem = QStringLiteral("Kurvo: Not enough memory to read %1").arg(source.text());
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

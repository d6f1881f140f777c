#include "TableFinder.h"

#include "UnitWords.h"

#include <algorithm>

namespace {

// In the order that wins a tie: TAB over the blanks it also is, and the colon, which splits
// times, last.
const char kCandidates[] = {'\t', ';', ',', '|', ' ', ':'};

// A quoted name's doubled quotes stand for one.
QString textOf(std::string_view bytes)
{
    return TableField::text(bytes).replace(QLatin1String("\"\""), QLatin1String("\""));
}

// Header names may stand in single quotes too.
QString unquoted(QString name)
{
    name = name.trimmed();
    if (name.size() >= 2 && name.startsWith('\'') && name.endsWith('\''))
        name = name.mid(1, name.size() - 2).trimmed();
    return name;
}

QString withoutBrackets(QString unit)
{
    if (unit.size() >= 2 && ((unit.startsWith('(') && unit.endsWith(')')) || (unit.startsWith('[') && unit.endsWith(']'))))
        unit = unit.mid(1, unit.size() - 2).trimmed();
    return unit;
}

bool holdsValue(TableField::Kind kind)
{
    return kind == TableField::Kind::Number || kind == TableField::Kind::Date;
}

// A field written as a number or date would be, which holds none (2024-02-30, 1.2.3): a gap
// in a data row, not the text of a header.
bool looksLikeValue(std::string_view field)
{
    std::size_t p = field.find_first_not_of("+-.");
    return p != std::string_view::npos && p <= 2 && field[p] >= '0' && field[p] <= '9';
}

} // namespace

TableShape TableFinder::find(const std::vector<std::string>& lines, const TableOptions& options)
{
    TableFinder finder(lines, options);
    finder.markContent();
    if (!finder.shape.problem.isEmpty())
        return std::move(finder.shape);
    if (finder.content.empty()) {
        finder.shape.problem = QStringLiteral("Kurvo: No data line found");
        return std::move(finder.shape);
    }
    finder.chooseSeparator();
    if (finder.shape.problem.isEmpty())
        finder.findHeader(finder.table);
    if (finder.shape.problem.isEmpty()) {
        finder.takeNames();
        finder.chooseColumns();
    }
    if (finder.shape.problem.isEmpty())
        finder.logShape();
    return std::move(finder.shape);
}

TableFinder::TableFinder(const std::vector<std::string>& lines, const TableOptions& options)
    : lines(lines)
    , options(options)
{
}

bool TableFinder::Run::beats(const Run& other) const
{
    return rows > other.rows || (rows == other.rows && values > other.values);
}

// Blank lines, '#' and "//" lines are no rows; "$AUTOXSCALE" first numbers the rows. A header
// the user placed is a row whatever it starts with.
void TableFinder::markContent()
{
    std::size_t from = 0;
    if (options.header > 0) {
        from = std::size_t(options.header - 1);
        if (from >= lines.size() || FieldSplitter::trimmed(lines[from]).empty()) {
            shape.problem = QStringLiteral("Kurvo: Line %1 holds no header").arg(options.header + std::max(options.skip, 0));
            return;
        }
        content.push_back(from++);
    }
    for (std::size_t i = from; i < lines.size(); ++i) {
        if (FieldSplitter::isNoRow(lines[i]))
            continue;
        if (content.empty() && !autoX && FieldSplitter::trimmed(lines[i]).substr(0, 11) == "$AUTOXSCALE") {
            autoX = true;
            continue;
        }
        content.push_back(i);
    }
}

void TableFinder::chooseSeparator()
{
    const std::string_view candidates = options.separator ? std::string_view(&options.separator, 1)
                                                          : std::string_view(kCandidates, sizeof kCandidates);
    for (const char candidate : candidates) {
        splitter = FieldSplitter(candidate);
        TableField::Reading reading;
        reading.decimalComma = options.decimal == TableOptions::DecimalMark::Comma
                               || (options.decimal == TableOptions::DecimalMark::Automatic && candidate != ',');
        const Run run = bestRun(reading);
        if (run.beats(table)) {
            table = run;
            shape.separator = candidate;
            shape.reading = reading;
        }
    }
    if (table.rows == 0) {
        shape.problem = content.size() == 1 ? QStringLiteral("Kurvo: Header line but no data")
                                            : QStringLiteral("Kurvo: No numbers found");
        return;
    }
    splitter = FieldSplitter(shape.separator);
}

// The longest run of rows with one field count, by the rows and then the fields holding a
// number or a date. A header the user placed takes no part.
TableFinder::Run TableFinder::bestRun(TableField::Reading& reading)
{
    Run best;
    Run current;
    bool open = false;
    for (std::size_t p = options.header > 0 ? 1 : 0; p < content.size(); ++p) {
        const std::vector<std::string_view>& fields = splitter.split(lines[content[p]]);
        std::size_t values = 0;
        for (std::string_view field : fields)
            values += holdsValue(kindOf(field, reading)) ? 1 : 0;
        if (!open || fields.size() != current.fields) {
            if (open && current.beats(best))
                best = current;
            current = Run{p, p, 0, 0, fields.size()};
            open = true;
        }
        current.last = p;
        if (values > 0) {
            ++current.rows;
            current.values += values;
        }
    }
    if (open && current.beats(best))
        best = current;
    return best;
}

// A slashed date whose first number exceeds 12 shows that the table writes days first.
TableField::Kind TableFinder::kindOf(std::string_view field, TableField::Reading& reading) const
{
    const TableField::Kind kind = TableField::kindOf(field, reading);
    double seconds = 0.0;
    if (kind == TableField::Kind::Text && DateTimeParser::slashDayFirst(field)
        && DateTimeParser::parse(field, DateTimeParser::SlashOrder::DayFirst, seconds)) {
        reading.slashOrder = DateTimeParser::SlashOrder::DayFirst;
        return TableField::Kind::Date;
    }
    return kind;
}

// A column holds what most of its values are; one without any number or date is text.
void TableFinder::findKinds(std::size_t from, std::size_t to)
{
    std::vector<std::size_t> numbers(table.fields, 0);
    std::vector<std::size_t> dates(table.fields, 0);
    for (std::size_t p = from; p <= to && p < content.size(); ++p) {
        const std::vector<std::string_view>& fields = splitter.split(lines[content[p]]);
        for (std::size_t j = 0; j < fields.size() && j < table.fields; ++j) {
            const TableField::Kind kind = kindOf(fields[j], shape.reading);
            numbers[j] += kind == TableField::Kind::Number ? 1 : 0;
            dates[j] += kind == TableField::Kind::Date ? 1 : 0;
        }
    }
    shape.kinds.assign(table.fields, TableField::Kind::Text);
    for (std::size_t j = 0; j < table.fields; ++j) {
        if (dates[j] > numbers[j])
            shape.kinds[j] = TableField::Kind::Date;
        else if (numbers[j] > 0)
            shape.kinds[j] = TableField::Kind::Number;
    }
}

// Text where the data hold numbers or dates.
bool TableFinder::isTextRow(std::size_t line)
{
    const std::vector<std::string_view>& fields = splitter.split(lines[line]);
    for (std::size_t j = 0; j < fields.size() && j < shape.kinds.size(); ++j) {
        if (holdsValue(shape.kinds[j]) && kindOf(fields[j], shape.reading) == TableField::Kind::Text
            && !looksLikeValue(fields[j]))
            return true;
    }
    return false;
}

// Rows above the run that differ only in their number of fields belong to the table.
bool TableFinder::holdsData(std::size_t line)
{
    if (isTextRow(line))
        return false;
    const std::vector<std::string_view>& fields = splitter.split(lines[line]);
    for (std::size_t j = 0; j < fields.size() && j < shape.kinds.size(); ++j) {
        if (holdsValue(shape.kinds[j]) && holdsValue(kindOf(fields[j], shape.reading)))
            return true;
    }
    return false;
}

bool TableFinder::hasText(std::size_t line)
{
    for (std::string_view field : splitter.split(lines[line])) {
        if (kindOf(field, shape.reading) == TableField::Kind::Text)
            return true;
    }
    return false;
}

// Units above the columns of data, and nothing but units there.
bool TableFinder::isUnitsRow(std::size_t line)
{
    const std::vector<std::string_view>& fields = splitter.split(lines[line]);
    bool any = false;
    for (std::size_t j = 0; j < fields.size() && j < shape.kinds.size(); ++j) {
        if (!holdsValue(shape.kinds[j]) || fields[j].empty())
            continue;
        if (!isUnitText(fields[j]) || holdsValue(TableField::kindOf(fields[j], shape.reading)))
            return false;
        any = true;
    }
    return any;
}

// Where the user placed the table, it starts there; else at the run's first row that holds
// no text where the data hold values, below the text rows above it.
void TableFinder::findHeader(const Run& run)
{
    const bool placed = options.skip >= 0 || options.header > 0;
    findKinds(placed ? 0 : run.first, placed ? content.size() - 1 : run.last);
    if (options.header > 0 || (options.skip >= 0 && options.header < 0 && isTextRow(content.front()))) {
        placeHeader(0);
        return;
    }
    std::size_t first = placed ? 0 : run.first;
    if (!placed && options.header < 0) {
        while (first < run.last && isTextRow(content[first]))
            ++first;
        if (first == run.first) {
            while (first > 0 && holdsData(content[first - 1]))
                --first;
        }
    }
    shape.firstDataLine = content[first];
    shape.linesBefore = first;
    if (placed || options.header == 0 || !(first > run.first || (first > 0 && hasText(content[first - 1]))))
        return;
    if (first >= 2 && isUnitsRow(content[first - 1]) && hasText(content[first - 2])) {
        shape.headerLine = int(content[first - 2]);
        shape.unitsLine = options.unitsRow ? int(content[first - 1]) : TableShape::kNone;
        shape.linesBefore = first - 2;
    } else {
        shape.headerLine = int(content[first - 1]);
        shape.linesBefore = first - 1;
    }
}

// The header at `position` of the rows, a row of units perhaps below it, the data after.
void TableFinder::placeHeader(std::size_t position)
{
    shape.headerLine = int(content[position]);
    shape.linesBefore = position;
    std::size_t next = position + 1;
    if (next < content.size() && isTextRow(content[next]) && isUnitsRow(content[next])) {
        if (options.unitsRow)
            shape.unitsLine = int(content[next]);
        ++next;
    }
    if (next >= content.size()) {
        shape.problem = QStringLiteral("Kurvo: Header line but no data");
        return;
    }
    shape.firstDataLine = content[next];
}

void TableFinder::takeNames()
{
    if (shape.headerLine == TableShape::kNone)
        return;
    const std::vector<std::string_view> names = splitter.split(lines[std::size_t(shape.headerLine)]);
    std::vector<std::string_view> units;
    if (shape.unitsLine != TableShape::kNone)
        units = splitter.split(lines[std::size_t(shape.unitsLine)]);
    for (std::size_t j = 0; j < shape.kinds.size(); ++j) {
        const QString name = j < names.size() ? unquoted(textOf(names[j])) : QString();
        const QString unit = j < units.size() ? withoutBrackets(textOf(units[j])) : QString();
        shape.plainNames << name;
        if (unit.isEmpty())
            shape.names << name;
        else
            shape.names << (name.isEmpty() ? unit : QStringLiteral("%1 [%2]").arg(name, unit));
    }
    shape.log << QStringLiteral("Kurvo: Header line: %1 names").arg(names.size());
}

void TableFinder::chooseColumns()
{
    const std::size_t count = shape.kinds.size();
    if (options.xColumn.isEmpty()) {
        const bool rows = autoX || count < 2 || shape.kinds.front() == TableField::Kind::Text;
        shape.xColumn = rows ? TableShape::kRowNumbers : 0;
    } else if (options.xColumn.compare(QLatin1String("none"), Qt::CaseInsensitive) == 0) {
        shape.xColumn = TableShape::kRowNumbers;
    } else if (!columnOf(options.xColumn, shape.xColumn)) {
        return;
    }
    if (!options.columns.isEmpty()) {
        for (const QString& choice : options.columns) {
            int column = 0;
            if (!columnOf(choice, column))
                return;
            shape.curves.push_back(column);
        }
        return;
    }
    std::vector<int> numeric;
    for (std::size_t j = 0; j < count; ++j) {
        if (int(j) == shape.xColumn)
            continue;
        if (shape.kinds[j] == TableField::Kind::Number)
            numeric.push_back(int(j));
        else
            shape.log << QStringLiteral("Kurvo: Column %1 holds no numbers and is left out").arg(j + 1);
    }
    leaveOut(numeric);
    shape.curves = numeric;
    if (shape.curves.empty())
        shape.problem = QStringLiteral("Kurvo: No column of numbers to draw");
}

// One x column and fifteen curves, or sixteen curves over the row numbers, as the plot has
// always read tables.
void TableFinder::leaveOut(std::vector<int>& numeric)
{
    const std::size_t withX = numeric.size() + (shape.xColumn >= 0 ? 1 : 0);
    if (withX <= 16)
        return;
    shape.log << QStringLiteral("Kurvo: %1 columns beyond the sixteenth are left out").arg(withX - 16);
    numeric.resize(numeric.size() - (withX - 16));
}

// A 1-based column number, or a header name with or without its unit, in any case.
bool TableFinder::columnOf(const QString& choice, int& column)
{
    bool isNumber = false;
    const int number = choice.toInt(&isNumber);
    const int count = int(shape.kinds.size());
    if (isNumber) {
        column = number - 1;
        if (number >= 1 && number <= count)
            return true;
        shape.problem = QStringLiteral("Kurvo: Column %1 is not in the table, which has %2 columns").arg(choice).arg(count);
        return false;
    }
    for (const QStringList* names : {&shape.names, &shape.plainNames}) {
        for (int j = 0; j < names->size(); ++j) {
            if (names->at(j).compare(choice.trimmed(), Qt::CaseInsensitive) == 0) {
                column = j;
                return true;
            }
        }
    }
    shape.problem = QStringLiteral("Kurvo: No column named %1").arg(choice);
    return false;
}

void TableFinder::logShape()
{
    const int skipped = std::max(options.skip, 0);
    if (shape.linesBefore > 0)
        shape.log << QStringLiteral("Kurvo: %1 lines before the table are skipped").arg(shape.linesBefore);
    if (shape.kinds.size() > 1)
        shape.log << QStringLiteral("Kurvo: Field separator [%1]").arg(QChar::fromLatin1(shape.separator));
    else
        shape.log << QStringLiteral("Kurvo: One column");
    if (shape.unitsLine != TableShape::kNone)
        shape.log << QStringLiteral("Kurvo: Units row at line %1").arg(shape.unitsLine + 1 + skipped);
    const bool decimalComma = shape.reading.decimalComma && shape.separator != ','
                              && lines[shape.firstDataLine].find(',') != std::string::npos;
    const QString x = shape.xColumn == TableShape::kRowNumbers
                          ? QStringLiteral("x counts the rows")
                          : QStringLiteral("x from column %1%2").arg(shape.xColumn + 1).arg(shape.xIsTime() ? QStringLiteral(" (dates and times)") : QString());
    shape.log << QStringLiteral("Kurvo: Data from line %1, %2, %3 curves%4")
                     .arg(shape.firstDataLine + 1 + skipped)
                     .arg(x)
                     .arg(shape.curves.size())
                     .arg(decimalComma ? QStringLiteral(", decimal comma") : QString());
}

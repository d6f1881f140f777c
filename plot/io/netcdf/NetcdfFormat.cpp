#include "NetcdfFormat.h"

#include "ColumnCurves.h"
#include "ColumnSizing.h"
#include "DatasetLimits.h"
#include "ReadRefusal.h"

#include <QFile>

#include <netcdf.h>

#include <algorithm>
#include <limits>
#include <new>
#include <vector>

namespace {

constexpr std::size_t kLongestUnits = 4096;

// An open file, closed when this goes.
class NetcdfFile
{
public:
    explicit NetcdfFile(const QString& path)
        : status(nc_open(QFile::encodeName(path).constData(), NC_NOWRITE, &id))
    {
    }
    ~NetcdfFile()
    {
        if (status == NC_NOERR)
            nc_close(id);
    }
    NetcdfFile(const NetcdfFile&) = delete;
    NetcdfFile& operator=(const NetcdfFile&) = delete;

    // The identifier comes first: the library sets it as `status` is made.
    int id = -1;
    int status;
};

struct VariableShape {
    QString name;
    bool numeric = false;
    int rank = 0;
    int dimensions[2] = {-1, -1};
    std::size_t lengths[2] = {0, 0};
    bool coordinate = false;

    bool drawable() const { return numeric && (rank == 1 || rank == 2) && lengths[0] > 0 && (rank == 1 || lengths[1] > 0); }
    QString text() const
    {
        return rank == 1 ? QString::number(lengths[0]) : QStringLiteral("%1 × %2").arg(lengths[0]).arg(lengths[1]);
    }
};

bool isNumeric(nc_type type)
{
    return type >= NC_BYTE && type != NC_CHAR && type <= NC_UINT64;
}

VariableShape shapeOf(int file, int variable)
{
    VariableShape shape;
    char name[NC_MAX_NAME + 1] = {};
    nc_type type = NC_NAT;
    int rank = 0;
    if (nc_inq_var(file, variable, name, &type, &rank, nullptr, nullptr) != NC_NOERR)
        return shape;
    shape.name = QString::fromUtf8(name);
    shape.numeric = isNumeric(type);
    shape.rank = rank;
    if (rank < 1 || rank > 2 || nc_inq_vardimid(file, variable, shape.dimensions) != NC_NOERR)
        return shape;
    char dimension[NC_MAX_NAME + 1] = {};
    for (int k = 0; k < rank; ++k) {
        if (nc_inq_dim(file, shape.dimensions[k], dimension, &shape.lengths[k]) != NC_NOERR)
            shape.numeric = false;
    }
    shape.coordinate = rank == 1 && shape.name == QString::fromUtf8(dimension);
    return shape;
}

QString unitsOf(int file, int variable)
{
    nc_type type = NC_NAT;
    std::size_t length = 0;
    if (nc_inq_att(file, variable, "units", &type, &length) != NC_NOERR || length == 0 || length > kLongestUnits)
        return QString();
    if (type == NC_CHAR) {
        std::vector<char> text(length + 1, '\0');
        if (nc_get_att_text(file, variable, "units", text.data()) != NC_NOERR)
            return QString();
        return QString::fromUtf8(text.data()).trimmed();
    }
    if (type == NC_STRING && length == 1) {
        char* text = nullptr;
        if (nc_get_att_string(file, variable, "units", &text) != NC_NOERR)
            return QString();
        const QString units = QString::fromUtf8(text ? text : "").trimmed();
        nc_free_string(1, &text);
        return units;
    }
    return QString();
}

QString nameOf(const QString& name, const QString& units)
{
    return units.isEmpty() ? name : QStringLiteral("%1 [%2]").arg(name, units);
}

// One number of a numeric attribute; false where there is none.
bool numberOf(int file, int variable, const char* attribute, double& value)
{
    nc_type type = NC_NAT;
    std::size_t length = 0;
    return nc_inq_att(file, variable, attribute, &type, &length) == NC_NOERR && length == 1 && isNumeric(type)
        && nc_get_att_double(file, variable, attribute, &value) == NC_NOERR;
}

// Values the file marks as missing become gaps; packed ones are unpacked.
void unpack(int file, int variable, double* values, std::size_t count)
{
    const double gap = std::numeric_limits<double>::quiet_NaN();
    for (const char* marker : {"_FillValue", "missing_value"}) {
        double missing = 0.0;
        if (!numberOf(file, variable, marker, missing))
            continue;
        for (std::size_t i = 0; i < count; ++i)
            values[i] = values[i] == missing ? gap : values[i];
    }
    double scale = 1.0;
    double offset = 0.0;
    const bool scaled = numberOf(file, variable, "scale_factor", scale);
    const bool shifted = numberOf(file, variable, "add_offset", offset);
    if (!scaled && !shifted)
        return;
    for (std::size_t i = 0; i < count; ++i)
        values[i] = values[i] * scale + offset;
}

bool readValues(int file, int variable, double* values, std::size_t count)
{
    if (nc_get_var_double(file, variable, values) != NC_NOERR)
        return false;
    unpack(file, variable, values, count);
    return true;
}

// The coordinate variable of a 1-D variable's dimension, or -1.
int coordinateOf(int file, const VariableShape& shape)
{
    char dimension[NC_MAX_NAME + 1] = {};
    int coordinate = -1;
    if (nc_inq_dimname(file, shape.dimensions[0], dimension) != NC_NOERR
        || nc_inq_varid(file, dimension, &coordinate) != NC_NOERR)
        return -1;
    const VariableShape x = shapeOf(file, coordinate);
    return x.numeric && x.coordinate && x.dimensions[0] == shape.dimensions[0] && x.name != shape.name ? coordinate : -1;
}

ImportedData readVariable(int file, const QString& source, int variable, const QString& name, bool fitToPowerOfTwo,
                          const TableOptions& options)
{
    const VariableShape shape = shapeOf(file, variable);
    if (!shape.drawable())
        return ReadRefusal::cannotRead(source, QStringLiteral("%1 is no 1-D or 2-D numeric variable").arg(shape.name));
    const std::size_t rows = shape.lengths[0];
    const std::size_t columns = shape.rank == 2 ? shape.lengths[1] : 1;
    QString refused;
    if (!DatasetLimits::fit(double(rows), double(columns), source, refused))
        return ReadRefusal::withLine(refused);
    const QString units = unitsOf(file, variable);
    const QString cannot = QStringLiteral("the values of %1 cannot be read").arg(shape.name);
    std::vector<ColumnCurves::Column> table;
    if (shape.rank == 1) {
        const int coordinate = coordinateOf(file, shape);
        if (coordinate >= 0) {
            table.push_back({nameOf(shapeOf(file, coordinate).name, unitsOf(file, coordinate)), {}});
            resizeExactly(table.back().values, int(rows));
            if (!readValues(file, coordinate, table.back().values.data(), rows))
                return ReadRefusal::cannotRead(source, cannot);
        }
        table.push_back({nameOf(shape.name, units), {}});
        resizeExactly(table.back().values, int(rows));
        if (!readValues(file, variable, table.back().values.data(), rows))
            return ReadRefusal::cannotRead(source, cannot);
        return ColumnCurves::make(std::move(table), coordinate >= 0, name, fitToPowerOfTwo, options);
    }
    std::vector<double> values(rows * columns);
    if (!readValues(file, variable, values.data(), values.size()))
        return ReadRefusal::cannotRead(source, cannot);
    for (std::size_t j = 0; j < columns; ++j) {
        table.push_back({nameOf(QStringLiteral("%1[%2]").arg(shape.name).arg(j), units), {}});
        resizeExactly(table.back().values, int(rows));
        double* column = table.back().values.data();
        for (std::size_t i = 0; i < rows; ++i)
            column[i] = values[i * columns + j];
    }
    return ColumnCurves::make(std::move(table), true, name, fitToPowerOfTwo, options);
}

bool list(int file, std::vector<DataPart>& parts, QString& reason)
{
    int count = 0;
    if (nc_inq_nvars(file, &count) != NC_NOERR) {
        reason = QStringLiteral("its variables cannot be read");
        return false;
    }
    for (int variable = 0; variable < count; ++variable) {
        const VariableShape shape = shapeOf(file, variable);
        if (shape.drawable())
            parts.push_back({shape.name, shape.text(), !shape.coordinate});
    }
    return true;
}

} // namespace

bool NetcdfFormat::parts(const QString& path, std::vector<DataPart>& parts, QString& reason) const
{
    const NetcdfFile file(path);
    if (file.status != NC_NOERR) {
        reason = QString::fromUtf8(nc_strerror(file.status));
        return false;
    }
    return list(file.id, parts, reason);
}

ImportedData NetcdfFormat::read(const QString& path, const QString& part, const QString& name, bool fitToPowerOfTwo,
                                const TableOptions& options) const
{
    const QString source = part.isEmpty() ? path : path + QLatin1Char(':') + part;
    const NetcdfFile file(path);
    if (file.status != NC_NOERR)
        return ReadRefusal::cannotRead(source, QString::fromUtf8(nc_strerror(file.status)));
    QString variableName = part;
    if (variableName.isEmpty()) {
        std::vector<DataPart> parts;
        QString reason;
        if (!list(file.id, parts, reason))
            return ReadRefusal::cannotRead(source, reason);
        if (parts.empty())
            return ReadRefusal::cannotRead(source, QStringLiteral("it holds no 1-D or 2-D numeric variable"));
        const auto chosen = std::find_if(parts.begin(), parts.end(), [](const DataPart& p) { return p.byDefault; });
        variableName = (chosen == parts.end() ? parts.front() : *chosen).name;
    }
    int variable = -1;
    if (nc_inq_varid(file.id, variableName.toUtf8().constData(), &variable) != NC_NOERR)
        return ReadRefusal::cannotRead(source, QStringLiteral("there is no variable %1").arg(variableName));
    try {
        return readVariable(file.id, source, variable, name, fitToPowerOfTwo, options);
    } catch (const std::bad_alloc&) {
        return ReadRefusal::notEnoughMemory(source);
    }
}

#include "MatlabFormat.h"

#include "ColumnCurves.h"
#include "ColumnSizing.h"
#include "DatasetLimits.h"
#include "ReadRefusal.h"

#include <QFile>

#include <matio.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>

namespace {

// A hostile file may hold any number of variables; the picker lists no more than this.
constexpr std::size_t kMostVariables = 100000;

struct FileCloser {
    void operator()(mat_t* file) const { Mat_Close(file); }
};
using MatFile = std::unique_ptr<mat_t, FileCloser>;

struct VariableFreer {
    void operator()(matvar_t* variable) const { Mat_VarFree(variable); }
};
using Variable = std::unique_ptr<matvar_t, VariableFreer>;

void quiet(int, char*)
{
}

bool isNumeric(const matvar_t& variable)
{
    return variable.class_type >= MAT_C_DOUBLE && variable.class_type <= MAT_C_UINT64 && !variable.isComplex;
}

// A vector or a matrix with a value at least.
bool isDrawable(const matvar_t& variable)
{
    return isNumeric(variable) && variable.rank == 2 && variable.dims && variable.dims[0] > 0 && variable.dims[1] > 0;
}

QString shapeOf(const matvar_t& variable)
{
    return QStringLiteral("%1 × %2").arg(variable.dims[0]).arg(variable.dims[1]);
}

MatFile openFile(const QString& path)
{
    return MatFile(Mat_Open(QFile::encodeName(path).constData(), MAT_ACC_RDONLY));
}

// The variables' descriptions, or false when the file's directory cannot be read to its end.
bool describe(mat_t* file, std::vector<Variable>& variables)
{
    while (variables.size() < kMostVariables) {
        Variable next(Mat_VarReadNextInfo(file));
        if (!next)
            return true;
        variables.push_back(std::move(next));
    }
    return true;
}

// The layout the sound library writes: its rate and its samples, nothing else.
bool isSoundFile(const std::vector<Variable>& variables)
{
    if (variables.size() != 2)
        return false;
    const auto named = [&](const char* name) {
        return std::any_of(variables.begin(), variables.end(),
                           [&](const Variable& v) { return v->name && std::string(v->name) == name; });
    };
    return named("samplerate") && named("wavedata");
}

template <typename T>
void convert(const void* data, std::size_t count, double* to)
{
    const T* from = static_cast<const T*>(data);
    for (std::size_t i = 0; i < count; ++i)
        to[i] = double(from[i]);
}

// `count` values of a numeric class as doubles.
bool toDoubles(matio_classes type, const void* data, std::size_t count, double* to)
{
    switch (type) {
    case MAT_C_DOUBLE: convert<double>(data, count, to); return true;
    case MAT_C_SINGLE: convert<float>(data, count, to); return true;
    case MAT_C_INT8: convert<std::int8_t>(data, count, to); return true;
    case MAT_C_UINT8: convert<std::uint8_t>(data, count, to); return true;
    case MAT_C_INT16: convert<std::int16_t>(data, count, to); return true;
    case MAT_C_UINT16: convert<std::uint16_t>(data, count, to); return true;
    case MAT_C_INT32: convert<std::int32_t>(data, count, to); return true;
    case MAT_C_UINT32: convert<std::uint32_t>(data, count, to); return true;
    case MAT_C_INT64: convert<std::int64_t>(data, count, to); return true;
    case MAT_C_UINT64: convert<std::uint64_t>(data, count, to); return true;
    default: return false;
    }
}

ImportedData readVariable(mat_t* file, const QString& source, const QString& part, const QString& name,
                          bool fitToPowerOfTwo, const TableOptions& options)
{
    const QByteArray variableName = part.toUtf8();
    const Variable info(Mat_VarReadInfo(file, variableName.constData()));
    if (!info)
        return ReadRefusal::cannotRead(source, QStringLiteral("there is no variable %1").arg(part));
    if (!isDrawable(*info))
        return ReadRefusal::cannotRead(source, QStringLiteral("%1 is no real numeric vector or matrix").arg(part));
    const bool vector = info->dims[0] == 1 || info->dims[1] == 1;
    const std::size_t rows = vector ? std::max(info->dims[0], info->dims[1]) : info->dims[0];
    const std::size_t columns = vector ? 1 : info->dims[1];
    QString refused;
    if (!DatasetLimits::fit(double(rows), double(columns), source, refused))
        return ReadRefusal::withLine(refused);
    Mat_Rewind(file);
    const Variable variable(Mat_VarRead(file, variableName.constData()));
    if (!variable || !variable->data || !isDrawable(*variable) || variable->data_size <= 0
        || variable->dims[0] * variable->dims[1] != rows * columns)
        return ReadRefusal::cannotRead(source, QStringLiteral("the values of %1 cannot be read").arg(part));
    // MATLAB keeps a matrix column after column.
    std::vector<ColumnCurves::Column> table(columns);
    const auto* values = static_cast<const char*>(variable->data);
    const std::size_t columnBytes = rows * std::size_t(variable->data_size);
    for (std::size_t j = 0; j < columns; ++j) {
        table[j].name = vector ? part : QStringLiteral("%1(:,%2)").arg(part).arg(j + 1);
        resizeExactly(table[j].values, int(rows));
        if (!toDoubles(variable->class_type, values + j * columnBytes, rows, table[j].values.data()))
            return ReadRefusal::cannotRead(source, QStringLiteral("the values of %1 cannot be read").arg(part));
    }
    return ColumnCurves::make(std::move(table), !vector, name, fitToPowerOfTwo, options);
}

} // namespace

MatlabFormat::MatlabFormat(FileReader soundReader)
    : soundReader(soundReader)
{
    Mat_LogInitFunc("kurvo", quiet);
}

// A file that matio does not read, or that the sound library wrote, has no parts: it is read
// whole, by the audio reader.
bool MatlabFormat::parts(const QString& path, std::vector<DataPart>& parts, QString&) const
{
    const MatFile file = openFile(path);
    std::vector<Variable> variables;
    if (!file || !describe(file.get(), variables) || isSoundFile(variables))
        return true;
    for (const Variable& variable : variables) {
        if (variable->name && isDrawable(*variable))
            parts.push_back({QString::fromUtf8(variable->name), shapeOf(*variable), true});
    }
    return true;
}

ImportedData MatlabFormat::read(const QString& path, const QString& part, const QString& name, bool fitToPowerOfTwo,
                                const TableOptions& options) const
{
    const QString source = part.isEmpty() ? path : path + QLatin1Char(':') + part;
    const MatFile file = openFile(path);
    std::vector<Variable> variables;
    if (!file || (part.isEmpty() && (!describe(file.get(), variables) || isSoundFile(variables))))
        return soundReader(path, name, fitToPowerOfTwo);
    QString variable = part;
    for (auto it = variables.begin(); it != variables.end() && variable.isEmpty(); ++it) {
        if ((*it)->name && isDrawable(**it))
            variable = QString::fromUtf8((*it)->name);
    }
    if (variable.isEmpty())
        return ReadRefusal::cannotRead(source, QStringLiteral("it holds no numeric vector or matrix"));
    try {
        return readVariable(file.get(), source, variable, name, fitToPowerOfTwo, options);
    } catch (const std::bad_alloc&) {
        return ReadRefusal::notEnoughMemory(source);
    }
}

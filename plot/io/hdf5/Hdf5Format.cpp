#include "Hdf5Format.h"

#include "ColumnCurves.h"
#include "ColumnSizing.h"
#include "DatasetLimits.h"
#include "Hdf5Handle.h"
#include "ReadRefusal.h"

#include <QFile>

#include <hdf5_hl.h>

#include <algorithm>
#include <new>
#include <string>
#include <vector>

namespace {

// A hostile file may hold any number of objects; the picker lists no more than this.
constexpr std::size_t kMostSets = 100000;
constexpr std::size_t kLongestUnits = 4096;

struct SetShape {
    bool numeric = false;
    int rank = 0;
    hsize_t dims[2] = {0, 0};
    bool scale = false;

    bool drawable() const { return numeric && (rank == 1 || rank == 2) && dims[0] > 0 && (rank == 1 || dims[1] > 0); }
    QString text() const
    {
        return rank == 1 ? QString::number(dims[0]) : QStringLiteral("%1 × %2").arg(dims[0]).arg(dims[1]);
    }
};

SetShape shapeOf(hid_t set)
{
    SetShape shape;
    const Hdf5Handle type(H5Dget_type(set), H5Tclose);
    const Hdf5Handle space(H5Dget_space(set), H5Sclose);
    if (!type || !space)
        return shape;
    const H5T_class_t kind = H5Tget_class(type.get());
    shape.numeric = kind == H5T_INTEGER || kind == H5T_FLOAT;
    shape.rank = H5Sget_simple_extent_ndims(space.get());
    if (shape.rank == 1 || shape.rank == 2)
        H5Sget_simple_extent_dims(space.get(), shape.dims, nullptr);
    shape.scale = H5DSis_scale(set) > 0;
    return shape;
}

// The `units` attribute as text; empty where there is none or it is no single string.
QString unitsOf(hid_t object)
{
    if (H5Aexists(object, "units") <= 0)
        return QString();
    const Hdf5Handle attribute(H5Aopen(object, "units", H5P_DEFAULT), H5Aclose);
    const Hdf5Handle type(attribute ? H5Aget_type(attribute.get()) : H5I_INVALID_HID, H5Tclose);
    const Hdf5Handle space(attribute ? H5Aget_space(attribute.get()) : H5I_INVALID_HID, H5Sclose);
    if (!type || !space || H5Tget_class(type.get()) != H5T_STRING || H5Sget_simple_extent_npoints(space.get()) != 1)
        return QString();
    if (H5Tis_variable_str(type.get()) > 0) {
        const Hdf5Handle memory(H5Tcopy(H5T_C_S1), H5Tclose);
        H5Tset_size(memory.get(), H5T_VARIABLE);
        char* text = nullptr;
        if (H5Aread(attribute.get(), memory.get(), &text) < 0 || !text)
            return QString();
        const QString units = QString::fromUtf8(text).trimmed();
        H5free_memory(text);
        return units;
    }
    const std::size_t size = H5Tget_size(type.get());
    if (size == 0 || size > kLongestUnits)
        return QString();
    std::string text(size + 1, '\0');
    const Hdf5Handle memory(H5Tcopy(H5T_C_S1), H5Tclose);
    H5Tset_size(memory.get(), size + 1);
    if (H5Aread(attribute.get(), memory.get(), text.data()) < 0)
        return QString();
    return QString::fromUtf8(text.c_str()).trimmed();
}

QString nameOf(const QString& path, const QString& units)
{
    const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    return units.isEmpty() ? name : QStringLiteral("%1 [%2]").arg(name, units);
}

struct Listing {
    std::vector<DataPart>* parts;
    bool cut = false;
};

herr_t visitLink(hid_t group, const char* name, const H5L_info_t* info, void* data)
{
    auto* listing = static_cast<Listing*>(data);
    if (listing->parts->size() >= kMostSets) {
        listing->cut = true;
        return 1;
    }
    if (info->type != H5L_TYPE_HARD)
        return 0;
    const Hdf5Handle object(H5Oopen(group, name, H5P_DEFAULT), H5Oclose);
    if (!object || H5Iget_type(object.get()) != H5I_DATASET)
        return 0;
    const SetShape shape = shapeOf(object.get());
    if (!shape.drawable())
        return 0;
    const QString path = QLatin1Char('/') + QString::fromUtf8(name);
    listing->parts->push_back({path, shape.text(), !QString::fromUtf8(name).contains(QLatin1Char('/')) && !shape.scale});
    return 0;
}

bool openFile(const QString& path, Hdf5Handle& file, QString& reason)
{
    const QByteArray name = QFile::encodeName(path);
    if (H5Fis_hdf5(name.constData()) <= 0) {
        reason = QStringLiteral("not an HDF5 file");
        return false;
    }
    file = Hdf5Handle(H5Fopen(name.constData(), H5F_ACC_RDONLY, H5P_DEFAULT), H5Fclose);
    if (!file)
        reason = QStringLiteral("the HDF5 file cannot be opened");
    return bool(file);
}

bool list(hid_t file, std::vector<DataPart>& parts, QString& reason)
{
    Listing listing{&parts};
    if (H5Lvisit(file, H5_INDEX_NAME, H5_ITER_NATIVE, visitLink, &listing) < 0 && !listing.cut) {
        reason = QStringLiteral("its groups cannot be read");
        return false;
    }
    return true;
}

// A 1-D set a block at a time, each block's limits taken while it is in the cache: read
// whole, the values would come from memory once more to find them.
bool readBlocks(hid_t set, hsize_t rows, ColumnCurves::Column& column)
{
    constexpr hsize_t block = hsize_t(1) << 16;
    const Hdf5Handle file(H5Dget_space(set), H5Sclose);
    if (!file)
        return false;
    column.values.reserve(int(rows));
    for (hsize_t start = 0; start < rows; start += block) {
        const hsize_t count = std::min(block, rows - start);
        const Hdf5Handle memory(H5Screate_simple(1, &count, nullptr), H5Sclose);
        column.values.resize(int(start + count));
        double* values = column.values.data() + start;
        if (!memory || H5Sselect_hyperslab(file.get(), H5S_SELECT_SET, &start, nullptr, &count, nullptr) < 0
            || H5Dread(set, H5T_NATIVE_DOUBLE, memory.get(), file.get(), H5P_DEFAULT, values) < 0)
            return false;
        column.limits->add(values, std::size_t(count));
    }
    return true;
}

// The first dimension scale attached to a 1-D set, as x, when it holds a value for every row.
bool readScale(hid_t set, hsize_t rows, ColumnCurves::Column& x)
{
    if (H5DSget_num_scales(set, 0) <= 0)
        return false;
    hid_t scale = H5I_INVALID_HID;
    const auto first = [](hid_t, unsigned, hid_t found, void* data) -> herr_t {
        *static_cast<hid_t*>(data) = H5Oopen(found, ".", H5P_DEFAULT);
        return 1;
    };
    H5DSiterate_scales(set, 0, nullptr, first, &scale);
    const Hdf5Handle held(scale, H5Oclose);
    if (!held)
        return false;
    const SetShape shape = shapeOf(scale);
    if (!shape.numeric || shape.rank != 1 || shape.dims[0] != rows)
        return false;
    resizeExactly(x.values, int(rows));
    if (H5Dread(scale, H5T_NATIVE_DOUBLE, H5S_ALL, H5S_ALL, H5P_DEFAULT, x.values.data()) < 0)
        return false;
    char path[1024] = {};
    H5Iget_name(scale, path, sizeof path);
    x.name = nameOf(QString::fromUtf8(path), unitsOf(scale));
    return true;
}

ImportedData readSet(hid_t file, const QString& source, const QString& part, const QString& name, bool fitToPowerOfTwo,
                     const TableOptions& options)
{
    const QByteArray path = part.toUtf8();
    if (H5Lexists(file, path.constData(), H5P_DEFAULT) <= 0)
        return ReadRefusal::cannotRead(source, QStringLiteral("there is no dataset %1").arg(part));
    const Hdf5Handle set(H5Dopen2(file, path.constData(), H5P_DEFAULT), H5Dclose);
    const SetShape shape = set ? shapeOf(set.get()) : SetShape();
    if (!shape.drawable())
        return ReadRefusal::cannotRead(source, QStringLiteral("%1 is no 1-D or 2-D numeric dataset").arg(part));
    const hsize_t rows = shape.dims[0];
    const hsize_t columns = shape.rank == 2 ? shape.dims[1] : 1;
    QString refused;
    if (!DatasetLimits::fit(double(rows), double(columns), source, refused))
        return ReadRefusal::withLine(refused);
    const QString units = unitsOf(set.get());
    std::vector<ColumnCurves::Column> table;
    if (shape.rank == 1) {
        ColumnCurves::Column x;
        const bool scaled = readScale(set.get(), rows, x);
        if (scaled)
            table.push_back(std::move(x));
        table.push_back({nameOf(part, units), {}, FiniteLimits()});
        if (!readBlocks(set.get(), rows, table.back()))
            return ReadRefusal::cannotRead(source, QStringLiteral("the values of %1 cannot be read").arg(part));
        return ColumnCurves::make(std::move(table), scaled, name, fitToPowerOfTwo, options);
    }
    std::vector<double> values(std::size_t(rows * columns));
    if (H5Dread(set.get(), H5T_NATIVE_DOUBLE, H5S_ALL, H5S_ALL, H5P_DEFAULT, values.data()) < 0)
        return ReadRefusal::cannotRead(source, QStringLiteral("the values of %1 cannot be read").arg(part));
    for (hsize_t j = 0; j < columns; ++j) {
        table.push_back({nameOf(QStringLiteral("%1[%2]").arg(part).arg(j), units), {}});
        resizeExactly(table.back().values, int(rows));
        double* column = table.back().values.data();
        for (hsize_t i = 0; i < rows; ++i)
            column[i] = values[std::size_t(i * columns + j)];
    }
    return ColumnCurves::make(std::move(table), true, name, fitToPowerOfTwo, options);
}

} // namespace

Hdf5Format::Hdf5Format()
{
    H5Eset_auto2(H5E_DEFAULT, nullptr, nullptr);
}

bool Hdf5Format::parts(const QString& path, std::vector<DataPart>& parts, QString& reason) const
{
    Hdf5Handle file;
    return openFile(path, file, reason) && list(file.get(), parts, reason);
}

ImportedData Hdf5Format::read(const QString& path, const QString& part, const QString& name, bool fitToPowerOfTwo,
                              const TableOptions& options) const
{
    const QString source = part.isEmpty() ? path : path + QLatin1Char(':') + part;
    Hdf5Handle file;
    QString reason;
    if (!openFile(path, file, reason))
        return ReadRefusal::cannotRead(source, reason);
    QString set = part;
    if (set.isEmpty()) {
        std::vector<DataPart> sets;
        if (!list(file.get(), sets, reason))
            return ReadRefusal::cannotRead(source, reason);
        if (sets.empty())
            return ReadRefusal::cannotRead(source, QStringLiteral("it holds no 1-D or 2-D numeric dataset"));
        const auto chosen = std::find_if(sets.begin(), sets.end(), [](const DataPart& p) { return p.byDefault; });
        set = (chosen == sets.end() ? sets.front() : *chosen).name;
    }
    try {
        return readSet(file.get(), source, set, name, fitToPowerOfTwo, options);
    } catch (const std::bad_alloc&) {
        return ReadRefusal::notEnoughMemory(source);
    }
}

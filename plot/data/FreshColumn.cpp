#include "FreshColumn.h"

#include <new>

QVector<double> freshColumn(int n)
{
    if (n <= 0)
        return QVector<double>();
    QTypedArrayData<double>* data = QTypedArrayData<double>::allocate(std::size_t(n));
    if (!data)
        throw std::bad_alloc();
    data->size = n;
    return QVector<double>(QArrayDataPointerRef<double>{data});
}

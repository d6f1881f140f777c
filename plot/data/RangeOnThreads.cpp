#include "RangeOnThreads.h"

#include "ParallelTasks.h"

#include <algorithm>

namespace {

const int kPiece = 1 << 20;

struct Piece {
    const double* values;
    std::size_t count;
    bool isX;
};

void addPieces(std::vector<Piece>& pieces, const QVector<double>& column, bool isX)
{
    for (int at = 0; at < column.size(); at += kPiece)
        pieces.push_back({column.constData() + at, std::size_t(std::min(kPiece, column.size() - at)), isX});
}

} // namespace

DataRange rangeOnThreads(const QVector<double>& x, const std::vector<QVector<double>>& y, unsigned threads)
{
    std::vector<Piece> pieces;
    addPieces(pieces, x, true);
    for (const QVector<double>& column : y)
        addPieces(pieces, column, false);
    std::vector<DataRange> ranges(pieces.size());
    runInParallel(pieces.size(), threads, [&](std::size_t i, unsigned) {
        if (pieces[i].isX)
            ranges[i].addX(pieces[i].values, pieces[i].count);
        else
            ranges[i].addY(pieces[i].values, pieces[i].count);
    });
    DataRange range;
    for (const DataRange& piece : ranges)
        range.unite(piece);
    return range;
}

DataRange rangeOfTable(const ImportedData& table, unsigned threads)
{
    DataRange range = rangeOnThreads(table.x, table.y, threads);
    if (table.evenX && !table.y.empty() && !table.y.front().isEmpty()) {
        range.addX(table.evenX->at(0));
        range.addX(table.evenX->at(std::size_t(table.y.front().size()) - 1));
    }
    return range;
}

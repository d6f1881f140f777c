#include "CellBlock.h"

#include "CellRecords.h"
#include "RkNumber.h"
#include "SharedStringTable.h"

#include <cassert>
#include <cmath>

namespace Xls {

using CellBlock = Worksheet::CellTable::RowBlock::CellBlock;

namespace {

bool isNumber(const Cell& cell)
{
    return cell.type() == Cell::Integer || cell.type() == Cell::Double;
}

// The RK of a number that goes into an RK or MULRK record. −0 has an exact RK, but some
// readers take it from there as 0, so it goes into a NUMBER record, as any finite number
// without an exact RK does; NaN and the infinities have RKs too, but no number cell.
bool rkOf(double value, std::uint32_t& rk)
{
    return std::isfinite(value) && !(value == 0 && std::signbit(value)) && encodeRk(value, rk);
}

} // namespace

CellBlock::CellBlock(Cells::const_iterator first, Cells::const_iterator last, const Workbook::SharedStringTable& sst)
{
    for (auto at = first; at != last;) {
        const Cell& cell = at->second;
        if (isNumber(cell)) {
            at = addNumbers(at, last);
            continue;
        }
        if (cell.type() == Cell::Text) {
            auto label = std::make_unique<LabelSST>();
            label->row = std::uint16_t(rowOf(at->first));
            label->column = std::uint16_t(columnOf(at->first));
            const std::int64_t index = sst.indexOf(cell.text());
            assert(index >= 0);
            label->sstIndex = std::uint32_t(index);
            add(std::move(label), at->first);
        }
        ++at;
    }
}

CellBlock::~CellBlock() = default;
CellBlock::CellBlock(CellBlock&&) noexcept = default;
CellBlock& CellBlock::operator=(CellBlock&&) noexcept = default;

auto CellBlock::addNumbers(Cells::const_iterator at, Cells::const_iterator last) -> Cells::const_iterator
{
    const std::uint32_t firstKey = at->first;
    const double value = at->second.number();
    // A NaN or an infinity is no number a spreadsheet holds: its own error cell says so,
    // where a raw double would show as anything from an error to nothing.
    if (!std::isfinite(value)) {
        auto error = std::make_unique<BoolErr>();
        error->row = std::uint16_t(rowOf(firstKey));
        error->column = std::uint16_t(columnOf(firstKey));
        error->value = BoolErr::numError;
        error->isError = 1;
        add(std::move(error), firstKey);
        return ++at;
    }
    std::uint32_t rk;
    if (!rkOf(value, rk)) {
        auto number = std::make_unique<Number>();
        number->row = std::uint16_t(rowOf(firstKey));
        number->column = std::uint16_t(columnOf(firstKey));
        number->value = value;
        add(std::move(number), firstKey);
        return ++at;
    }
    // Exact RK numbers in the columns right of this one join it in one MULRK.
    std::vector<MulRK::Entry> run(1);
    run[0].rk = rk;
    for (++at; at != last && at->first == firstKey + run.size() && isNumber(at->second)
               && rkOf(at->second.number(), rk);
         ++at) {
        run.emplace_back();
        run.back().rk = rk;
    }
    if (run.size() == 1) {
        auto single = std::make_unique<RK>();
        single->row = std::uint16_t(rowOf(firstKey));
        single->column = std::uint16_t(columnOf(firstKey));
        single->rk = run[0].rk;
        add(std::move(single), firstKey);
    } else {
        auto multiple = std::make_unique<MulRK>();
        multiple->row = std::uint16_t(rowOf(firstKey));
        multiple->firstColumn = std::uint16_t(columnOf(firstKey));
        multiple->entries = std::move(run);
        const int columns = int(multiple->entries.size());
        add(std::move(multiple), firstKey, columns);
    }
    return at;
}

void CellBlock::add(std::unique_ptr<Record> record, std::uint32_t key, int columnCount)
{
    if (records.empty()) {
        rowIndex = std::uint16_t(rowOf(key));
        first = std::uint16_t(columnOf(key));
    }
    end = std::uint16_t(columnOf(key) + columnCount);
    bytes += record->recordSize();
    records.push_back(std::move(record));
}

std::size_t CellBlock::write(ByteWriter& out) const
{
    std::size_t written = 0;
    for (const auto& record : records)
        written += record->write(out);
    return written;
}

} // namespace Xls

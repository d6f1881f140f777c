#include "WrappingRowLayout.h"

#include <QWidget>

#include <algorithm>

namespace {

bool takesRoom(QLayoutItem* item)
{
    return item->widget() && !item->isEmpty();
}

QSize wanted(QLayoutItem* item)
{
    return item->sizeHint().expandedTo(item->minimumSize());
}

} // namespace

WrappingRowLayout::WrappingRowLayout(QWidget* parent, int widthBudget)
    : QHBoxLayout(parent)
    , widthBudget(widthBudget)
{
}

// Each row takes controls while they fit; a control wider than the width has a row alone.
std::vector<WrappingRowLayout::Row> WrappingRowLayout::rows(int width) const
{
    std::vector<Row> laid;
    int used = 0;
    for (int i = 0; i < count(); ++i) {
        QLayoutItem* item = itemAt(i);
        if (!takesRoom(item))
            continue;
        const QSize size = wanted(item);
        if (laid.empty() || (used > 0 && used + spacing() + size.width() > width)) {
            laid.emplace_back();
            used = 0;
        } else if (used > 0) {
            used += spacing();
        }
        used += size.width();
        laid.back().items.push_back(item);
        laid.back().height = std::max(laid.back().height, size.height());
    }
    return laid;
}

int WrappingRowLayout::singleRowWidth() const
{
    int width = 0;
    int items = 0;
    for (int i = 0; i < count(); ++i) {
        if (takesRoom(itemAt(i))) {
            width += wanted(itemAt(i)).width();
            ++items;
        }
    }
    return width + std::max(0, items - 1) * spacing();
}

int WrappingRowLayout::widestItem() const
{
    int widest = 0;
    for (int i = 0; i < count(); ++i) {
        if (takesRoom(itemAt(i)))
            widest = std::max(widest, wanted(itemAt(i)).width());
    }
    return widest;
}

// The size the rows take at the budget: the tab widget is never asked to be wider.
QSize WrappingRowLayout::minimumSize() const
{
    const int width = std::min(singleRowWidth(), std::max(widestItem(), widthBudget));
    int height = 0;
    const std::vector<Row> laid = rows(width);
    for (const Row& row : laid)
        height += row.height;
    height += std::max(0, int(laid.size()) - 1) * spacing();
    const QMargins margins = contentsMargins();
    return {width + margins.left() + margins.right(), height + margins.top() + margins.bottom()};
}

QSize WrappingRowLayout::sizeHint() const
{
    return minimumSize();
}

Qt::Orientations WrappingRowLayout::expandingDirections() const
{
    return {};
}

// The height is the one the budget gives, whatever the width: the panel does not move the
// plot up and down as the window is resized.
bool WrappingRowLayout::hasHeightForWidth() const
{
    return false;
}

// Controls keep their own height and stand in the middle of their row.
void WrappingRowLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    const QRect area = rect.marginsRemoved(contentsMargins());
    int y = area.top();
    for (const Row& row : rows(area.width())) {
        int x = area.left();
        for (QLayoutItem* item : row.items) {
            const QSize size = wanted(item);
            item->setGeometry(QRect(QPoint(x, y + (row.height - size.height()) / 2), size));
            x += size.width() + spacing();
        }
        y += row.height + spacing();
    }
}

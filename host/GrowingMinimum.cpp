#include "GrowingMinimum.h"

#include <QEvent>
#include <QWidget>

GrowingMinimum::GrowingMinimum(QWidget* widget, const QSize& floor)
    : QObject(widget)
    , widget(widget)
    , floor(floor)
{
    widget->installEventFilter(this);
    follow();
}

// The layout asks again whenever a child is shown, hidden or changes what it needs.
bool GrowingMinimum::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == widget && event->type() == QEvent::LayoutRequest)
        follow();
    return QObject::eventFilter(watched, event);
}

void GrowingMinimum::follow()
{
    const QSize needed = floor.expandedTo(widget->minimumSizeHint());
    if (widget->minimumSize() != needed)
        widget->setMinimumSize(needed);
}

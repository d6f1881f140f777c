#pragma once

#include <QObject>
#include <QSize>

class QWidget;

// Keeps a widget's minimum size at a floor or, when its contents need more (panels shown,
// a longer legend), at what they need: the window around it can then never be made so small
// that its contents are cut. A fixed minimum alone would stop the contents' needs from
// reaching the window.
class GrowingMinimum : public QObject
{
public:
    GrowingMinimum(QWidget* widget, const QSize& floor);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void follow();

    QWidget* widget;
    QSize floor;
};

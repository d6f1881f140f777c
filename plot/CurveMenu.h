#pragma once

#include <QCoreApplication>
#include <QStringList>

#include <qwt_symbol.h>

class CurveAppearance;
class PlotServer;
class QAction;
class QMenu;

// The context menu of a legend click. One table in the source lists every entry, its text and
// what it does; the menu acts on the current curve.
class CurveMenu
{
    Q_DECLARE_TR_FUNCTIONS(PlotServer)

public:
    CurveMenu(PlotServer* server, CurveAppearance& appearance);

    QMenu* menu() const { return curveMenu; }
    // The Symbol submenu's entries, and the style an entry's text names (in any case).
    static QStringList symbolNames();
    static bool symbolStyle(const QString& name, QwtSymbol::Style& style);
    // The Line Style submenu's entries, and the style an entry's text names (in any case).
    static QStringList lineStyleNames();
    static bool lineStyle(const QString& name, Qt::PenStyle& style);
    QAction* antialiasingAction() const { return antialiasing; }

private:
    QMenu* curveMenu = nullptr;
    QAction* antialiasing = nullptr;
};

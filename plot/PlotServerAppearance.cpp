#include "PlotServer.h"

#include "CurveAppearance.h"
#include "CurveMenu.h"

// The curve menu's appearance entries: each names the style it sets, so they stand apart from
// the slots that hold the window's state.

void PlotServer::renameSlot() { appearance->rename(); }
void PlotServer::NoSymbolSlot() { appearance->setSymbol(QwtSymbol::NoSymbol); }
void PlotServer::EllipseSymbolSlot() { appearance->setSymbol(QwtSymbol::Ellipse); }
void PlotServer::RectSymbolSlot() { appearance->setSymbol(QwtSymbol::Rect); }
void PlotServer::DiamondSymbolSlot() { appearance->setSymbol(QwtSymbol::Diamond); }
void PlotServer::TriangleSymbolSlot() { appearance->setSymbol(QwtSymbol::Triangle); }
void PlotServer::DTriangleSymbolSlot() { appearance->setSymbol(QwtSymbol::DTriangle); }
void PlotServer::UTriangleSymbolSlot() { appearance->setSymbol(QwtSymbol::UTriangle); }
void PlotServer::LTriangleSymbolSlot() { appearance->setSymbol(QwtSymbol::LTriangle); }
void PlotServer::RTriangleSymbolSlot() { appearance->setSymbol(QwtSymbol::RTriangle); }
void PlotServer::CrossSymbolSlot() { appearance->setSymbol(QwtSymbol::Cross); }
void PlotServer::XCrossSymbolSlot() { appearance->setSymbol(QwtSymbol::XCross); }
void PlotServer::HLineSymbolSlot() { appearance->setSymbol(QwtSymbol::HLine); }
void PlotServer::VLineSymbolSlot() { appearance->setSymbol(QwtSymbol::VLine); }
void PlotServer::Star1SymbolSlot() { appearance->setSymbol(QwtSymbol::Star1); }
void PlotServer::Star2SymbolSlot() { appearance->setSymbol(QwtSymbol::Star2); }
void PlotServer::HexagonSymbolSlot() { appearance->setSymbol(QwtSymbol::Hexagon); }
void PlotServer::lineSolidSlot() { appearance->setLineStyle(Qt::SolidLine); }
void PlotServer::lineDashSlot() { appearance->setLineStyle(Qt::DashLine); }
void PlotServer::lineDotSlot() { appearance->setLineStyle(Qt::DotLine); }
void PlotServer::lineDashDotSlot() { appearance->setLineStyle(Qt::DashDotLine); }
void PlotServer::lineDashDotDotSlot() { appearance->setLineStyle(Qt::DashDotDotLine); }
void PlotServer::widthSlot() { appearance->askWidth(); }
void PlotServer::colorSlot() { appearance->askColor(); }
void PlotServer::aliasingSlot() { appearance->toggleAntialiasing(curveMenu->antialiasingAction()); }
void PlotServer::setPlotStyle(int idx) { appearance->setPlotStyle(idx); }

void PlotServer::setCurveSymbol(QwtSymbol::Style style, const QColor& pen, const QColor& brush, int size)
{
    appearance->applySymbol(style, pen, brush, size);
}

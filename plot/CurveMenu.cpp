#include "CurveMenu.h"

#include "CurveAppearance.h"
#include "PlotServer.h"
#include "derive/DerivePanel.h"

#include <QMenu>

namespace {

using Slot = void (PlotServer::*)();

struct SlotRow {
    const char* text;
    Slot slot;
};

struct SymbolRow {
    const char* text;
    QwtSymbol::Style style;
};

struct LineRow {
    const char* text;
    Qt::PenStyle style;
};

const SlotRow kExports[] = {{"Left Data", &PlotServer::exportYdata},
                            {"Bottom Data", &PlotServer::exportXdata},
                            {"Excel", &PlotServer::exportExcel},
                            {"Wav", &PlotServer::exportWav}};

const SymbolRow kSymbols[] = {
    {"NoSymbol", QwtSymbol::NoSymbol},   {"Ellipse", QwtSymbol::Ellipse},     {"Rect", QwtSymbol::Rect},
    {"Diamond", QwtSymbol::Diamond},     {"Triangle", QwtSymbol::Triangle},   {"DTriangle", QwtSymbol::DTriangle},
    {"UTriangle", QwtSymbol::UTriangle}, {"LTriangle", QwtSymbol::LTriangle}, {"RTriangle", QwtSymbol::RTriangle},
    {"Cross", QwtSymbol::Cross},         {"XCross", QwtSymbol::XCross},       {"HLine", QwtSymbol::HLine},
    {"VLine", QwtSymbol::VLine},         {"Star1", QwtSymbol::Star1},         {"Star2", QwtSymbol::Star2},
    {"Hexagon", QwtSymbol::Hexagon}};

const LineRow kLineStyles[] = {{"Solid", Qt::SolidLine},
                               {"Dash", Qt::DashLine},
                               {"Dot", Qt::DotLine},
                               {"DashDot", Qt::DashDotLine},
                               {"DashDotDot", Qt::DashDotDotLine}};

// A submenu with one entry per row; `act` makes the action of a row.
template <typename Row, std::size_t N, typename Act>
QMenu* submenu(const char* title, const Row (&rows)[N], PlotServer* server, Act act)
{
    auto* menu = new QMenu(CurveMenu::tr(title), server);
    for (const Row& row : rows)
        QObject::connect(menu->addAction(CurveMenu::tr(row.text)), &QAction::triggered, server, act(row));
    return menu;
}

} // namespace

QStringList CurveMenu::symbolNames()
{
    QStringList names;
    for (const SymbolRow& row : kSymbols)
        names << QLatin1String(row.text);
    return names;
}

bool CurveMenu::symbolStyle(const QString& name, QwtSymbol::Style& style)
{
    for (const SymbolRow& row : kSymbols) {
        if (name.compare(QLatin1String(row.text), Qt::CaseInsensitive) == 0) {
            style = row.style;
            return true;
        }
    }
    return false;
}

QStringList CurveMenu::lineStyleNames()
{
    QStringList names;
    for (const LineRow& row : kLineStyles)
        names << QLatin1String(row.text);
    return names;
}

bool CurveMenu::lineStyle(const QString& name, Qt::PenStyle& style)
{
    for (const LineRow& row : kLineStyles) {
        if (name.compare(QLatin1String(row.text), Qt::CaseInsensitive) == 0) {
            style = row.style;
            return true;
        }
    }
    return false;
}

CurveMenu::CurveMenu(PlotServer* server, CurveAppearance& appearance)
{
    QMenu* exports = submenu("Export", kExports, server, [server](const SlotRow& row) {
        return [server, slot = row.slot] { (server->*slot)(); };
    });
    QMenu* symbols = submenu("Symbol", kSymbols, server, [&appearance](const SymbolRow& row) {
        return [&appearance, style = row.style] { appearance.setSymbol(style); };
    });
    QMenu* lines = submenu("Line Style", kLineStyles, server, [&appearance](const LineRow& row) {
        return [&appearance, style = row.style] { appearance.setLineStyle(style); };
    });

    curveMenu = new QMenu(server);
    curveMenu->setObjectName(QStringLiteral("curveMenu"));
    QObject::connect(curveMenu->addAction(tr("Rename")), &QAction::triggered, server, &PlotServer::renameSlot);
    curveMenu->addMenu(exports);
    curveMenu->addMenu(symbols);
    curveMenu->addMenu(lines);
    QObject::connect(curveMenu->addAction(tr("Line Width")), &QAction::triggered, server, &PlotServer::widthSlot);
    QObject::connect(curveMenu->addAction(tr("Color")), &QAction::triggered, server, &PlotServer::colorSlot);
    antialiasing = curveMenu->addAction(tr("Antialiasing"));
    antialiasing->setCheckable(true);
    antialiasing->setChecked(true);
    QObject::connect(antialiasing, &QAction::triggered, server, &PlotServer::aliasingSlot);
    curveMenu->addSeparator();
    DerivePanel& derived = server->derivePanel();
    QObject::connect(curveMenu->addAction(tr("Data")), &QAction::triggered, &derived, &DerivePanel::showData);
    QObject::connect(curveMenu->addAction(tr("New curve...")), &QAction::triggered, &derived,
                     &DerivePanel::askNewCurve);
    QObject::connect(curveMenu->addAction(tr("Filters...")), &QAction::triggered, &derived, &DerivePanel::askFilter);
}

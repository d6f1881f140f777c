#include "RenderPen.h"

#include "CurveMenu.h"
#include "CurveRecord.h"
#include "PlotServer.h"

#include <qwt_plot.h>
#include <qwt_plot_curve.h>

namespace {

// A width beyond the largest picture kurvo-render draws paints nothing a reader could use.
const double kWidestPen = 1000.0;

} // namespace

bool RenderPen::parseOption(const QStringList& arguments, int& i, RenderOptions& options, bool& taken,
                            QString& error)
{
    using Step = RenderOptions::Step;
    const QString option = arguments[i];
    taken = option == QLatin1String("--pen") || option == QLatin1String("--antialias");
    if (!taken)
        return true;
    QString value;
    if (!RenderOptions::takeValue(arguments, i, value, error))
        return false;
    if (option == QLatin1String("--antialias")) {
        if (value != QLatin1String("on") && value != QLatin1String("off")) {
            error = QStringLiteral("--antialias takes on or off: %1").arg(value);
            return false;
        }
        options.steps.push_back({Step::Antialias, value, {}});
        return true;
    }
    Pen pen;
    if (!parsePen(value, pen, error))
        return false;
    options.steps.push_back({Step::Pen, value, {}});
    return true;
}

bool RenderPen::parsePen(const QString& value, Pen& pen, QString& error)
{
    const QStringList fields = value.split(QLatin1Char(','));
    pen.color = QColor(fields[0].trimmed());
    bool widthRead = true;
    pen.widthGiven = fields.size() > 1;
    if (pen.widthGiven)
        pen.width = fields[1].toDouble(&widthRead);
    pen.styleGiven = fields.size() > 2;
    const bool styleRead = !pen.styleGiven || CurveMenu::lineStyle(fields[2].trimmed(), pen.style);
    if (fields.size() <= 3 && pen.color.isValid() && widthRead && pen.width > 0 && pen.width <= kWidestPen
        && styleRead)
        return true;
    error = QStringLiteral("--pen takes COLOR[,WIDTH[,STYLE]] with a width above 0 up to %1 and STYLE one of "
                           "%2: %3")
                .arg(kWidestPen)
                .arg(CurveMenu::lineStyleNames().join(QStringLiteral(", ")), value);
    return false;
}

QString RenderPen::usage()
{
    return QStringLiteral(
        "  --pen COLOR[,WIDTH[,STYLE]]\n"
        "                       the current curve's pen: a colour name or #rrggbb, a width in pixels\n"
        "                       and one of the curve menu's line styles (Solid, Dash, Dot, DashDot,\n"
        "                       DashDotDot) in any case\n"
        "  --antialias on|off   draw the current curve with or without antialiasing\n");
}

RenderPen::RenderPen(PlotServer& server)
    : server(server)
{
}

bool RenderPen::apply(const RenderOptions::Step& step, QString& error)
{
    const CurveRecord* record = server.record(server.currentCurve());
    const QString option = step.kind == RenderOptions::Step::Pen ? QStringLiteral("--pen")
                                                                 : QStringLiteral("--antialias");
    if (!record) {
        error = QStringLiteral("%1: there is no current curve").arg(option);
        return false;
    }
    QwtPlotCurve* curve = record->curve;
    if (step.kind == RenderOptions::Step::Antialias) {
        curve->setRenderHint(QwtPlotItem::RenderAntialiased, step.text == QLatin1String("on"));
    } else {
        Pen given;
        if (!parsePen(step.text, given, error))
            return false;
        QPen pen = curve->pen();
        pen.setColor(given.color);
        if (given.widthGiven)
            pen.setWidthF(given.width);
        if (given.styleGiven)
            pen.setStyle(given.style);
        curve->setPen(pen);
    }
    if (QwtPlot* plot = curve->plot())
        plot->replot();
    return true;
}

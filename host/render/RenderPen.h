#pragma once

#include "RenderOptions.h"

#include <QColor>

class PlotServer;

// The current curve's pen in kurvo-render, so that a picture of the window can be drawn again
// in batch: --pen COLOR[,WIDTH[,STYLE]] with a colour name or #rrggbb, a width in pixels and
// one of the curve menu's line styles in any case, and --antialias on|off.
class RenderPen
{
public:
    struct Pen {
        QColor color;
        double width = 1.0;
        Qt::PenStyle style = Qt::SolidLine;
        // Which of width and style the value gave; the others stay as the curve has them.
        bool widthGiven = false;
        bool styleGiven = false;
    };

    // --pen and --antialias; `taken` tells whether the option was one. A value that does not
    // read is bad usage.
    static bool parseOption(const QStringList& arguments, int& i, RenderOptions& options, bool& taken,
                            QString& error);
    // COLOR[,WIDTH[,STYLE]]; false with the reason in `error`.
    static bool parsePen(const QString& value, Pen& pen, QString& error);
    // The options' lines of --help.
    static QString usage();

    explicit RenderPen(PlotServer& server);

    // False with the reason in `error`: there is no current curve.
    bool apply(const RenderOptions::Step& step, QString& error);

private:
    PlotServer& server;
};

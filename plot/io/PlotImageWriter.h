#pragma once

#include <QSize>
#include <QString>

class QwtPlot;

// Renders a plot with Qwt's renderer into a file whose suffix picks the format:
// .svg, .pdf, or any raster format Qt writes (.png, .jpg, .bmp, ...).
class PlotImageWriter
{
public:
    // Returns false when the format is unknown or the file cannot be written.
    static bool write(QwtPlot* plot, const QString& path, const QSize& size);

private:
    static bool writeSvg(QwtPlot* plot, const QString& path, const QSize& size);
    static bool writePdf(QwtPlot* plot, const QString& path, const QSize& size);
    static bool writeRaster(QwtPlot* plot, const QString& path, const QSize& size);
};

#pragma once

#include <QSize>
#include <QString>

class QIODevice;
class QwtPlot;

// Renders a plot with Qwt's renderer into a file whose suffix picks the format:
// .svg, .pdf, or any raster format Qt writes (.png, .jpg, .bmp, ...).
class PlotImageWriter
{
public:
    // Returns false when the format is unknown or the file cannot be written in full.
    static bool write(QwtPlot* plot, const QString& path, const QSize& size);

private:
    // The picture is drawn into memory first: the SVG and PDF painters report no failed
    // write, so only the file written afterwards can tell whether every byte arrived.
    static bool writeSvg(QwtPlot* plot, QIODevice& device, const QSize& size);
    static bool writePdf(QwtPlot* plot, QIODevice& device, const QSize& size);
    static bool writeRaster(QwtPlot* plot, QIODevice& device, const QSize& size, const QByteArray& format);
    static bool writeFile(const QString& path, const QByteArray& bytes);
};

#include "PlotImageWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <qwt_plot.h>
#include <qwt_plot_renderer.h>

bool PlotImageWriter::write(QwtPlot* plot, const QString& path, const QSize& size)
{
    if (size.isEmpty())
        return false;
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("svg"))
        return writeSvg(plot, path, size);
    if (suffix == QLatin1String("pdf"))
        return writePdf(plot, path, size);
    return writeRaster(plot, path, size);
}

bool PlotImageWriter::writeSvg(QwtPlot* plot, const QString& path, const QSize& size)
{
    QFile probe(path);
    if (!probe.open(QIODevice::WriteOnly))
        return false;
    probe.close();

    QSvgGenerator generator;
    generator.setFileName(path);
    generator.setSize(size);
    // At the CSS resolution a viewer shows the picture at exactly `size` pixels.
    generator.setResolution(96);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    QwtPlotRenderer renderer;
    QPainter painter(&generator);
    renderer.render(plot, &painter, QRectF(QPointF(0, 0), size));
    return painter.end();
}

bool PlotImageWriter::writePdf(QwtPlot* plot, const QString& path, const QSize& size)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // One point per pixel, so the page has the requested proportions and nothing is scaled.
    QPdfWriter writer(&file);
    writer.setResolution(72);
    writer.setPageSize(QPageSize(QSizeF(size), QPageSize::Point));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QwtPlotRenderer renderer;
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    renderer.render(plot, &painter, QRectF(QPointF(0, 0), size));
    return painter.end();
}

bool PlotImageWriter::writeRaster(QwtPlot* plot, const QString& path, const QSize& size)
{
    const QByteArray format = QFileInfo(path).suffix().toLower().toLatin1();
    if (!QImageWriter::supportedImageFormats().contains(format))
        return false;
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QwtPlotRenderer renderer;
    QPainter painter(&image);
    renderer.render(plot, &painter, QRectF(QPointF(0, 0), size));
    painter.end();
    return image.save(path, format.constData());
}

#include "PlotImageWriter.h"

#include "FileBytes.h"
#include "PngEncoder.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <qwt_plot.h>
#include <qwt_plot_renderer.h>

#include <new>

bool PlotImageWriter::write(QwtPlot* plot, const QString& path, const QSize& size)
{
    if (size.isEmpty())
        return false;
    const QByteArray suffix = QFileInfo(path).suffix().toLower().toLatin1();
    // Asking Qt for its formats loads every image plug-in; PNG needs none of them.
    const bool known = suffix == "svg" || suffix == "pdf" || suffix == "png";
    if (!known && !QImageWriter::supportedImageFormats().contains(suffix))
        return false;
    // A large picture held twice, drawn and encoded, may not fit in memory: that is a
    // picture not written, not the end of the program.
    try {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        bool drawn = false;
        if (suffix == "svg")
            drawn = writeSvg(plot, buffer, size);
        else if (suffix == "pdf")
            drawn = writePdf(plot, buffer, size);
        else
            drawn = writeRaster(plot, buffer, size, suffix);
        buffer.close();
        return drawn && writeFile(path, bytes);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool PlotImageWriter::writeSvg(QwtPlot* plot, QIODevice& device, const QSize& size)
{
    QSvgGenerator generator;
    generator.setOutputDevice(&device);
    generator.setSize(size);
    // At the CSS resolution a viewer shows the picture at exactly `size` pixels.
    generator.setResolution(96);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    QwtPlotRenderer renderer;
    QPainter painter;
    if (!painter.begin(&generator))
        return false;
    renderer.render(plot, &painter, QRectF(QPointF(0, 0), size));
    return painter.end();
}

bool PlotImageWriter::writePdf(QwtPlot* plot, QIODevice& device, const QSize& size)
{
    // One point per pixel, so the page has the requested proportions and nothing is scaled.
    QPdfWriter writer(&device);
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

bool PlotImageWriter::writeRaster(QwtPlot* plot, QIODevice& device, const QSize& size, const QByteArray& format)
{
    // Opaque: the picture starts white, and the painter's fastest target has no alpha.
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return false;
    image.fill(Qt::white);
    QwtPlotRenderer renderer;
    QPainter painter(&image);
    renderer.render(plot, &painter, QRectF(QPointF(0, 0), size));
    painter.end();
    if (format == "png")
        return PngEncoder::encode(image, device);
    return image.save(&device, format.constData());
}

bool PlotImageWriter::writeFile(const QString& path, const QByteArray& bytes)
{
    return writeFileBytes(path, bytes.constData(), bytes.size());
}

#include "PlotOutput.h"

#include "CurveExporter.h"
#include "CurveStore.h"
#include "FileReplacement.h"
#include "PlotImageWriter.h"
#include "PlotLog.h"
#include "Prompt.h"

#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QPaintEngine>
#include <QPixmap>
#include <QPrinter>
#include <QRegularExpression>

#include <qwt_plot.h>
#include <qwt_plot_renderer.h>

namespace {

const char* const kSaveFilters[] = {
    "BMP Windows bitmap (*.bmp)",
    "JPG Joint Photographic Experts Group (*.jpg)",
    "PNG Portable Network Graphics (*.png)",
    "SVG Scalable Vector Graphics (*.svg)",
    "PDF Portable Document Format (*.pdf)",
    "TXT raw data (*.txt)",
    "CSV comma separated values (*.csv)",
    "XLSX Excel workbook (*.xlsx)",
};

// The suffix a filter names, such as ".png" of "PNG ... (*.png)".
QString filterSuffix(const QString& filter)
{
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("\\(\\*(\\.[^ )]+)\\)")).match(filter);
    return match.hasMatch() ? match.captured(1) : QString();
}

// The preview draws its pages onto pictures, also for a printer that will print into a file:
// only the real print writes the file.
bool printsToFile(const QPrinter& printer)
{
    return printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()
        && printer.paintEngine()->type() != QPaintEngine::Picture;
}

// The PDF printer reports no failed write, and the line that ends the file is its last.
bool pdfComplete(const QString& name)
{
    QFile file(name);
    const qint64 tail = 16;
    if (!file.open(QIODevice::ReadOnly) || !file.seek(qMax<qint64>(file.size() - tail, 0)))
        return false;
    return file.read(tail).trimmed().endsWith("%%EOF");
}

} // namespace

PlotOutput::PlotOutput(QWidget* dialogParent, QwtPlot* plot, const CurveStore& store, CurveExporter& exporter,
                       PlotLog& log, const std::unique_ptr<Prompt>& prompter)
    : dialogParent(dialogParent)
    , plot(plot)
    , store(store)
    , exporter(exporter)
    , log(log)
    , prompter(prompter)
{
}

void PlotOutput::print()
{
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer);
    prompter->printPreview(&printer, dialogParent, [this](QPrinter* page) { paintRequested(page); });
}

void PlotOutput::preparePrinter(QPrinter& printer) const
{
    const QString title = plot->title().text();
    if (!title.isEmpty())
        printer.setDocName(QString(title).replace(QLatin1Char('\n'), tr(" -- ")));
    printer.setCreator(QStringLiteral("Toolwerk"));
    printer.setPageOrientation(QPageLayout::Landscape);
}

bool PlotOutput::paintRequested(QPrinter* printer)
{
    if (printsToFile(*printer))
        return printToFile(*printer);
    paintPage(*printer);
    return true;
}

// Into a temporary beside the file, moved over it only when the page is complete, so that a
// print that fails leaves the file as it was and says why.
bool PlotOutput::printToFile(QPrinter& printer)
{
    const QString name = printer.outputFileName();
    FileReplacement file(name);
    QString error;
    if (!file.create(error))
        return refuse(name, error);
    printer.setOutputFileName(file.temporaryName());
    paintPage(printer);
    printer.setOutputFileName(name);
    if (!pdfComplete(file.temporaryName()))
        return refuse(name, tr("the page could not be printed into it"));
    if (!file.commit(error))
        return refuse(name, error);
    return true;
}

void PlotOutput::paintPage(QPrinter& printer)
{
    const QBrush canvas = plot->canvasBackground();
    plot->setCanvasBackground(QBrush(Qt::white, Qt::SolidPattern));
    plot->replot();
    QwtPlotRenderer renderer;
    if (printer.colorMode() == QPrinter::GrayScale) {
        renderer.setDiscardFlag(QwtPlotRenderer::DiscardCanvasBackground);
        renderer.setLayoutFlag(QwtPlotRenderer::FrameWithScales);
    }
    renderer.renderTo(plot, printer);
    plot->setCanvasBackground(QBrush(canvas.color(), Qt::SolidPattern));
    plot->replot();
}

void PlotOutput::saveBitmap()
{
    QStringList filters;
    for (const char* filter : kSaveFilters)
        filters << QLatin1String(filter);
    // A picture of the plot is what most saves are for.
    QString chosen = filters.filter(QStringLiteral("(*.png)")).value(0);
    QString name = prompter->saveFileNameWithFilter(dialogParent, tr("SAVE PLOT"), QStringLiteral("./"),
                                                    filters.join(QStringLiteral(";;")), &chosen);
    if (name.isEmpty())
        return;
    // A name typed without a suffix takes the one of the filter chosen.
    if (QFileInfo(name).suffix().isEmpty())
        name += filterSuffix(chosen);
    save(name);
}

// Data names go to the exporters, which say themselves when they fail; pictures by suffix.
bool PlotOutput::save(const QString& name)
{
    if (name.endsWith(QLatin1String(".txt")) || name.endsWith(QLatin1String(".csv"))
        || name.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive))
        return exporter.writeTable(name) || warn(name, tr("the table could not be written"));
    if (name.endsWith(QLatin1String(".wav"))) {
        if (!store.current())
            return refuse(name, tr("there is no current curve to write as sound"));
        return exporter.writeWav(name, store.currentId()) || warn(name, tr("the sound file could not be written"));
    }
    if (name.endsWith(QLatin1String(".svg")) || name.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) {
        return PlotImageWriter::write(plot, name, QSize(1024, 768)) || refuse(name, tr("the file could not be written"));
    }
    return saveImage(name);
}

// Bitmaps are the plot as the screen shows it.
bool PlotOutput::saveImage(const QString& name)
{
    const QByteArray format = QFileInfo(name).suffix().toLower().toLatin1();
    if (format.isEmpty() || !QImageWriter::supportedImageFormats().contains(format))
        return refuse(name, tr("Kurvo writes .bmp, .jpg, .png, .svg, .pdf, .txt, .csv, .xlsx and .wav files"));
    if (!plot->grab().save(name))
        return refuse(name, tr("the picture could not be written"));
    return true;
}

bool PlotOutput::refuse(const QString& name, const QString& reason)
{
    log.line(QStringLiteral("Kurvo: Can't write file %1: %2").arg(name, reason));
    return warn(name, reason);
}

// The exporters have logged their failure already.
bool PlotOutput::warn(const QString& name, const QString& reason)
{
    prompter->warning(dialogParent, tr("SAVE ERROR"), tr("%1: %2").arg(name, reason));
    return false;
}

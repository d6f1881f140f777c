#include "LogCollector.h"
#include "PlotImageWriter.h"
#include "PlotServerFixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <qwt_plot.h>
#include <qwt_plot_curve.h>
#include <qwt_symbol.h>
#include <qwt_text.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

class PlotOutputTest : public PlotServerFixture<>
{
protected:
    PlotOutputTest()
    {
        server.setLogCallback(LogCollector::collect);
        LogCollector::lines().clear();
        server.resize(800, 600);
        const std::vector<double> x = {0, 1, 2, 3};
        const std::vector<double> y = {0, 3, 1, 2};
        server.createPlot(-1, "f(y)", 4, x.data(), y.data(), false, 0);
    }

    QByteArray contents(const QString& name) const
    {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The first page of a PDF as pixels, through a real PDF reader; null without one.
    QImage firstPage(const QString& pdf) const
    {
        QProcess raster;
        raster.start("pdftoppm", {"-png", "-r", "30", "-singlefile", pdf, dir.filePath("page")});
        if (!raster.waitForFinished(30000) || raster.exitCode() != 0)
            return QImage();
        return QImage(dir.filePath("page.png"));
    }

    QTemporaryDir dir;
};

int colouredPixels(const QImage& image, const QColor& like)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - like.red()) < 40 && std::abs(c.green() - like.green()) < 40
                && std::abs(c.blue() - like.blue()) < 40)
                ++count;
        }
    }
    return count;
}

TEST_F(PlotOutputTest, PrintPreviewNamesTheDocumentByItsTitle)
{
    server.setTitle("first\nsecond");
    server.print();
    ASSERT_EQ(prompt->previewedDocuments, QStringList{"first -- second"});
    EXPECT_EQ(prompt->calls.back().label, "Toolwerk");
}

// Colour pages show the canvas white, greyscale pages keep no colour at all; the canvas
// colour comes back afterwards.
TEST_F(PlotOutputTest, ColourAndGreyscalePages)
{
    server.plot()->setCanvasBackground(QBrush(Qt::red));
    QPrinter colour(QPrinter::HighResolution);
    colour.setOutputFormat(QPrinter::PdfFormat);
    colour.setOutputFileName(dir.filePath("colour.pdf"));
    server.paintRequestedSlot(&colour);
    EXPECT_EQ(server.canvasColor(), QColor(Qt::red));

    QPrinter grey(QPrinter::HighResolution);
    grey.setOutputFormat(QPrinter::PdfFormat);
    grey.setColorMode(QPrinter::GrayScale);
    grey.setOutputFileName(dir.filePath("grey.pdf"));
    server.paintRequestedSlot(&grey);
    EXPECT_EQ(server.canvasColor(), QColor(Qt::red));

    const QImage colourPage = firstPage(dir.filePath("colour.pdf"));
    if (colourPage.isNull())
        GTEST_SKIP() << "pdftoppm is not there to look at the pages";
    EXPECT_EQ(colouredPixels(colourPage, Qt::red), 0);
    EXPECT_GT(colouredPixels(colourPage, Qt::darkRed), 0);
    const QImage greyPage = firstPage(dir.filePath("grey.pdf"));
    EXPECT_EQ(colouredPixels(greyPage, Qt::red), 0);
    EXPECT_EQ(colouredPixels(greyPage, Qt::darkRed), 0);
}

TEST_F(PlotOutputTest, SaveDialogDispatchesBySuffix)
{
    prompt->answers = {dir.filePath("plot.PNG"), dir.filePath("plot.csv"), dir.filePath("x.wav"),
                       dir.filePath("plot.svg"), dir.filePath("plot.pdf")};
    for (int i = 0; i < 5; ++i)
        server.saveBitmap();
    ASSERT_EQ(prompt->calls[0].title, "SAVE PLOT");
    EXPECT_EQ(prompt->calls[0].dir, "./");
    EXPECT_EQ(prompt->calls[0].choices.size(), 8);
    EXPECT_EQ(prompt->calls[0].choices[3], "SVG Scalable Vector Graphics (*.svg)");
    EXPECT_EQ(prompt->calls[0].choices[4], "PDF Portable Document Format (*.pdf)");
    EXPECT_EQ(prompt->calls[0].choices[6], "CSV comma separated values (*.csv)");
    EXPECT_EQ(prompt->calls[0].choices[7], "XLSX Excel workbook (*.xlsx)");

    EXPECT_FALSE(QImage(dir.filePath("plot.PNG"), "PNG").isNull());
    EXPECT_EQ(contents("plot.csv"), "0,0\n1,3\n2,1\n3,2\n");
    EXPECT_TRUE(contents("x.wav").startsWith("RIFF"));
    QSvgRenderer svg(dir.filePath("plot.svg"));
    EXPECT_EQ(svg.viewBoxF(), QRectF(0, 0, 1024, 768));
    EXPECT_TRUE(contents("plot.pdf").startsWith("%PDF"));
    EXPECT_EQ(prompt->count("warning"), 0);
}

TEST_F(PlotOutputTest, NameWithoutSuffixTakesTheChosenFilters)
{
    prompt->chosenSaveFilter = "JPG Joint Photographic Experts Group (*.jpg)";
    prompt->answers = {dir.filePath("plot")};
    server.saveBitmap();
    EXPECT_FALSE(QImage(dir.filePath("plot.jpg"), "JPG").isNull());
}

TEST_F(PlotOutputTest, FailedSavesSayWhy)
{
    prompt->answers = {dir.filePath("none/plot.png"), dir.filePath("plot.xyz"), dir.filePath("none/t.csv")};
    server.saveBitmap();
    server.saveBitmap();
    server.saveBitmap();
    ASSERT_EQ(prompt->count("warning"), 3);
    EXPECT_EQ(prompt->calls[1].title, "SAVE ERROR");
    EXPECT_TRUE(prompt->calls[1].label.startsWith(dir.filePath("none/plot.png")));
    EXPECT_TRUE(prompt->calls[3].label.contains(".bmp, .jpg, .png, .svg, .pdf, .txt, .csv, .xlsx and .wav"));
    EXPECT_EQ(LogCollector::lines().filter("Kurvo: Can't write file").size(), 3);
}

// What a PDF reader complains of while reading every page of `pdf`; "" when it reads cleanly.
std::string pdfComplaints(const QString& pdf)
{
    std::string complaints;
    for (const QStringList& command : {QStringList{"pdftotext", pdf, "-"}, QStringList{"pdfinfo", pdf}}) {
        QProcess reader;
        reader.start(command[0], command.mid(1));
        if (!reader.waitForFinished(30000) || reader.exitCode() != 0)
            complaints += command[0].toStdString() + " failed. ";
        complaints += reader.readAllStandardError().toStdString();
    }
    return complaints;
}

// Missing, infinite and huge values, in x and in y, zoomed so that the huge ones lie far off
// the canvas, in every style with symbols: the SVG holds no "nan" or "inf", and a PDF reader
// reads the pictures and the printed page without a complaint.
TEST_F(PlotOutputTest, PicturesOfAnyDataAreValid)
{
    const double inf = std::numeric_limits<double>::infinity();
    std::vector<double> x;
    std::vector<double> y;
    for (int i = 0; i < 40; ++i) {
        x.push_back(i * 0.25);
        y.push_back(std::sin(i));
    }
    const std::vector<std::pair<double, double>> wild = {{1, NAN},    {2, inf},   {3, -inf},  {4, 1e300},
                                                         {5, -1e300}, {6, 1e10},  {7, -1e15}, {NAN, 1},
                                                         {inf, 1},    {1e300, 2}, {-inf, 0},  {8, 1e-300}};
    for (std::size_t i = 0; i < wild.size(); ++i) {
        x[3 * i + 1] = wild[i].first;
        y[3 * i + 1] = wild[i].second;
    }
    server.createPlot(-1, "wild", unsigned(x.size()), x.data(), y.data(), false, 0);
    server.plot()->setAxisScale(QwtPlot::xBottom, 0, 10);
    server.plot()->setAxisScale(QwtPlot::yLeft, -2, 2);
    const bool readers = !QStandardPaths::findExecutable("pdftotext").isEmpty()
        && !QStandardPaths::findExecutable("pdfinfo").isEmpty();
    const QRegularExpression number("\\b(nan|inf)\\b", QRegularExpression::CaseInsensitiveOption);
    for (auto style : {QwtPlotCurve::Lines, QwtPlotCurve::Sticks, QwtPlotCurve::Steps, QwtPlotCurve::Dots}) {
        QwtPlotCurve* curve = server.record(1)->curve;
        curve->setStyle(style);
        curve->setSymbol(new QwtSymbol(QwtSymbol::Rect, Qt::black, QPen(Qt::black), QSize(7, 7)));
        const QString name = QStringLiteral("style%1").arg(int(style));
        ASSERT_TRUE(PlotImageWriter::write(server.plot(), dir.filePath(name + ".svg"), QSize(640, 480)));
        ASSERT_TRUE(PlotImageWriter::write(server.plot(), dir.filePath(name + ".pdf"), QSize(640, 480)));
        EXPECT_FALSE(QString::fromUtf8(contents(name + ".svg")).contains(number)) << name.toStdString();
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(name + "-print.pdf"));
        server.paintRequestedSlot(&printer);
        if (!readers)
            continue;
        EXPECT_EQ(pdfComplaints(dir.filePath(name + ".pdf")), "") << name.toStdString();
        EXPECT_EQ(pdfComplaints(dir.filePath(name + "-print.pdf")), "") << name.toStdString();
    }
    if (!readers)
        GTEST_SKIP() << "pdftotext and pdfinfo are not there to read the PDF files";
}

// A print into a file goes through a temporary beside it: a file that cannot be replaced
// keeps what it held and the user is told why; one that can holds the whole page.
TEST_F(PlotOutputTest, PrintIntoAFileReplacesItOnlyWhenComplete)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.pdf"));
    for (const char* name : {"readonly.pdf", "old.pdf"}) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("old");
    }
    QFile::setPermissions(dir.filePath("readonly.pdf"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    const struct {
        const char* name;
        const char* reason;
    } refused[] = {{"folder.pdf", "it is a folder"}, {"readonly.pdf", "it is read-only"}};
    for (const auto& row : refused) {
        prompt->printToFile = dir.filePath(row.name);
        server.print();
        EXPECT_EQ(prompt->calls.back().title, "SAVE ERROR");
        EXPECT_EQ(prompt->calls.back().label, prompt->printToFile + ": " + row.reason);
        EXPECT_EQ(LogCollector::lines().back(), "Kurvo: Can't write file " + prompt->printToFile + ": " + row.reason);
    }
    EXPECT_EQ(contents("readonly.pdf"), "old");

    prompt->printToFile = dir.filePath("old.pdf");
    server.print();
    EXPECT_EQ(prompt->count("warning"), 2);
    EXPECT_TRUE(contents("old.pdf").startsWith("%PDF"));
    EXPECT_TRUE(contents("old.pdf").trimmed().endsWith("%%EOF"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              (QStringList{"folder.pdf", "old.pdf", "readonly.pdf"}));
}

TEST_F(PlotOutputTest, DroppedFilesLoadInOrderAfterOneQuestion)
{
    QFile first(dir.filePath("first.csv"));
    ASSERT_TRUE(first.open(QIODevice::WriteOnly));
    first.write("0;1\n1;2\n");
    first.close();
    QFile second(dir.filePath("second.txt"));
    ASSERT_TRUE(second.open(QIODevice::WriteOnly));
    second.write("0 5\n1 6\n");
    second.close();

    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(first.fileName()), QUrl::fromLocalFile(dir.path()),
                  QUrl::fromLocalFile(second.fileName())});
    prompt->answers = {QString("Original Data")};
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&server, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&server, &drop);

    EXPECT_EQ(prompt->count("item"), 1);
    ASSERT_NE(server.record(1), nullptr);
    ASSERT_NE(server.record(2), nullptr);
    EXPECT_EQ(server.record(1)->curve->title().text(), "first.1");
    EXPECT_EQ(server.record(2)->curve->title().text(), "second.2");
    EXPECT_EQ(LogCollector::lines().filter("is no data file").size(), 1);
}

} // namespace

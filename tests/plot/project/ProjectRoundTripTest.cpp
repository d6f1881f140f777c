#include "CurveStore.h"
#include "PeakPanel.h"
#include "PlotServerFixture.h"
#include "PlotServerUi.h"
#include "ProjectCapture.h"
#include "ProjectFiles.h"
#include "ProjectJson.h"
#include "ProjectState.h"
#include "QStringPrinter.h"
#include "ScriptFile.h"
#include "ScriptRun.h"
#include "UndoStore.h"
#include "Zoomer.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QImage>
#include <QListWidget>
#include <QPainter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>

#include <qwt_plot.h>
#include <qwt_plot_curve.h>
#include <qwt_plot_renderer.h>

#include <cstring>

namespace {

const QString kExamples = QStringLiteral(KURVO_EXAMPLES_DIR "/");
const QSize kPicture(900, 640);

// As the window shows it, once the layout and the redraws it queued have run.
QImage picture(PlotServer& server)
{
    server.show();
    QCoreApplication::processEvents();
    QImage image(kPicture, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QwtPlotRenderer().render(server.plot(), &painter, QRectF(QPointF(0, 0), kPicture));
    return image;
}

bool sameBits(const QVector<double>& a, const QVector<double>& b)
{
    return a.size() == b.size() && std::memcmp(a.constData(), b.constData(), std::size_t(a.size()) * 8) == 0;
}

// A second plot, set up as the first, for the project to open into.
struct OtherPlot {
    OtherPlot()
    {
        server.setPrompt(std::make_unique<ScriptedPrompt>());
        server.begin("Kurvo", "X", "Y", "");
        server.resize(kPicture);
    }
    PlotServer server;
};

class ProjectRoundTripTest : public PlotServerFixture<>
{
protected:
    ProjectRoundTripTest() { server.resize(kPicture); }

    // A plot worked on as a user works on one: a script's curve, tables and a sound file,
    // every curve restyled, titles, axes, calibration, the peak detector and a zoom.
    void workOn()
    {
        QString text;
        QString error;
        ASSERT_TRUE(ScriptFile::load(kExamples + "damped-oscillation.ms", text, error));
        const ScriptResult run = runScript(text);
        server.createEvenPlot(-1, QStringLiteral("f(y)"), run.x.start, run.x.step, run.yValues, 0);
        server.loadDataFile(-1, kExamples + "scope-export.csv", QStringLiteral("scope"), false);
        server.loadDataFile(-1, kExamples + "chord.wav", QStringLiteral("chord"), false);
        const double x[] = {0, 1, 2, 3};
        const double y[] = {1, -2, 4, 8};
        server.createPlot(9, QStringLiteral("right"), 4, x, y, false, 1);
        server.createPlot(12, QStringLiteral("gone"), 4, x, y, false, 0);
        server.deletePlot(12);

        server.selectCurve(0);
        prompt->answers = {QStringLiteral("renamed"), QColor(10, 20, 30, 200), 4};
        server.renameSlot();
        server.colorSlot();
        server.widthSlot();
        server.lineDashDotSlot();
        server.setCurveSymbol(QwtSymbol::Diamond, Qt::green, Qt::red, 9);
        server.selectCurve(9);
        server.aliasingSlot();
        server.setCurveSymbol(QwtSymbol::Star2, Qt::blue, Qt::yellow, 4);
        server.NoSymbolSlot();
        server.controls().stylesCB->setCurrentIndex(2);
        server.selectCurve(1);
        server.setPlotStyle(3);

        server.setTitle(QStringLiteral("Bench µV"));
        server.setXTitle(QStringLiteral("t [s]"));
        server.setYTitle(QStringLiteral("U"));
        prompt->answers = {QColor(250, 240, 200)};
        server.changeBackgroundColor();
        server.controls().logYCB->setChecked(true);
        server.logYaxysSlot(true);
        server.setHorCalibration(48000);
        server.controls().unitsCB->setCurrentIndex(5);
        server.controls().windowingCB->setCurrentIndex(7);

        const PlotServerUi& ui = server.controls();
        ui.deltaSB->setValue(0.25);
        ui.thresholdSB->setValue(0.01);
        ui.minimumCB->setChecked(true);
        ui.foundPeaks->setCurrentIndex(1);
        ui.peakTB->setChecked(true);
        server.peakSlot(true);
        ui.showMenuTB->setChecked(true);
        server.toolShow(true);
        ui.plotStatTB->setChecked(true);
        server.panelSwitch(true);
        server.setHorizStart(-1000);
        server.setVertiHigh(3.5);
        server.selectCurve(0);
        server.bottomLeftZoomer()->zoom(QRectF(QPointF(1000, 0.01), QPointF(30000, 2)));
        server.evaluateSlot();
        ASSERT_GT(ui.negativePeaks->count(), 0);
        server.negItemClickedSlot(ui.negativePeaks->item(0));
    }

    QTemporaryDir folder;
};

// Opened into a plot that shows something else, the project replaces all of it.
TEST_F(ProjectRoundTripTest, ReopenedTheSameCurvesBitForBitEverySettingAndTheSamePicture)
{
    workOn();
    const QString path = folder.filePath(QStringLiteral("work.kurvo"));
    QString error;
    ASSERT_TRUE(ProjectFiles(server).save(path, QStringLiteral("iterate 5\nexpr = x^2\n"), error))
        << error.toStdString();

    OtherPlot other;
    PlotServer& opened = other.server;
    const double x[] = {5, 6};
    opened.createPlot(-1, QStringLiteral("before"), 2, x, x, false, 0);
    opened.setTitle(QStringLiteral("before"));
    opened.applyDB();
    ASSERT_EQ(opened.undoFiles().counter(), 1);
    QString script;
    ASSERT_TRUE(ProjectFiles(opened).open(path, script, error)) << error.toStdString();
    EXPECT_EQ(opened.undoFiles().counter(), 0) << "no step of the curves the project replaced";

    EXPECT_EQ(script, QStringLiteral("iterate 5\nexpr = x^2\n"));
    const ProjectState was = ProjectCapture::of(server);
    const ProjectState is = ProjectCapture::of(opened);
    EXPECT_EQ(QString::fromUtf8(ProjectJson::describe(is)), QString::fromUtf8(ProjectJson::describe(was)));
    ASSERT_EQ(is.curves.size(), was.curves.size());
    EXPECT_GE(was.curves.size(), 5u);
    for (std::size_t i = 0; i < was.curves.size(); ++i) {
        EXPECT_TRUE(sameBits(is.curves[i].x, was.curves[i].x)) << i;
        EXPECT_TRUE(sameBits(is.curves[i].y, was.curves[i].y)) << i;
    }
    EXPECT_EQ(opened.record(3)->sampleRate, server.record(3)->sampleRate);
    EXPECT_GT(server.record(3)->sampleRate, 0);
    EXPECT_EQ(opened.peakPanel().entries(false), server.peakPanel().entries(false));
    EXPECT_TRUE(picture(opened) == picture(server));
}

TEST_F(ProjectRoundTripTest, DatesAsXComeBackAsDates)
{
    server.loadDataFile(-1, kExamples + "daily-temperature.csv", QStringLiteral("temperature"), false);
    const QString path = folder.filePath(QStringLiteral("dates.kurvo"));
    QString error;
    ASSERT_TRUE(ProjectFiles(server).save(path, QString(), error));
    OtherPlot other;
    QString script;
    ASSERT_TRUE(ProjectFiles(other.server).open(path, script, error));
    EXPECT_TRUE(other.server.record(0)->xIsTime);
    EXPECT_TRUE(other.server.controls().horStartSB->timeMode());
    EXPECT_TRUE(picture(other.server) == picture(server));
}

TEST_F(ProjectRoundTripTest, AProjectThePanelCannotShowChangesNothing)
{
    const double x[] = {1, 2, 3};
    server.createPlot(-1, QStringLiteral("kept"), 3, x, x, false, 0);
    const QByteArray before = ProjectJson::describe(ProjectCapture::of(server));
    ProjectState state;
    state.unit = QStringLiteral("parsec");
    QString error;
    EXPECT_FALSE(ProjectFiles(server).show(state, QStringLiteral("odd.kurvo"), error));
    EXPECT_EQ(error, QStringLiteral("Kurvo: odd.kurvo is not a Kurvo project (calibration.unit is \"parsec\", which "
                                    "the Range tab does not list)"));
    EXPECT_EQ(ProjectJson::describe(ProjectCapture::of(server)), before);
}

TEST_F(ProjectRoundTripTest, ChangedMeansDifferentFromTheProjectLastSavedOrOpened)
{
    ProjectFiles files(server);
    const QString path = folder.filePath(QStringLiteral("c.kurvo"));
    QString error;
    EXPECT_FALSE(files.changedSince(QString()));
    const double x[] = {1, 2, 3};
    server.createPlot(-1, QStringLiteral("a"), 3, x, x, false, 0);
    ASSERT_TRUE(files.save(path, QStringLiteral("s"), error));
    EXPECT_FALSE(files.changedSince(QStringLiteral("s")));
    EXPECT_TRUE(files.changedSince(QStringLiteral("s2")));
    server.applyAbs();
    EXPECT_TRUE(files.changedSince(QStringLiteral("s")));
    QString script;
    ASSERT_TRUE(files.open(path, script, error));
    EXPECT_FALSE(files.changedSince(script));
    server.setTitle(QStringLiteral("new"));
    EXPECT_TRUE(files.changedSince(script));
}

} // namespace

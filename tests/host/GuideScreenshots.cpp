#include "Kurvo.h"
#include "ScriptedPrompt.h"
#include "Startup.h"
#include "vxKurvo.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QRegularExpression>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <qwt_legend.h>
#include <qwt_plot.h>

#include <algorithm>
#include <memory>

// Takes the pictures of docs/guide.md from the real window, step by step as the guide tells
// them. With KURVO_GUIDE_IMAGES naming a folder (`make docs`) the pictures go there; otherwise
// into a temporary folder, and the test only checks that each was made and shows something.
namespace {

// Every picture has the same size and font, so a change of the program, not of the machine
// that ran it, is what changes a picture.
const QSize kWindowSize(1100, 760);
// A palette of this many colours keeps each picture small; the window's flat greys and the
// curve colours need no more.
const int kPaletteColours = 64;

class GuideScreenshots : public ::testing::Test
{
protected:
    GuideScreenshots()
    {
        previousFolder = QDir::currentPath();
        QDir::setCurrent(work.path());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, work.path());
        QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
        const QString target = qEnvironmentVariable("KURVO_GUIDE_IMAGES");
        output = target.isEmpty() ? scratch.path() : QDir(previousFolder).absoluteFilePath(target);
        QDir().mkpath(output);
    }
    ~GuideScreenshots() override { QDir::setCurrent(previousFolder); }

    std::unique_ptr<Kurvo> newWindow()
    {
        auto window = std::make_unique<Kurvo>();
        auto scripted = std::make_unique<ScriptedPrompt>();
        prompt = scripted.get();
        window->setPrompt(std::move(scripted));
        window->resize(kWindowSize);
        window->show();
        settle();
        return window;
    }

    static void settle()
    {
        for (int round = 0; round < 3; ++round)
            QCoreApplication::processEvents();
    }

    static QString example(const char* name)
    {
        return QStringLiteral(KURVO_EXAMPLES_DIR "/") + QLatin1String(name);
    }

    template <typename T>
    static T* child(QWidget& window, const char* name)
    {
        T* found = window.findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    static void click(QWidget& window, const char* button)
    {
        if (auto* found = child<QAbstractButton>(window, button))
            QTest::mouseClick(found, Qt::LeftButton);
        settle();
    }

    static void showToolTab(QWidget& window, const char* page)
    {
        // The tabs are built as they are first shown.
        auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("plotTab"));
        if (!tabs || !tabs->isVisible())
            click(window, "showMenuTB");
        tabs = child<QTabWidget>(window, "plotTab");
        tabs->setCurrentWidget(child<QWidget>(*tabs, page));
        settle();
    }

    void runScript(Kurvo& window, const char* exampleName)
    {
        window.openScript(example(exampleName));
        click(window, "runPB");
    }

    // Saves the picture and checks it: the window's size, and more than a blank page of colours.
    void save(const QImage& picture, const char* name)
    {
        const QImage small =
            picture.convertToFormat(QImage::Format_ARGB32).convertToFormat(QImage::Format_Indexed8, palette(picture),
                                                                            Qt::ThresholdDither);
        const QString path = QDir(output).filePath(QLatin1String(name) + QStringLiteral(".png"));
        ASSERT_TRUE(small.save(path)) << path.toStdString();
        EXPECT_EQ(QImage(path).size(), kWindowSize) << name;
        EXPECT_GT(QImage(path).colorCount(), 8) << name;
        EXPECT_LT(QFileInfo(path).size(), 80 * 1024) << name;
    }

    // The menu just above the legend entry it belongs to, with its Export submenu open beside it.
    static void drawMenu(QImage& picture, QMenu& menu, QPoint entry)
    {
        const QPoint at(std::min(entry.x(), picture.width() - 2 * menu.width()), entry.y() - menu.height());
        const QList<QAction*> actions = menu.actions();
        const auto exportAction = std::find_if(actions.begin(), actions.end(), [](QAction* action) {
            return action->menu() && action->text() == QLatin1String("Export");
        });
        QPainter painter(&picture);
        if (exportAction == actions.end()) {
            ADD_FAILURE() << "The curve menu has no Export submenu";
            painter.drawPixmap(at, menu.grab());
            return;
        }
        menu.setActiveAction(*exportAction);
        painter.drawPixmap(at, menu.grab());
        QMenu* exports = (*exportAction)->menu();
        exports->adjustSize();
        painter.drawPixmap(at + menu.actionGeometry(*exportAction).topRight(), exports->grab());
    }

    // The most frequent colours of the picture, so the greys of the frame stay exact.
    static QVector<QRgb> palette(const QImage& picture)
    {
        const QImage full = picture.convertToFormat(QImage::Format_RGB32);
        QHash<QRgb, int> counts;
        for (int y = 0; y < full.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(full.constScanLine(y));
            for (int x = 0; x < full.width(); ++x)
                ++counts[line[x]];
        }
        QVector<QPair<int, QRgb>> byCount;
        for (auto it = counts.cbegin(); it != counts.cend(); ++it)
            byCount.append({it.value(), it.key()});
        // Colours of equal count go by value, so the same picture always gets the same file.
        std::sort(byCount.begin(), byCount.end(), [](const auto& a, const auto& b) {
            return a.first != b.first ? a.first > b.first : a.second < b.second;
        });
        QVector<QRgb> colours;
        for (int n = 0; n < byCount.size() && n < kPaletteColours; ++n)
            colours.append(byCount[n].second);
        return colours;
    }

    QTemporaryDir work;
    QTemporaryDir scratch;
    QString previousFolder;
    QString output;
    ScriptedPrompt* prompt = nullptr;
};

TEST_F(GuideScreenshots, FirstPlot)
{
    auto window = newWindow();
    window->openScript(example("damped-oscillation.ms"));
    settle();
    save(window->grab().toImage(), "script");

    click(*window, "runPB");
    save(window->grab().toImage(), "first-plot");
}

TEST_F(GuideScreenshots, OpeningData)
{
    auto window = newWindow();
    // As Open loads a data file once "Original Data" is chosen.
    openFiles(*window, {example("ringdown.csv")}, [](vxKurvo& plot, const QString& file) {
        plot.addCurve(-1, file, QFileInfo(file).baseName(), false);
    });
    settle();
    showToolTab(*window, "File");
    click(*window, "plotStatTB");
    save(window->grab().toImage(), "open-data");
}

TEST_F(GuideScreenshots, SpectrumAndPeaks)
{
    auto window = newWindow();
    runScript(*window, "two-tones.ms");
    showToolTab(*window, "Process");
    click(*window, "fftTB");
    showToolTab(*window, "Range");
    child<QDoubleSpinBox>(*window, "horCalibrationSB")->setValue(1000);
    settle();
    save(window->grab().toImage(), "spectrum");

    child<QComboBox>(*window, "unitsCB")->setCurrentText(QStringLiteral("Hz"));
    click(*window, "peakTB");
    child<QDoubleSpinBox>(*window, "deltaSB")->setValue(0.1);
    child<QDoubleSpinBox>(*window, "thresholdSB")->setValue(0.1);
    click(*window, "evalPB");
    save(window->grab().toImage(), "peaks");
}

// The curve menu is a window of its own, so it is drawn over the picture of the window where
// it opened; the picture is taken while the menu waits for a choice, and closing it chooses
// nothing.
TEST_F(GuideScreenshots, CurveMenuForExports)
{
    auto window = newWindow();
    runScript(*window, "damped-oscillation.ms");
    QwtPlot* plot = child<QwtPlot>(*window, "qwtPlot");
    auto* legend = qobject_cast<QwtLegend*>(plot->legend());
    ASSERT_NE(legend, nullptr);
    QwtPlotItem* curve = plot->itemList(QwtPlotItem::Rtti_PlotCurve).front();
    QWidget* entry = legend->legendWidget(plot->itemToInfo(curve));
    ASSERT_NE(entry, nullptr);

    QImage picture;
    QTimer waitForMenu;
    waitForMenu.setInterval(20);
    QObject::connect(&waitForMenu, &QTimer::timeout, [&] {
        QWidget* menu = QApplication::activePopupWidget();
        if (!menu)
            return;
        waitForMenu.stop();
        picture = window->grab().toImage();
        drawMenu(picture, *qobject_cast<QMenu*>(menu), entry->mapTo(window.get(), QPoint(0, 0)));
        menu->close();
    });
    waitForMenu.start();
    QTest::mouseClick(entry, Qt::LeftButton);
    settle();
    ASSERT_FALSE(picture.isNull());
    save(picture, "curve-menu");
}

// The guide shows only pictures that are checked in, and every one of them is taken above.
TEST(GuidePictures, EveryPictureOfTheGuideIsCheckedIn)
{
    QFile guide(QStringLiteral(KURVO_DOCS_DIR "/guide.md"));
    ASSERT_TRUE(guide.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString text = QString::fromUtf8(guide.readAll());
    QStringList shown;
    const QRegularExpression picture(QStringLiteral("\\]\\(images/([^)]+)\\)"));
    QRegularExpressionMatchIterator links = picture.globalMatch(text);
    while (links.hasNext())
        shown << links.next().captured(1);
    shown.sort();
    const QStringList taken = {"curve-menu.png", "first-plot.png", "open-data.png",
                               "peaks.png",      "script.png",     "spectrum.png"};
    EXPECT_EQ(shown, taken);
    for (const QString& name : shown)
        EXPECT_TRUE(QFileInfo::exists(QStringLiteral(KURVO_DOCS_DIR "/images/") + name)) << name.toStdString();
}

} // namespace

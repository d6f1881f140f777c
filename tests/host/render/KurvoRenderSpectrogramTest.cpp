#include "KurvoRenderFixture.h"
#include "SpectralWindow.h"
#include "Spectrogram.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

const double kFs = 8192;
const int kCount = 4096;

// A tone of amplitude 0.5 on 1024 Hz, x in seconds in steps a double holds exactly.
std::vector<double> tone()
{
    std::vector<double> y(kCount);
    for (int n = 0; n < kCount; ++n)
        y[std::size_t(n)] = 0.5 * std::sin(2 * M_PI * 1024 * n / kFs);
    return y;
}

// kurvo-render's spectrogram options, run as a user runs the program.
class KurvoRenderSpectrogramTest : public KurvoRenderFixture
{
protected:
    KurvoRenderSpectrogramTest()
    {
        QByteArray table;
        const std::vector<double> y = tone();
        for (int n = 0; n < kCount; ++n)
            table += exact(n / kFs) + ';' + exact(y[std::size_t(n)]) + '\n';
        write("tone.csv", table);
    }

    Outcome render(QStringList arguments)
    {
        arguments.prepend(path("tone.csv"));
        return KurvoRenderFixture::render(arguments);
    }

    // Pixels of the lightest tenth of viridis, yellow, which neither the plot's colours nor
    // the grey of the widgets come near, down the middle of the picture.
    static int yellowPixels(const QImage& image)
    {
        int count = 0;
        for (int y = 0; y < image.height(); ++y) {
            const QRgb p = image.pixel(image.width() / 2, y);
            count += qRed(p) > 200 && qGreen(p) > 200 && qBlue(p) < 80;
        }
        return count;
    }
};

// Every time, frequency and density as the transform gives it, read back to the same double.
TEST_F(KurvoRenderSpectrogramTest, MatrixWithEveryDigit)
{
    const Outcome run = render({"--spectrogram", "256,75,Blackman", "--spectrogram-out", "m.csv"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    QFile file(path("m.csv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    const std::vector<double> y = tone();
    const Spectrogram expected(y.data(), y.size(), kFs, 256, 75, std::size_t(spectralWindowIndex("Blackman")));
    ASSERT_EQ(expected.segments(), 61u);
    ASSERT_EQ(lines.size(), 63);
    EXPECT_TRUE(lines.back().isEmpty());
    const QList<QByteArray> header = lines[0].split(',');
    ASSERT_EQ(header.size(), 130);
    EXPECT_EQ(header[0], "time");
    EXPECT_EQ(header[1], "0");
    EXPECT_EQ(header[33], "1024");
    EXPECT_EQ(header[129], "4096");
    for (std::size_t i = 0; i < expected.segments(); ++i) {
        const QList<QByteArray> fields = lines[int(i) + 1].split(',');
        ASSERT_EQ(fields.size(), 130) << i;
        EXPECT_EQ(fields[0], exact((i * 64 + 128) / kFs)) << i;
        for (std::size_t k = 0; k < expected.bins(); ++k)
            ASSERT_EQ(fields[int(k) + 1], exact(expected.density(i, k))) << i << ',' << k;
    }
}

// After --spectrogram, -o draws it: the tone as a yellow line across, in the lightest
// colours, which the plot before it has nowhere. A top far above the tone leaves it dark.
TEST_F(KurvoRenderSpectrogramTest, PicturesAfterItShowTheSpectrogram)
{
    const Outcome run = render({"-o", "plot.png", "--spectrogram", "512", "-o", "auto.png", "--db-range", "200,10",
                                "-o", "dark.png", "--size", "400x300"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QImage plot(path("plot.png"));
    const QImage automatic(path("auto.png"));
    const QImage dark(path("dark.png"));
    EXPECT_EQ(automatic.size(), QSize(400, 300));
    EXPECT_EQ(yellowPixels(plot), 0);
    EXPECT_GT(yellowPixels(automatic), 0);
    EXPECT_EQ(yellowPixels(dark), 0);
}

TEST_F(KurvoRenderSpectrogramTest, RefusalsSayWhy)
{
    struct Case {
        QStringList arguments;
        const char* message;
    };
    const Case cases[] = {
        {{"--spectrogram-out", "m.csv"}, "--spectrogram-out m.csv: no --spectrogram comes before it"},
        {{"--spectrogram", "4097"},
         "Spectrogram refused for tone.0: The segment length must be between 2 and the number of points (4096)."},
        {{"--spectrogram", "1"}, "--spectrogram takes L[,OVERLAP[,WINDOW]]"},
        {{"--spectrogram", "256,100"}, "--spectrogram takes L[,OVERLAP[,WINDOW]]"},
        {{"--spectrogram", "256.5"}, "--spectrogram takes L[,OVERLAP[,WINDOW]]"},
        {{"--spectrogram", "256,50,Kaiser"}, "--spectrogram: no window is called Kaiser"},
        {{"--db-range", "0"}, "--db-range takes TOP,RANGE"},
        {{"--db-range", "0,0"}, "--db-range takes TOP,RANGE"},
        {{"--spectrogram", "256", "--spectrogram-out", "missing/m.csv"}, "Can't write file missing/m.csv"},
    };
    for (const Case& c : cases) {
        const Outcome run = render(c.arguments);
        EXPECT_EQ(run.status, 2) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(QLatin1String(c.message))) << run.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(path("m.csv")));
}

TEST_F(KurvoRenderSpectrogramTest, HelpNamesTheOptions)
{
    const Outcome run = render({"--help"});
    EXPECT_EQ(run.status, 0);
    for (const char* option : {"--spectrogram L[,OVERLAP[,WINDOW]]", "--spectrogram-out FILE", "--db-range TOP,RANGE"})
        EXPECT_TRUE(run.out.contains(QLatin1String(option))) << option;
}

} // namespace

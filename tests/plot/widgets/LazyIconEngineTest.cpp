#include "widgets/LazyIconEngine.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString writeIcon(const QTemporaryDir& dir, const QColor& color)
{
    QImage image(24, 16, QImage::Format_ARGB32);
    image.fill(color);
    const QString path = dir.filePath(QStringLiteral("icon.png"));
    EXPECT_TRUE(image.save(path));
    return path;
}

QImage painted(const QIcon& icon, const QSize& size)
{
    QImage canvas(size, QImage::Format_ARGB32);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    icon.paint(&painter, canvas.rect());
    return canvas;
}

TEST(LazyIconEngine, ReadsItsFileOnlyWhenFirstNeeded)
{
    QTemporaryDir dir;
    const QIcon lazy = LazyIconEngine::icon(dir.filePath(QStringLiteral("icon.png")));
    EXPECT_FALSE(lazy.isNull());
    writeIcon(dir, Qt::red);
    EXPECT_EQ(lazy.pixmap(24, 16).toImage().pixel(0, 0), QColor(Qt::red).rgb());
}

TEST(LazyIconEngine, DrawsAndMeasuresAsTheIconReadAtOnce)
{
    QTemporaryDir dir;
    const QString path = writeIcon(dir, Qt::blue);
    const QIcon lazy = LazyIconEngine::icon(path);
    const QIcon direct(path);
    for (const QSize& size : {QSize(24, 16), QSize(48, 48), QSize(10, 30)}) {
        EXPECT_EQ(lazy.actualSize(size), direct.actualSize(size));
        EXPECT_EQ(painted(lazy, size), painted(direct, size));
        EXPECT_EQ(lazy.pixmap(size, QIcon::Disabled).toImage(), direct.pixmap(size, QIcon::Disabled).toImage());
    }
    EXPECT_EQ(lazy.availableSizes(), direct.availableSizes());
}

} // namespace

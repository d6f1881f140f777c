#include "widgets/LazyIconEngine.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QImage painted(const QIcon& icon, const QSize& size)
{
    QImage canvas(size, QImage::Format_ARGB32);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    icon.paint(&painter, canvas.rect());
    return canvas;
}

// The file is written only after the icon is made: the icon reads it when first drawn.
TEST(LazyIconEngine, ReadsItsFileWhenFirstNeededAndDrawsAsTheIconReadAtOnce)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("icon.png"));
    const QIcon lazy = LazyIconEngine::icon(path);
    EXPECT_FALSE(lazy.isNull());
    QImage image(24, 16, QImage::Format_ARGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(path));
    const QIcon direct(path);
    for (const QSize& size : {QSize(24, 16), QSize(48, 48), QSize(10, 30)}) {
        EXPECT_EQ(lazy.actualSize(size), direct.actualSize(size));
        EXPECT_EQ(painted(lazy, size), painted(direct, size));
        EXPECT_EQ(lazy.pixmap(size, QIcon::Disabled).toImage(), direct.pixmap(size, QIcon::Disabled).toImage());
    }
}

} // namespace

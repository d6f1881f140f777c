#include "LazyIconEngine.h"

#include <QCoreApplication>
#include <QPainter>

LazyIconEngine::LazyIconEngine(const QString& fileName)
    : fileName(fileName)
{
}

QIcon LazyIconEngine::icon(const QString& fileName)
{
    return QIcon(new LazyIconEngine(fileName));
}

const QIcon& LazyIconEngine::read() const
{
    if (loaded.isNull())
        loaded = QIcon(fileName);
    return loaded;
}

// As a bitmap icon paints itself: QIcon::paint() has placed `rect` already, and the icon
// read would place it once more, a pixel smaller where sizes round.
void LazyIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state)
{
    const qreal ratio =
        QCoreApplication::testAttribute(Qt::AA_UseHighDpiPixmaps) ? painter->device()->devicePixelRatioF() : 1.0;
    painter->drawPixmap(rect, read().pixmap(rect.size() * ratio, mode, state));
}

QSize LazyIconEngine::actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state)
{
    return read().actualSize(size, mode, state);
}

QPixmap LazyIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state)
{
    return read().pixmap(size, mode, state);
}

QList<QSize> LazyIconEngine::availableSizes(QIcon::Mode mode, QIcon::State state) const
{
    return read().availableSizes(mode, state);
}

QIconEngine* LazyIconEngine::clone() const
{
    return new LazyIconEngine(*this);
}

#pragma once

#include <QIcon>
#include <QIconEngine>

// An icon that reads its file when it is first drawn or measured. The plot widget's buttons
// carry a dozen icons that a plot rendered without ever showing the window never needs, and
// reading one asks every image plug-in, each loaded for the purpose, whether it knows the file.
// Until then the icon counts as not null, as the icon read at once would.
class LazyIconEngine : public QIconEngine
{
public:
    explicit LazyIconEngine(const QString& fileName);

    static QIcon icon(const QString& fileName);

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) const override;
    QIconEngine* clone() const override;

private:
    const QIcon& read() const;

    QString fileName;
    mutable QIcon loaded;
};

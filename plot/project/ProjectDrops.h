#pragma once

#include <QObject>
#include <QStringList>

class QUrl;

// Watches the drops on a plot widget for projects. A drop that holds one is not the plot's to
// load as data: every file of it is handed on, in order, for the host to open each as what it
// is. Any other drop goes on to the plot.
class ProjectDrops : public QObject
{
    Q_OBJECT

public:
    explicit ProjectDrops(QObject* parent = nullptr);

    static bool isProject(const QString& path);

signals:
    void filesDropped(const QStringList& paths);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static QStringList projectDrop(const QList<QUrl>& urls);
};

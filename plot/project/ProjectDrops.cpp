#include "ProjectDrops.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include <algorithm>

ProjectDrops::ProjectDrops(QObject* parent)
    : QObject(parent)
{
}

bool ProjectDrops::isProject(const QString& path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("kurvo"), Qt::CaseInsensitive) == 0;
}

// The local files of a drop among which is a project; empty for any other drop.
QStringList ProjectDrops::projectDrop(const QList<QUrl>& urls)
{
    QStringList paths;
    for (const QUrl& url : urls) {
        if (url.isLocalFile())
            paths << url.toLocalFile();
    }
    if (std::none_of(paths.begin(), paths.end(), isProject))
        paths.clear();
    return paths;
}

bool ProjectDrops::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event);
    const QStringList paths = projectDrop(drop->mimeData()->urls());
    if (paths.isEmpty())
        return false;
    drop->acceptProposedAction();
    emit filesDropped(paths);
    return true;
}

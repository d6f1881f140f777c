#pragma once

#include <QString>

// The private folder of one plot widget's undo files, below the user's cache folder:
// "<cache>/kurvo/undo/<host>/<process>-<widget>". Snapshots hold every sample of the plot, so
// they stay where only the user can read them and never beside the program, which other users
// may share. Both the host's folder and the widget's are made with mode 0700; the widget's is
// made at the first call of `path`, so a widget that never transforms creates nothing, and is
// removed with everything in it when the widget goes. A run that ended without removing its
// folder (a crash, a kill) leaves it behind: every new UndoFolder removes the folders of this
// host whose process is gone. The host is part of the path because a home folder may be
// shared between machines, where a process number says nothing.
class UndoFolder
{
public:
    UndoFolder();
    ~UndoFolder();
    UndoFolder(const UndoFolder&) = delete;
    UndoFolder& operator=(const UndoFolder&) = delete;

    // The folder of the widgets of every process of this host, whether or not it exists.
    static QString root();

    // The widget's own folder; empty, with `reason` set, when no private folder can be made.
    QString path(QString& reason);

private:
    static void removeEnded(const QString& root);
    static bool makeRoot(const QString& root, QString& reason);
    bool makeOwn(const QString& root, QString& reason);

    QString own;
};

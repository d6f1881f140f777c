#pragma once

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <QtGlobal>

// Points XDG_CACHE_HOME at a temporary folder for the object's lifetime, so that what a test
// leaves in the user's cache stays out of the real one. Derive from it before anything that
// reads the cache folder is built.
class TemporaryCacheHome
{
public:
    TemporaryCacheHome()
        : hadCache(qEnvironmentVariableIsSet("XDG_CACHE_HOME"))
        , oldCache(qgetenv("XDG_CACHE_HOME"))
    {
        qputenv("XDG_CACHE_HOME", QFile::encodeName(cacheHome.path()));
    }

    ~TemporaryCacheHome()
    {
        if (hadCache)
            qputenv("XDG_CACHE_HOME", oldCache);
        else
            qunsetenv("XDG_CACHE_HOME");
    }

    TemporaryCacheHome(const TemporaryCacheHome&) = delete;
    TemporaryCacheHome& operator=(const TemporaryCacheHome&) = delete;

protected:
    QTemporaryDir cacheHome;

private:
    bool hadCache;
    QByteArray oldCache;
};

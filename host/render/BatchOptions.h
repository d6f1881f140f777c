#pragma once

#include <QString>
#include <QStringList>

// The options that make kurvo-render treat each input as a plot of its own. They are taken
// off the command line before the rest is read, so each input's own run sees the same
// options as a run of kurvo-render over that input alone would.
struct BatchOptions {
    bool each = false;
    // Inputs run at the same time; 0 for one per core.
    int jobs = 0;
    QString summary;
    QString report;
    // Given to each input's own run: where it leaves its figures (FIGURES.json) and, for the
    // report, its picture (FIGURES.png).
    QString figures;
    bool picture = false;

    // Takes the batch options out of `arguments` into `rest`; false with a one-line reason in
    // `error` on bad usage.
    bool extract(const QStringList& arguments, QStringList& rest, QString& error);

    static QString usage();

private:
    bool takeJobs(const QString& value, QString& error);
};

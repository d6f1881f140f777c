#pragma once

#include <QString>
#include <QStringList>

#include <vector>

struct FitResult;

// The figures of a fit as the results table, the log and kurvo-render give them: every number
// as the shortest text that reads back as the same double.
class FitReport
{
public:
    struct Row {
        QString label;
        QString value;
        // A parameter's standard error; empty for the other figures.
        QString error;
    };

    // The model, each parameter with its standard error, the residual sum of squares, the
    // residual standard deviation, the degrees of freedom, R², the points, the iterations and
    // why the solver stopped.
    static std::vector<Row> rows(const FitResult& result);
    // kurvo-render's lines: param,NAME,VALUE,STDERR for each parameter, then rss, rsd, dof,
    // r2 and iterations, each as NAME,VALUE.
    static QStringList lines(const FitResult& result);
    // A header line and the rows, fields separated by tabs, lines ended by newlines: what a
    // spreadsheet takes when pasted.
    static QString tabSeparated(const std::vector<Row>& rows);
};

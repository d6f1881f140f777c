#include "RenderCurves.h"

#include "CurveRecord.h"
#include "CurveStore.h"
#include "PlotServer.h"
#include "datatable/CurveTableModel.h"
#include "derive/DerivePanel.h"
#include "derive/FilterSpec.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

bool RenderCurves::parseOption(const QStringList& arguments, int& i, RenderOptions& options, bool& taken,
                               QString& error)
{
    using Step = RenderOptions::Step;
    const QString option = arguments[i];
    const Step::Kind kind = option == QLatin1String("--new-curve") ? Step::NewCurve
                            : option == QLatin1String("--filter") ? Step::Filter
                                                                   : Step::Table;
    taken = kind != Step::Table || option == QLatin1String("--table");
    if (!taken)
        return true;
    QString value;
    if (!RenderOptions::takeValue(arguments, i, value, error))
        return false;
    FilterSpec spec;
    if (kind == Step::Filter && !FilterSpec::parse(value, spec, error)) {
        error = QStringLiteral("--filter: %1").arg(error);
        return false;
    }
    options.steps.push_back({kind, value, {}});
    return true;
}

QString RenderCurves::usage()
{
    return QStringLiteral(
        "  --new-curve EXPR     add the curve EXPR computes from the curves, named EXPR: cN (or yN) is\n"
        "                       curve N, x the x of the first curve named (of the current curve when\n"
        "                       none is); other curves are interpolated onto that x, a gap outside\n"
        "                       their range\n"
        "  --filter NAME[,ARG...]\n"
        "                       add a curve made from the current one, named after it and the filter:\n"
        "                       mean,W  median,W (W points)  savgol,W,ORDER  lowpass,F[,ORDER]\n"
        "                       highpass,F[,ORDER]  bandpass,F1,F2[,ORDER] (Butterworth, order 1 to 8,\n"
        "                       default 4, forward and backward; F in Hz at the sampling frequency of\n"
        "                       --sampling)  derivative  integral  resample,STEP  detrend,mean|linear\n"
        "                       The new curve becomes the current one; --undo takes it away\n"
        "  --table FILE         the current curve's points as the data table copies them: index,x,y\n"
        "                       with every digit and dates as dates; tab-separated unless FILE is .csv,\n"
        "                       - for standard output\n");
}

RenderCurves::RenderCurves(PlotServer& server, QTextStream& out)
    : server(server)
    , out(out)
{
}

bool RenderCurves::apply(const RenderOptions::Step& step, QString& error)
{
    if (step.kind == RenderOptions::Step::Table)
        return writeTable(step.text, error);
    DeriveTool& tool = server.derivePanel().tool();
    FilterSpec spec;
    const bool made = step.kind == RenderOptions::Step::NewCurve
                          ? tool.newCurve(step.text)
                          : FilterSpec::parse(step.text, spec, error) && tool.filter(spec);
    if (!made)
        error = tool.lastFailure();
    return made;
}

// The file is replaced only once it is complete.
bool RenderCurves::writeTable(const QString& path, QString& error) const
{
    const CurveStore& store = server.curveStore();
    const CurveRecord* record = store.current();
    if (!record) {
        error = QStringLiteral("--table: there is no current curve");
        return false;
    }
    CurveTableModel table;
    QVector<double> x;
    QVector<double> y;
    store.samples(store.currentId(), x, y);
    table.setCurve(x, y, record->xIsTime);
    if (path == QLatin1String("-")) {
        writeRows(table, QLatin1Char('\t'), out);
        return true;
    }
    const QChar separator = QFileInfo(path).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0
                                ? QLatin1Char(',')
                                : QLatin1Char('\t');
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        QTextStream text(&file);
        writeRows(table, separator, text);
        if (text.status() == QTextStream::Ok && file.commit())
            return true;
    }
    error = QStringLiteral("Can't write file %1: %2").arg(path, file.errorString());
    return false;
}

void RenderCurves::writeRows(const CurveTableModel& table, QChar separator, QTextStream& to)
{
    QStringList header;
    for (int column = 0; column < table.columnCount(); ++column)
        header << table.headerData(column, Qt::Horizontal).toString();
    to << header.join(separator) << '\n';
    for (int row = 0; row < table.rowCount(); ++row)
        to << table.rowText(row, separator) << '\n';
    to.flush();
}

#include "CurveExporter.h"

#include "ColumnFormats.h"
#include "CurveStore.h"
#include "FileBytes.h"
#include "FileReplacement.h"
#include "CurveWorkbook.h"
#include "PlotLog.h"
#include "Prompt.h"
#include "SaveName.h"
#include "WavWriter.h"
#include "XlsxTableWriter.h"

#include <QFile>
#include <QVector>

#include <qwt_plot_curve.h>
#include <qwt_text.h>

#include <algorithm>
#include <cerrno>
#include <new>
#include <vector>

CurveExporter::CurveExporter(QWidget* dialogParent, const CurveStore& store, PlotLog& log,
                             const std::unique_ptr<Prompt>& prompter, const AxesController& axes)
    : dialogParent(dialogParent)
    , store(store)
    , log(log)
    , prompter(prompter)
    , sampleRate(axes)
{
}

void CurveExporter::exportYdata()
{
    askAndWrite(".", "Excel (*.dif);; Text (*.txt)", true);
}

void CurveExporter::exportXdata()
{
    askAndWrite("./libs/data/KURVO/", "Excel (*.dif);; Text (*.txt)", false);
}

void CurveExporter::exportExcel()
{
    askAndWrite("./libs/data/KURVO/", "Excel (*.xls)", false);
}

void CurveExporter::exportWav()
{
    const QString name = ask("./", "Wave (*.wav)");
    if (!name.isEmpty() && !writeWav(name, store.currentId()))
        warn(name);
}

void CurveExporter::askAndWrite(const char* folder, const char* filter, bool useY)
{
    const QString name = ask(folder, filter);
    if (!name.isEmpty() && !writeColumn(name, store.currentId(), useY))
        warn(name);
}

QString CurveExporter::ask(const char* folder, const char* filter)
{
    QString chosen;
    const QString typed = prompter->saveFileNameWithFilter(dialogParent, tr("Save File"), QLatin1String(folder),
                                                           QLatin1String(filter), &chosen);
    return SaveName::of(typed, chosen);
}

void CurveExporter::warn(const QString& name)
{
    prompter->warning(dialogParent, tr("SAVE ERROR"), tr("%1: %2").arg(name, failure));
}

bool CurveExporter::writeColumn(const QString& name, int id, bool useY)
{
    QVector<double> x;
    QVector<double> y;
    failure = tr("no curve is selected");
    if (!store.samples(id, x, y))
        return false;
    const QVector<double>& values = useY ? y : x;
    const std::string title = store.find(id)->curve->title().text().toLocal8Bit().toStdString();
    try {
        if (name.endsWith(QLatin1String(".dif"), Qt::CaseInsensitive))
            return writeBytes(name, difColumn(title, values.constData(), std::size_t(values.size())));
        if (name.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive))
            return writeBytes(name, textColumn(values.constData(), std::size_t(values.size())));
    } catch (const std::bad_alloc&) {
        return cannotWrite(name, tr("not enough memory"));
    }
    if (name.endsWith(QLatin1String(".xls"), Qt::CaseInsensitive))
        return writeWorkbook(name, id);
    failure = tr("not a .dif, .txt or .xls name");
    log.line(QStringLiteral("Kurvo: Not a .dif, .txt or .xls name: %1").arg(name));
    return false;
}

// The x and y values of the curve whatever the menu entry, titled with the curve's name.
bool CurveExporter::writeWorkbook(const QString& name, int id)
{
    QVector<double> x;
    QVector<double> y;
    store.samples(id, x, y);
    const std::string title = store.find(id)->curve->title().text().toStdString();
    int sheets = 0;
    // The workbook library gives no reason of its own; the system's is left in errno.
    errno = 0;
    if (!Xls::writeCurve(QFile::encodeName(name).toStdString(), title, x.constData(), y.constData(),
                         std::size_t(x.size()), sheets))
        return cannotWrite(name, errno != 0 ? qt_error_string(errno) : tr("the workbook could not be written"));
    if (sheets > 1)
        log.line(QStringLiteral("Kurvo: %1 points fill %2 sheets of %3").arg(x.size()).arg(sheets).arg(name));
    return true;
}

// Every stored curve, the lowest identifier setting the number of rows.
bool CurveExporter::writeTable(const QString& name)
{
    std::vector<QVector<double>> held;
    std::vector<TableCurve> curves;
    for (const auto& entry : store.records()) {
        QVector<double> x;
        QVector<double> y;
        store.samples(int(entry.first), x, y);
        curves.push_back({x.constData(), y.constData(), std::size_t(x.size())});
        held.push_back(std::move(x));
        held.push_back(std::move(y));
    }
    if (name.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive))
        return writeXlsx(name, curves);
    try {
        return writeBytes(name, curveTable(curves));
    } catch (const std::bad_alloc&) {
        return cannotWrite(name, tr("not enough memory"));
    }
}

// The table as a workbook: x of the first curve, then every curve's y under its title.
bool CurveExporter::writeXlsx(const QString& name, const std::vector<TableCurve>& curves)
{
    if (curves.empty())
        return cannotWrite(name, tr("there is no curve"));
    std::vector<XlsxTableWriter::Column> columns{{"x", curves.front().x, curves.front().count}};
    for (const auto& entry : store.records())
        columns.push_back({entry.second->curve->title().text().toStdString(), nullptr, 0});
    for (std::size_t j = 0; j < curves.size(); ++j) {
        columns[j + 1].values = curves[j].y;
        columns[j + 1].count = std::min(curves[j].count, curves.front().count);
    }
    FileReplacement file(name);
    QString error;
    if (!file.create(error) || !XlsxTableWriter::write(file.temporaryName(), columns, curves.front().count, error)
        || !file.commit(error))
        return cannotWrite(name, error);
    return true;
}

bool CurveExporter::writeWav(const QString& name, int id)
{
    QVector<double> x;
    QVector<double> y;
    failure = tr("no curve is selected");
    if (!store.samples(id, x, y))
        return false;
    std::size_t clipped = 0;
    QString error;
    if (!::writeWav(name, y.constData(), std::size_t(y.size()), sampleRate.ofTransform(*store.find(id)), clipped,
                    error)) {
        log.line(error);
        failure = error.section(QStringLiteral(": "), -1);
        return false;
    }
    if (clipped > 0)
        log.line(QStringLiteral("Kurvo: %1 samples beyond full scale were clipped").arg(clipped));
    return true;
}

bool CurveExporter::writeBytes(const QString& path, const std::string& bytes)
{
    QString reason;
    return writeFileBytes(path, bytes.data(), qint64(bytes.size()), &reason) || cannotWrite(path, reason);
}

bool CurveExporter::cannotWrite(const QString& path, const QString& reason)
{
    failure = reason;
    log.line(QStringLiteral("Kurvo: Can't write file %1: %2").arg(path, reason));
    return false;
}

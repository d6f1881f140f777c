#include "ReportPage.h"

#include "SummaryTable.h"

#include <QSaveFile>

namespace {

// Rows stay apart from the first section on screen; each input starts a page on paper; a
// phone scrolls wide tables within their box rather than the whole page.
const char* const kStyle = R"(
body { font-family: sans-serif; margin: 0; color: #222; background: #fff; }
header { background: #1f4e79; color: #fff; padding: 0.8em 1em; }
header h1 { margin: 0; font-size: 1.4em; }
main { padding: 0 1em 1em; }
.scroll { overflow-x: auto; }
table { border-collapse: collapse; margin: 0.6em 0; font-size: 0.9em; }
th, td { border: 1px solid #bbb; padding: 0.2em 0.5em; text-align: left; white-space: nowrap; }
th { background: #e8eef5; }
#summary th { cursor: pointer; }
.failed { color: #a00000; }
section { border-top: 2px solid #1f4e79; margin-top: 1.5em; }
img { max-width: 100%; height: auto; display: block; }
.lists { display: flex; flex-wrap: wrap; gap: 1.5em; }
@media (max-width: 600px) { body { font-size: 15px; } main { padding: 0 0.5em; } }
@media print {
  header { background: none; color: #000; }
  .scroll { overflow: visible; }
  section { break-before: page; page-break-before: always; border: none; }
  img { max-height: 60vh; }
}
)";

// A click on a header sorts the rows by that column, numbers by value; a second click
// reverses them.
const char* const kScript = R"(
document.querySelectorAll('#summary th').forEach(function (th, column) {
  th.addEventListener('click', function () {
    var body = th.closest('table').tBodies[0];
    var rows = Array.prototype.slice.call(body.rows);
    var down = th.getAttribute('data-order') !== 'up';
    th.setAttribute('data-order', down ? 'up' : 'down');
    rows.sort(function (a, b) {
      var x = a.cells[column].textContent, y = b.cells[column].textContent;
      var p = parseFloat(x), q = parseFloat(y);
      var order = (isNaN(p) || isNaN(q)) ? x.localeCompare(y) : p - q;
      return down ? order : -order;
    });
    rows.forEach(function (row) { body.appendChild(row); });
  });
});
)";

QString escaped(const QString& text)
{
    return text.toHtmlEscaped();
}

} // namespace

ReportPage::ReportPage(const std::vector<BatchResult>& results)
    : results(results)
{
}

QString ReportPage::summary() const
{
    const SummaryTable table(results);
    QString html = QStringLiteral("<div class=\"scroll\"><table id=\"summary\"><thead><tr>");
    for (const QString& column : table.header())
        html += QStringLiteral("<th>%1</th>").arg(escaped(column));
    html += QStringLiteral("</tr></thead><tbody>\n");
    for (std::size_t i = 0; i < table.rows().size(); ++i) {
        html += results[i].ok ? QStringLiteral("<tr>") : QStringLiteral("<tr class=\"failed\">");
        const QStringList& row = table.rows()[i];
        html += QStringLiteral("<td><a href=\"#input-%1\">%2</a></td>").arg(i + 1).arg(escaped(row[0]));
        for (int column = 1; column < row.size(); ++column)
            html += QStringLiteral("<td>%1</td>").arg(escaped(row[column]));
        html += QStringLiteral("</tr>\n");
    }
    return html + QStringLiteral("</tbody></table></div>\n");
}

QString ReportPage::pairTable(const BatchResult::Figures& figures, const QString& caption)
{
    if (figures.empty())
        return QString();
    QString html = QStringLiteral("<table><caption>%1</caption>\n").arg(escaped(caption));
    for (const auto& [key, value] : figures)
        html += QStringLiteral("<tr><th>%1</th><td>%2</td></tr>\n").arg(escaped(key), escaped(value));
    return html + QStringLiteral("</table>\n");
}

QString ReportPage::peakList(const QStringList& entries, const QString& caption)
{
    QString html = QStringLiteral("<div><h4>%1 (%2)</h4><ol>").arg(escaped(caption)).arg(entries.size());
    for (const QString& entry : entries)
        html += QStringLiteral("<li>%1</li>").arg(escaped(entry));
    return html + QStringLiteral("</ol></div>\n");
}

QString ReportPage::section(const BatchResult& result, int n)
{
    QString html = QStringLiteral("<section id=\"input-%1\"><h2>%1. %2</h2>\n<p>%3</p>\n")
                       .arg(n)
                       .arg(escaped(result.name), escaped(result.input));
    if (!result.ok)
        return html + QStringLiteral("<p class=\"failed\">failed: %1</p></section>\n").arg(escaped(result.reason));
    if (!result.picturePng.isEmpty())
        html += QStringLiteral("<img alt=\"plot of %1\" src=\"data:image/png;base64,%2\">\n")
                    .arg(escaped(result.name), QString::fromLatin1(result.picturePng.toBase64()));
    html += QStringLiteral("<div class=\"scroll\">") + pairTable(result.statistics, QStringLiteral("Statistics"))
          + pairTable(result.figures, QStringLiteral("Figures")) + QStringLiteral("</div>\n");
    if (result.peaksAsked)
        html += QStringLiteral("<div class=\"lists\">") + peakList(result.positivePeaks, QStringLiteral("Positive"))
              + peakList(result.negativePeaks, QStringLiteral("Negative")) + QStringLiteral("</div>\n");
    return html + QStringLiteral("</section>\n");
}

QString ReportPage::html() const
{
    int failed = 0;
    for (const BatchResult& result : results)
        failed += result.ok ? 0 : 1;
    QString html = QStringLiteral("<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">\n"
                                  "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                                  "<title>Kurvo report</title><style>")
                 + QLatin1String(kStyle)
                 + QStringLiteral("</style></head><body>\n<header><h1>Kurvo report</h1><p>%1 inputs, %2 failed</p>"
                                  "</header>\n<main>\n")
                       .arg(results.size())
                       .arg(failed)
                 + summary();
    for (std::size_t i = 0; i < results.size(); ++i)
        html += section(results[i], int(i + 1));
    return html + QStringLiteral("</main>\n<script>") + QLatin1String(kScript)
         + QStringLiteral("</script>\n</body></html>\n");
}

bool ReportPage::write(const QString& path, QString& error) const
{
    const QByteArray bytes = html().toUtf8();
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    error = QStringLiteral("cannot write the report %1: %2").arg(path, file.errorString());
    return false;
}

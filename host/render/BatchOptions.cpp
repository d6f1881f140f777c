#include "BatchOptions.h"

namespace {

// More runs at once than this only queue for the same cores and memory, and each holds
// three pipes of the batch's open files.
const int kMostJobs = 64;

} // namespace

QString BatchOptions::usage()
{
    return QStringLiteral(
        "  --each               every input is a plot of its own: the other options apply to each\n"
        "                       input in turn, as if kurvo-render ran once per input; {name} (the\n"
        "                       input's name without folder and suffix) and {n} (its place, from 1)\n"
        "                       in the options' values are replaced. A failed input is reported and\n"
        "                       the others go on; the exit status is 2 if any failed\n"
        "  -j N                 with --each, run N inputs at a time (1 to 64; default: one per core)\n"
        "  --summary FILE.csv   with --each, one row per input: name, file, status, reason, the\n"
        "                       statistics of its current curve with every digit, and the peak\n"
        "                       counts, tones, harmonic figures and fit parameters asked for\n"
        "  --report FILE.html   with --each, one page holding the summary and, for each input, its\n"
        "                       picture, statistics, peak lists and figures\n");
}

bool BatchOptions::takeJobs(const QString& value, QString& error)
{
    bool ok = false;
    jobs = value.toInt(&ok);
    if (ok && jobs >= 1 && jobs <= kMostJobs)
        return true;
    error = QStringLiteral("-j takes a number of inputs from 1 to %1: %2").arg(kMostJobs).arg(value);
    return false;
}

bool BatchOptions::extract(const QStringList& arguments, QStringList& rest, QString& error)
{
    struct Valued {
        const char* name;
        QString* value;
    };
    const Valued valued[] = {{"--summary", &summary}, {"--report", &report}, {"--batch-figures", &figures}};
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg == QLatin1String("--each")) {
            each = true;
            continue;
        }
        if (arg == QLatin1String("--batch-picture")) {
            picture = true;
            continue;
        }
        // -j4 as well as -j 4, as make and its kin take it.
        if (arg.startsWith(QLatin1String("-j"))) {
            if (arg.size() == 2 && i + 1 >= arguments.size()) {
                error = QStringLiteral("-j needs a value");
                return false;
            }
            if (!takeJobs(arg.size() > 2 ? arg.mid(2) : arguments[++i], error))
                return false;
            continue;
        }
        bool taken = false;
        for (const Valued& option : valued) {
            if (arg != QLatin1String(option.name))
                continue;
            if (i + 1 >= arguments.size()) {
                error = QStringLiteral("%1 needs a value").arg(arg);
                return false;
            }
            *option.value = arguments[++i];
            taken = true;
        }
        if (!taken)
            rest << arg;
    }
    if (!each && (jobs > 0 || !summary.isEmpty() || !report.isEmpty())) {
        error = QStringLiteral("-j, --summary and --report work with --each");
        return false;
    }
    return true;
}

#include "BigTable.h"

#include <QDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>

namespace {

void appendNumber(std::string& out, double value, int digits)
{
    char buffer[40];
    const int n = std::snprintf(buffer, sizeof buffer, "%.*g", digits, value);
    out.append(buffer, std::size_t(n));
}

// Rows i of the table: time, a small noisy sine and a large cosine.
class RowMaker
{
public:
    void append(std::string& text, int i)
    {
        const double t = i * 1e-4;
        appendNumber(text, t, digits(random));
        text += ';';
        appendNumber(text, 1e-3 * (std::sin(2 * M_PI * 50 * t) + noise(random)), digits(random));
        text += ';';
        appendNumber(text, 230.0 * std::cos(2 * M_PI * 50 * t) + noise(random), digits(random));
        text += '\n';
    }

private:
    std::mt19937_64 random{42};
    std::uniform_int_distribution<int> digits{6, 17};
    std::normal_distribution<double> noise{0.0, 0.05};
};

std::string writeTable(const char* name, int rows)
{
    const std::string file = QDir::temp().filePath(name).toStdString();
    FILE* f = std::fopen(file.c_str(), "wb");
    if (!f)
        return file;
    RowMaker maker;
    std::string chunk;
    for (int i = 0; i < rows;) {
        chunk.clear();
        for (const int end = std::min(rows, i + 100000); i < end; ++i)
            maker.append(chunk, i);
        std::fwrite(chunk.data(), 1, chunk.size(), f);
    }
    std::fclose(f);
    return file;
}

} // namespace

const std::string& bigTable()
{
    static const std::string table = [] {
        RowMaker maker;
        std::string text;
        text.reserve(45u << 20);
        for (int i = 0; i < 1000000; ++i)
            maker.append(text, i);
        return text;
    }();
    return table;
}

const std::string& bigTableFile()
{
    static const std::string path = [] {
        const std::string file = QDir::temp().filePath("kurvo-big.csv").toStdString();
        if (FILE* f = std::fopen(file.c_str(), "wb")) {
            std::fwrite(bigTable().data(), 1, bigTable().size(), f);
            std::fclose(f);
        }
        return file;
    }();
    return path;
}

const std::string& hugeTableFile()
{
    static const std::string path = writeTable("kurvo-huge.csv", hugeTableRows);
    return path;
}

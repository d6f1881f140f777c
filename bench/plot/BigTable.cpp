#include "BigTable.h"

#include <QDir>

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

} // namespace

const std::string& bigTable()
{
    static const std::string table = [] {
        std::mt19937_64 random(42);
        std::uniform_int_distribution<int> digits(6, 17);
        std::normal_distribution<double> noise(0.0, 0.05);
        std::string text;
        text.reserve(45u << 20);
        for (int i = 0; i < 1000000; ++i) {
            const double t = i * 1e-4;
            appendNumber(text, t, digits(random));
            text += ';';
            appendNumber(text, 1e-3 * (std::sin(2 * M_PI * 50 * t) + noise(random)), digits(random));
            text += ';';
            appendNumber(text, 230.0 * std::cos(2 * M_PI * 50 * t) + noise(random), digits(random));
            text += '\n';
        }
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

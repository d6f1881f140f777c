#include "XlsReadBack.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace {

std::string fromHex(const std::string& hex)
{
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes += char(std::stoi(hex.substr(i, 2), nullptr, 16));
    return bytes;
}

bool parseLine(const std::string& line, ReadBook& book)
{
    std::istringstream in(line);
    std::string kind;
    in >> kind;
    if (kind == "stream") {
        std::string name;
        std::size_t size = 0;
        in >> name >> size;
        book.streams[name] = size;
    } else if (kind == "sheet") {
        ReadSheet sheet;
        std::string name;
        in >> name >> sheet.rows >> sheet.columns;
        sheet.name = fromHex(name);
        book.sheets.push_back(sheet);
    } else if (kind == "number" || kind == "text" || kind == "error") {
        if (book.sheets.empty())
            return false;
        ReadCell cell;
        std::string value;
        in >> cell.row >> cell.column >> value;
        cell.isText = kind == "text";
        if (cell.isText)
            cell.text = fromHex(value);
        else if (kind == "error")
            cell.error = value;
        else
            cell.number = std::strtod(value.c_str(), nullptr);
        book.sheets.back().cells.push_back(cell);
    } else {
        return false;
    }
    return bool(in) || in.eof();
}

} // namespace

std::string pythonWithReaders(std::string& why)
{
    // The Debian packages install the modules for the system interpreter, which need not be
    // the first python3 on the PATH.
    for (const char* candidate : {"python3", "/usr/bin/python3"}) {
        const std::string probe = std::string(candidate) + " -c 'import xlrd, olefile' >/dev/null 2>&1";
        if (std::system(probe.c_str()) == 0)
            return candidate;
    }
    why = "no python3 with the modules xlrd and olefile (scripts/install-deps installs python3-xlrd and "
          "python3-olefile)";
    return "";
}

bool readBack(const std::string& python, const std::string& path, ReadBook& book, std::string& error)
{
    book = ReadBook();
    const std::string command = python + " '" KURVO_XLS_DUMP "' '" + path + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        error = "cannot run " + command;
        return false;
    }
    std::string output;
    char buffer[1 << 16];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, got);
    const int status = pclose(pipe);
    if (status != 0) {
        error = output;
        return false;
    }
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);)
        if (!line.empty() && !parseLine(line, book)) {
            error = "unexpected line: " + line;
            return false;
        }
    return true;
}

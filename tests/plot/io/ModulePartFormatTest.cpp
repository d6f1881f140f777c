#include "ModulePartFormat.h"
#include "QStringPrinter.h"

#include <gtest/gtest.h>

namespace {

// Answers every call with the path and part it was asked about.
class EchoFormat : public PartFormat
{
public:
    bool asksForParts() const override { return false; }
    bool parts(const QString& path, std::vector<DataPart>& parts, QString&) const override
    {
        parts.push_back({path, QStringLiteral("1"), true});
        return true;
    }
    ImportedData read(const QString& path, const QString& part, const QString&, bool, const TableOptions&) const override
    {
        ImportedData data;
        data.title = path + QLatin1Char('|') + part;
        return data;
    }
    bool tableText(const QString& path, const QString&, std::size_t, std::string& text, QString&) const override
    {
        text = path.toStdString();
        return true;
    }
};

const EchoFormat echo;
const ReaderTable echoTable{kReaderTableVersion, nullptr, &echo, nullptr};

const ReaderTable* present(QString&)
{
    return &echoTable;
}

const ReaderTable* absent(QString& problem)
{
    problem = QStringLiteral("is not installed");
    return nullptr;
}

TEST(ModulePartFormatTest, EveryCallGoesOnToItsReaderInTheModule)
{
    const ModulePartFormat format(&ReaderTable::matlab, "MATLAB", present);
    EXPECT_FALSE(format.asksForParts());
    std::vector<DataPart> parts;
    QString reason;
    EXPECT_TRUE(format.parts("a.mat", parts, reason));
    ASSERT_EQ(parts.size(), 1u);
    EXPECT_EQ(parts[0].name, "a.mat");
    EXPECT_EQ(format.read("a.mat", "x", "a", false, {}).title, "a.mat|x");
    std::string text;
    EXPECT_TRUE(format.tableText("a.mat", "x", 5, text, reason));
    EXPECT_EQ(text, "a.mat");
}

TEST(ModulePartFormatTest, WithoutTheModuleEveryCallSaysWhy)
{
    const ModulePartFormat format(&ReaderTable::hdf5, "HDF5", absent);
    EXPECT_TRUE(format.asksForParts());
    std::vector<DataPart> parts;
    QString reason;
    EXPECT_FALSE(format.parts("a.h5", parts, reason));
    EXPECT_EQ(reason, "the HDF5 reader is not installed");
    EXPECT_EQ(format.read("a.h5", "", "a", false, {}).log,
              QStringList{"Kurvo: Can't read a.h5 (the HDF5 reader is not installed)"});
    EXPECT_EQ(format.read("a.h5", "/s", "a", false, {}).log,
              QStringList{"Kurvo: Can't read a.h5:/s (the HDF5 reader is not installed)"});
    std::string text;
    EXPECT_FALSE(format.tableText("a.h5", "/s", 5, text, reason));
    EXPECT_EQ(reason, "Kurvo: Can't read a.h5 (the HDF5 reader is not installed)");
}

} // namespace

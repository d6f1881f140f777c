#include "QStringPrinter.h"
#include "import/ImportDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const char kTable[] = "Measurement of the week\n"
                      "time;voltage;current\n"
                      "s;V;A\n"
                      "0;1,5;0,25\n"
                      "1;2,5;0,5\n"
                      "2;3,5;0,75\n";

class ImportDialogTest : public ::testing::Test
{
protected:
    QString write(const QByteArray& bytes) const
    {
        const QString path = dir.filePath(QStringLiteral("table.txt"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    template <typename T>
    T* child(const char* name) const
    {
        T* widget = dialog->findChild<T*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    QString header(int column) const { return child<QTableWidget>("previewTW")->horizontalHeaderItem(column)->text(); }
    QString cell(int row, int column) const { return child<QTableWidget>("previewTW")->item(row, column)->text(); }
    bool greyed(const QTableWidgetItem* item) const
    {
        return item->foreground() == dialog->palette().brush(QPalette::Disabled, QPalette::Text);
    }
    bool greyed(int column) const
    {
        const auto* preview = child<QTableWidget>("previewTW");
        return greyed(preview->horizontalHeaderItem(column)) && greyed(preview->item(0, column));
    }
    QString found() const { return child<QLabel>("foundLB")->text(); }
    std::vector<bool> checks() const
    {
        std::vector<bool> checked;
        const auto* list = child<QListWidget>("curvesLW");
        for (int i = 0; i < list->count(); ++i)
            checked.push_back(list->item(i)->checkState() == Qt::Checked);
        return checked;
    }
    void setChecked(int item, bool checked) const
    {
        child<QListWidget>("curvesLW")->item(item)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }
    bool okEnabled() const { return child<QDialogButtonBox>("buttonBox")->button(QDialogButtonBox::Ok)->isEnabled(); }

    QTemporaryDir dir;
    std::unique_ptr<ImportDialog> dialog = std::make_unique<ImportDialog>(write(kTable));
};

TEST_F(ImportDialogTest, ShowsWhatTheRulesFind)
{
    EXPECT_EQ(dialog->windowTitle(), "Import");
    EXPECT_TRUE(dialog->options().automatic());
    EXPECT_EQ(found(), "Header in line 2, units in line 3, data from line 4, line 1 skipped");
    EXPECT_FALSE(child<QLabel>("foundLB")->isHidden());
    EXPECT_EQ(child<QComboBox>("separatorCB")->itemText(0), "Automatic (;)");
    EXPECT_EQ(child<QComboBox>("decimalCB")->itemText(0), "Automatic (Comma)");
    const auto* x = child<QComboBox>("xColumnCB");
    EXPECT_EQ(x->itemText(0), "Automatic (1: time [s])");
    EXPECT_EQ(x->itemText(4), "3: current [A]");
    EXPECT_EQ(child<QListWidget>("curvesLW")->item(1)->text(), "2: voltage [V]");
    EXPECT_EQ(checks(), std::vector<bool>({false, true, true}));
    EXPECT_EQ(child<QTableWidget>("previewTW")->rowCount(), 3);
    EXPECT_EQ(header(0), "x: time [s]");
    EXPECT_EQ(cell(0, 1), "1,5");
    EXPECT_EQ(cell(2, 2), "0,75");
    EXPECT_FALSE(greyed(1));
    EXPECT_TRUE(okEnabled());
    EXPECT_TRUE(child<QLabel>("statusLB")->text().contains("Kurvo: Field separator [;]"));
    child<QCheckBox>("fitCB")->setChecked(true);
    EXPECT_TRUE(dialog->fitToPowerOfTwo());
}

TEST_F(ImportDialogTest, SkipKeepsTheLinesOfTheFile)
{
    child<QSpinBox>("skipSB")->setValue(1);
    EXPECT_EQ(dialog->options().skip, 1);
    EXPECT_EQ(found(), "Header in line 2, units in line 3, data from line 4, line 1 skipped");
    EXPECT_EQ(child<QTableWidget>("previewTW")->rowCount(), 3);
    child<QSpinBox>("skipSB")->setValue(-1);
    EXPECT_EQ(child<QSpinBox>("skipSB")->text(), "Automatic");
}

TEST_F(ImportDialogTest, NoHeaderReadsEveryRowOfTheTable)
{
    auto* headerSB = child<QSpinBox>("headerSB");
    headerSB->setValue(0);
    EXPECT_EQ(headerSB->text(), "None");
    EXPECT_EQ(dialog->options().header, 0);
    EXPECT_TRUE(child<QLabel>("foundLB")->isHidden());
    EXPECT_EQ(child<QTableWidget>("previewTW")->rowCount(), 5);
    EXPECT_EQ(header(0), "x: Column 1");
    EXPECT_EQ(cell(0, 1), "voltage");
    headerSB->setValue(-1);
    EXPECT_EQ(headerSB->text(), "Automatic");
    EXPECT_FALSE(child<QLabel>("foundLB")->isHidden());
}

TEST_F(ImportDialogTest, ChosenSeparatorAndDecimalMark)
{
    auto* separatorCB = child<QComboBox>("separatorCB");
    separatorCB->setCurrentIndex(3);
    EXPECT_EQ(dialog->options().separator, ',');
    EXPECT_EQ(separatorCB->itemText(0), "Automatic");
    child<QComboBox>("decimalCB")->setCurrentIndex(1);
    EXPECT_EQ(dialog->options().decimal, TableOptions::DecimalMark::Point);
    separatorCB->setCurrentIndex(0);
    EXPECT_EQ(separatorCB->itemText(0), "Automatic (;)");
}

TEST_F(ImportDialogTest, XColumnChoices)
{
    auto* x = child<QComboBox>("xColumnCB");
    x->setCurrentIndex(1);
    EXPECT_EQ(dialog->options().xColumn, "none");
    EXPECT_EQ(header(0), "time [s]");
    EXPECT_EQ(checks(), std::vector<bool>({true, true, true}));

    x->setCurrentIndex(3);
    EXPECT_EQ(dialog->options().xColumn, "2");
    EXPECT_EQ(x->itemText(0), "Automatic");
    EXPECT_EQ(header(1), "x: voltage [V]");
    EXPECT_EQ(checks(), std::vector<bool>({true, false, true}));

    // Declined, the units row leaves the names and is still no data; the choice of x stays.
    child<QCheckBox>("unitsCB")->setChecked(false);
    EXPECT_FALSE(dialog->options().unitsRow);
    EXPECT_EQ(x->currentIndex(), 3);
    EXPECT_EQ(header(1), "x: voltage");
    EXPECT_EQ(found(), "Header in line 2, data from line 4, line 1 skipped");
}

TEST_F(ImportDialogTest, CheckedCurvesAreTheChoice)
{
    setChecked(2, false);
    EXPECT_EQ(dialog->options().columns, QStringList({"2"}));
    EXPECT_TRUE(greyed(2));
    EXPECT_FALSE(greyed(1));
    EXPECT_TRUE(okEnabled());

    // An explicit choice is not overridden by a new x.
    child<QComboBox>("xColumnCB")->setCurrentIndex(1);
    EXPECT_EQ(checks(), std::vector<bool>({false, true, false}));
    EXPECT_TRUE(greyed(0));

    setChecked(1, false);
    EXPECT_FALSE(okEnabled());
    EXPECT_EQ(child<QLabel>("statusLB")->text(), "Check at least one curve to draw");
    setChecked(0, true);
    EXPECT_EQ(dialog->options().columns, QStringList({"1"}));
    EXPECT_TRUE(okEnabled());
}

// A separator that finds no table empties the lists; the choices made for the old columns
// do not outlive them.
TEST_F(ImportDialogTest, ColumnChoicesGoWithTheirColumns)
{
    child<QComboBox>("xColumnCB")->setCurrentIndex(4);
    setChecked(1, false);
    auto* separatorCB = child<QComboBox>("separatorCB");
    separatorCB->setCurrentIndex(5);
    EXPECT_EQ(child<QListWidget>("curvesLW")->count(), 0);
    EXPECT_EQ(child<QComboBox>("xColumnCB")->currentIndex(), 0);
    EXPECT_FALSE(okEnabled());
    EXPECT_EQ(child<QLabel>("statusLB")->text(), "Kurvo: No numbers found");

    separatorCB->setCurrentIndex(0);
    EXPECT_TRUE(dialog->options().automatic());
    EXPECT_EQ(checks(), std::vector<bool>({false, true, true}));
    EXPECT_EQ(header(0), "x: time [s]");
    EXPECT_TRUE(okEnabled());
}

TEST_F(ImportDialogTest, FilesWithoutATableShowWhy)
{
    const QString missing = dir.filePath(QStringLiteral("missing.txt"));
    const QString binary = write(QByteArray("\x00\x01\x02\xff\x00\x10", 6).repeated(100));
    const std::pair<QString, QString> cases[] = {
        {missing, "Kurvo: Can't open file " + missing},
        {binary, "Kurvo: " + binary + " is not a text table"},
    };
    for (const auto& [path, problem] : cases) {
        dialog = std::make_unique<ImportDialog>(path);
        EXPECT_EQ(child<QLabel>("statusLB")->text(), problem);
        EXPECT_FALSE(okEnabled());
        EXPECT_EQ(found(), "No table found");
        EXPECT_EQ(child<QTableWidget>("previewTW")->rowCount(), 0);
    }
}

} // namespace

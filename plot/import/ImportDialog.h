#pragma once

#include "TableOptions.h"

#include <QDialog>
#include <QString>
#include <QStringList>

struct TablePreview;
struct TableShape;
class HeaderSpinBox;
class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QListWidget;
class QSpinBox;
class QTableWidget;

// Shows how a text table will be read while the user overrides the guesses: every change of
// a choice reads the file's first lines again and shows the table as they make it out. The
// choices of x and curves last until the table's columns change under them.
class ImportDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ImportDialog(const QString& path, QWidget* parent = nullptr);

    // What the user chose; automatic where untouched.
    TableOptions options() const;
    // Whether the curves are cut to a power of two points.
    bool fitToPowerOfTwo() const;

private:
    void buildTree();
    QWidget* buildChoices();
    void connectControls();
    void refresh();
    bool dropColumnChoices(int columns);
    void listColumns(int columns);
    void showChoices(const TablePreview& preview);
    void showColumns(const TableShape& shape);
    void showPreview(const TablePreview& preview);
    void showStatus(const TablePreview& preview);
    QStringList checkedColumns() const;
    bool isDrawn(const TableShape& shape, int column) const;

    QString path;
    QComboBox* separatorCB = nullptr;
    QComboBox* decimalCB = nullptr;
    QSpinBox* skipSB = nullptr;
    HeaderSpinBox* headerSB = nullptr;
    QLabel* foundLB = nullptr;
    QCheckBox* unitsCB = nullptr;
    QComboBox* xColumnCB = nullptr;
    QListWidget* curvesLW = nullptr;
    QCheckBox* fitCB = nullptr;
    QTableWidget* previewTW = nullptr;
    QLabel* statusLB = nullptr;
    QDialogButtonBox* buttonBox = nullptr;
    // The columns the x and curve lists offer; -1 before the first look at the file.
    int listedColumns = -1;
    // Whether the user checked or unchecked a curve, so that the checks are the choice.
    bool curvesChosen = false;
};

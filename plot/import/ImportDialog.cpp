#include "ImportDialog.h"

#include "HeaderSpinBox.h"
#include "ImportChoices.h"
#include "TablePreview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace {

template <typename T>
T* named(T* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

ImportDialog::ImportDialog(const QString& path, QWidget* parent)
    : QDialog(parent)
    , path(path)
{
    buildTree();
    refresh();
    connectControls();
}

TableOptions ImportDialog::options() const
{
    TableOptions options;
    options.separator = ImportChoices::separatorAt(separatorCB->currentIndex());
    options.decimal = ImportChoices::decimalAt(decimalCB->currentIndex());
    options.skip = skipSB->value();
    options.header = headerSB->value();
    options.unitsRow = unitsCB->isChecked();
    options.xColumn = ImportChoices::xColumnAt(xColumnCB->currentIndex());
    if (curvesChosen)
        options.columns = checkedColumns();
    return options;
}

bool ImportDialog::fitToPowerOfTwo() const
{
    return fitCB->isChecked();
}

void ImportDialog::buildTree()
{
    setObjectName(QStringLiteral("ImportDialog"));
    setWindowTitle(tr("Import"));
    resize(760, 580);

    previewTW = named(new QTableWidget(this), "previewTW");
    previewTW->setEditTriggers(QAbstractItemView::NoEditTriggers);
    statusLB = named(new QLabel(this), "statusLB");
    statusLB->setWordWrap(true);
    statusLB->setTextInteractionFlags(Qt::TextSelectableByMouse);
    buttonBox = named(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this), "buttonBox");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildChoices());
    layout->addWidget(previewTW, 1);
    layout->addWidget(statusLB);
    layout->addWidget(buttonBox);
}

QWidget* ImportDialog::buildChoices()
{
    auto* choices = new QWidget(this);
    separatorCB = named(new QComboBox(choices), "separatorCB");
    separatorCB->addItems(ImportChoices::separatorItems());
    decimalCB = named(new QComboBox(choices), "decimalCB");
    decimalCB->addItems(ImportChoices::decimalItems());
    skipSB = named(new QSpinBox(choices), "skipSB");
    skipSB->setRange(-1, 1000000);
    skipSB->setSpecialValueText(tr("Automatic"));
    skipSB->setValue(-1);
    headerSB = named(new HeaderSpinBox(choices), "headerSB");
    foundLB = named(new QLabel(choices), "foundLB");
    foundLB->setWordWrap(true);
    unitsCB = named(new QCheckBox(tr("Units row"), choices), "unitsCB");
    unitsCB->setChecked(true);
    xColumnCB = named(new QComboBox(choices), "xColumnCB");
    xColumnCB->addItems({tr("Automatic"), tr("None (row numbers)")});
    fitCB = named(new QCheckBox(tr("Change data size for FFT"), choices), "fitCB");
    curvesLW = named(new QListWidget(choices), "curvesLW");

    auto* form = new QFormLayout;
    form->addRow(tr("Separator:"), separatorCB);
    form->addRow(tr("Decimal mark:"), decimalCB);
    form->addRow(tr("Lines to skip:"), skipSB);
    form->addRow(tr("Header line:"), headerSB);
    form->addRow(foundLB);
    form->addRow(unitsCB);
    form->addRow(tr("x column:"), xColumnCB);
    form->addRow(fitCB);
    auto* curves = new QVBoxLayout;
    curves->addWidget(new QLabel(tr("Curves:"), choices));
    curves->addWidget(curvesLW);
    auto* layout = new QHBoxLayout(choices);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(form, 1);
    layout->addLayout(curves, 1);
    return choices;
}

void ImportDialog::connectControls()
{
    connect(buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    for (QComboBox* box : {separatorCB, decimalCB, xColumnCB})
        connect(box, qOverload<int>(&QComboBox::currentIndexChanged), this, &ImportDialog::refresh);
    for (QSpinBox* box : {skipSB, static_cast<QSpinBox*>(headerSB)})
        connect(box, qOverload<int>(&QSpinBox::valueChanged), this, &ImportDialog::refresh);
    connect(unitsCB, &QCheckBox::toggled, this, &ImportDialog::refresh);
    connect(curvesLW, &QListWidget::itemChanged, this, [this] {
        curvesChosen = true;
        refresh();
    });
}

// A curve's check never changes the number of columns, so the list is never rebuilt under
// the item the user just checked.
void ImportDialog::refresh()
{
    TablePreview preview = TablePreview::ofFile(path, options());
    const int columns = int(preview.shape.kinds.size());
    if (columns != listedColumns) {
        if (dropColumnChoices(columns))
            preview = TablePreview::ofFile(path, options());
        listColumns(columns);
    }
    showChoices(preview);
    showColumns(preview.shape);
    showPreview(preview);
    showStatus(preview);
}

// Column numbers of another table mean other columns: an x beyond the new ones and every
// curve choice go back to automatic. True when a choice went.
bool ImportDialog::dropColumnChoices(int columns)
{
    bool dropped = std::exchange(curvesChosen, false);
    if (xColumnCB->currentIndex() >= ImportChoices::xColumnItem(columns)) {
        const QSignalBlocker blocker(xColumnCB);
        xColumnCB->setCurrentIndex(0);
        dropped = true;
    }
    return dropped;
}

void ImportDialog::listColumns(int columns)
{
    const QSignalBlocker xBlocker(xColumnCB);
    const QSignalBlocker curvesBlocker(curvesLW);
    while (xColumnCB->count() > ImportChoices::kFirstColumnItem)
        xColumnCB->removeItem(xColumnCB->count() - 1);
    curvesLW->clear();
    for (int j = 0; j < columns; ++j) {
        xColumnCB->addItem(QString());
        auto* item = new QListWidgetItem(curvesLW);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    listedColumns = columns;
}

// The automatic items name what the rules found, which is known only while they are chosen.
void ImportDialog::showChoices(const TablePreview& preview)
{
    const bool separatorFound = separatorCB->currentIndex() == 0;
    separatorCB->setItemText(0, ImportChoices::automaticSeparator(separatorFound ? preview.shape.separator : '\0'));
    decimalCB->setItemText(0, decimalCB->currentIndex() == 0 ? ImportChoices::automaticDecimal(preview) : tr("Automatic"));
    foundLB->setText(ImportChoices::found(preview, skipSB->value()));
    foundLB->setHidden(headerSB->value() >= 0);
}

void ImportDialog::showColumns(const TableShape& shape)
{
    const QSignalBlocker blocker(curvesLW);
    xColumnCB->setItemText(0, xColumnCB->currentIndex() == 0 ? ImportChoices::automaticXColumn(shape) : tr("Automatic"));
    for (int j = 0; j < listedColumns; ++j) {
        const QString text = ImportChoices::columnItem(shape, j);
        xColumnCB->setItemText(ImportChoices::xColumnItem(j), text);
        QListWidgetItem* item = curvesLW->item(j);
        item->setText(text);
        if (!curvesChosen)
            item->setCheckState(isDrawn(shape, j) ? Qt::Checked : Qt::Unchecked);
    }
}

void ImportDialog::showPreview(const TablePreview& preview)
{
    const TableShape& shape = preview.shape;
    previewTW->clear();
    previewTW->setColumnCount(listedColumns);
    previewTW->setRowCount(int(preview.rows.size()));
    const QBrush grey = palette().brush(QPalette::Disabled, QPalette::Text);
    for (int j = 0; j < listedColumns; ++j) {
        const QString name = ImportChoices::columnName(shape, j);
        auto* header = new QTableWidgetItem(j == shape.xColumn ? tr("x: %1").arg(name) : name);
        const bool leftOut = j != shape.xColumn && !isDrawn(shape, j);
        if (leftOut)
            header->setForeground(grey);
        previewTW->setHorizontalHeaderItem(j, header);
        for (int i = 0; i < int(preview.rows.size()); ++i) {
            const QStringList& row = preview.rows[std::size_t(i)];
            auto* cell = new QTableWidgetItem(j < row.size() ? row[j] : QString());
            if (leftOut)
                cell->setForeground(grey);
            previewTW->setItem(i, j, cell);
        }
    }
    // Numbers are read whole: a column is as wide as its widest field.
    previewTW->resizeColumnsToContents();
}

void ImportDialog::showStatus(const TablePreview& preview)
{
    QString problem = preview.problem;
    if (problem.isEmpty() && curvesChosen && checkedColumns().isEmpty())
        problem = tr("Check at least one curve to draw");
    statusLB->setText(problem.isEmpty() ? preview.shape.log.join(QLatin1Char('\n')) : problem);
    buttonBox->button(QDialogButtonBox::Ok)->setEnabled(problem.isEmpty());
}

QStringList ImportDialog::checkedColumns() const
{
    QStringList columns;
    for (int j = 0; j < curvesLW->count(); ++j) {
        if (curvesLW->item(j)->checkState() == Qt::Checked)
            columns << QString::number(j + 1);
    }
    return columns;
}

// The user's checks where there are any; the table's columns drawn otherwise.
bool ImportDialog::isDrawn(const TableShape& shape, int column) const
{
    if (curvesChosen)
        return curvesLW->item(column)->checkState() == Qt::Checked;
    return std::find(shape.curves.begin(), shape.curves.end(), column) != shape.curves.end();
}

#include "DataSetPicker.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// Where an item keeps the name a selection gives its set; groups keep none.
constexpr int kNameRole = Qt::UserRole;

} // namespace

DataSetPicker::DataSetPicker(const QString& file, const std::vector<DataPart>& parts, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("DataSetPicker"));
    setWindowTitle(tr("Data sets of %1").arg(QFileInfo(file).fileName()));
    resize(520, 420);
    tree = new QTreeWidget(this);
    tree->setObjectName(QStringLiteral("dataSetsTW"));
    tree->setHeaderLabels({tr("Data set"), tr("Shape")});
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttonBox"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Check the data sets to draw:"), this));
    layout->addWidget(tree, 1);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    for (const DataPart& part : parts) {
        const int slash = part.name.lastIndexOf(QLatin1Char('/'));
        QTreeWidgetItem* group = slash > 0 ? groupItem(part.name.left(slash)) : nullptr;
        auto* item = group ? new QTreeWidgetItem(group) : new QTreeWidgetItem(tree);
        item->setText(0, part.name.mid(slash + 1));
        item->setText(1, part.shape);
        item->setData(0, kNameRole, part.name);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        item->setCheckState(0, part.byDefault ? Qt::Checked : Qt::Unchecked);
        setItems.push_back(item);
    }
    tree->expandAll();
    tree->header()->setSectionResizeMode(0, QHeaderView::Stretch);
}

QStringList DataSetPicker::chosen() const
{
    QStringList names;
    for (const QTreeWidgetItem* item : setItems) {
        if (item->checkState(0) == Qt::Checked)
            names << item->data(0, kNameRole).toString();
    }
    return names;
}

// The item of the group at `path` ("/a/b"), made with the groups above it where missing.
QTreeWidgetItem* DataSetPicker::groupItem(const QString& path)
{
    QTreeWidgetItem* parent = nullptr;
    for (const QString& name : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        QTreeWidgetItem* found = nullptr;
        const int count = parent ? parent->childCount() : tree->topLevelItemCount();
        for (int i = 0; i < count && !found; ++i) {
            QTreeWidgetItem* child = parent ? parent->child(i) : tree->topLevelItem(i);
            if (child->text(0) == name && child->data(0, kNameRole).isNull())
                found = child;
        }
        if (!found) {
            found = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
            found->setText(0, name);
            found->setFlags(Qt::ItemIsEnabled);
        }
        parent = found;
    }
    return parent;
}

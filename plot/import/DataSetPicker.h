#pragma once

#include "PartFormat.h"

#include <QDialog>
#include <QStringList>

#include <vector>

class QTreeWidget;
class QTreeWidgetItem;

// Shows the data sets of a file as a tree of its groups, each set with its shape and a check
// box, the ones read by default checked, for the user to choose which to read.
class DataSetPicker : public QDialog
{
    Q_OBJECT

public:
    DataSetPicker(const QString& file, const std::vector<DataPart>& parts, QWidget* parent = nullptr);

    // The names of the sets checked, in the file's order.
    QStringList chosen() const;

private:
    QTreeWidgetItem* groupItem(const QString& path);

    QTreeWidget* tree = nullptr;
    std::vector<QTreeWidgetItem*> setItems;
};

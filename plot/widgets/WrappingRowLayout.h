#pragma once

#include <QHBoxLayout>

#include <vector>

// A row of controls that breaks into further rows where a single one would be wider than
// `widthBudget`, so that a tab of many controls shows them all in a narrow window instead of
// scrolling. It stays a box layout: widgets are added and inserted as into any row. Spacers
// take no room; each control gets the width it asks for.
class WrappingRowLayout : public QHBoxLayout
{
public:
    WrappingRowLayout(QWidget* parent, int widthBudget);

    QSize minimumSize() const override;
    QSize sizeHint() const override;
    Qt::Orientations expandingDirections() const override;
    bool hasHeightForWidth() const override;
    void setGeometry(const QRect& rect) override;

private:
    struct Row {
        std::vector<QLayoutItem*> items;
        int height = 0;
    };
    std::vector<Row> rows(int width) const;
    int singleRowWidth() const;
    int widestItem() const;

    int widthBudget;
};

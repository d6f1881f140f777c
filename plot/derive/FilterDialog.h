#pragma once

#include "FilterSpec.h"

#include <QDialog>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QSpinBox;

// Process → Filters...: the operation and its settings, each field enabled only for the
// operations that use it. A form with typed accessors, run through the prompt by its caller.
class FilterDialog : public QDialog
{
    Q_OBJECT

public:
    // `rate` is the current curve's sampling frequency in Hz, shown beside the cutoffs; 0 when
    // it has none.
    FilterDialog(QWidget* parent, double rate);

    void setSpec(const FilterSpec& spec);
    FilterSpec spec() const;

private:
    // Which operations the order field last served.
    enum class Family { None, Fit, Filter };

    void kindChanged();

    QComboBox* kindBox = nullptr;
    QSpinBox* windowBox = nullptr;
    QSpinBox* orderBox = nullptr;
    QDoubleSpinBox* lowBox = nullptr;
    QDoubleSpinBox* highBox = nullptr;
    QDoubleSpinBox* stepBox = nullptr;
    QComboBox* trendBox = nullptr;
    Family orderFamily = Family::None;
};

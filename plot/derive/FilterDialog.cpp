#include "FilterDialog.h"

#include "PlotTranslation.h"
#include "SavitzkyGolay.h"
#include "widgets/NamedWidget.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>

#include <climits>

namespace {

using Kind = FilterSpec::Kind;

// The operations in the order of FilterSpec::Kind.
const char* const kKindTexts[] = {"Moving average", "Moving median", "Savitzky-Golay", "Low-pass",  "High-pass",
                                  "Band-pass",      "Derivative",    "Integral",       "Resample", "Remove trend"};

QDoubleSpinBox* numberBox(QWidget* parent, const char* name, const char* suffix)
{
    auto* box = named(new QDoubleSpinBox(parent), name);
    box->setDecimals(9);
    box->setRange(0.0, 1e12);
    box->setSuffix(QLatin1String(suffix));
    return box;
}

} // namespace

FilterDialog::FilterDialog(QWidget* parent, double rate)
    : QDialog(parent)
{
    setWindowTitle(translated("Filters"));
    kindBox = named(new QComboBox(this), "filterKindCB");
    for (const char* text : kKindTexts)
        kindBox->addItem(translated(text));
    windowBox = named(new QSpinBox(this), "filterWindowSB");
    windowBox->setRange(1, INT_MAX);
    windowBox->setSuffix(translated(" points"));
    orderBox = named(new QSpinBox(this), "filterOrderSB");
    orderBox->setRange(0, int(SavitzkyGolay::kMaxOrder));
    lowBox = numberBox(this, "filterLowSB", " Hz");
    highBox = numberBox(this, "filterHighSB", " Hz");
    stepBox = numberBox(this, "filterStepSB", "");
    trendBox = named(new QComboBox(this), "filterTrendCB");
    trendBox->addItems({translated("mean"), translated("linear")});
    const QString rateText = rate > 0 ? translated("%1 Hz").arg(rate, 0, 'g', 12) : translated("none");
    auto* form = new QFormLayout(this);
    form->addRow(translated("Operation:"), kindBox);
    form->addRow(translated("Window:"), windowBox);
    form->addRow(translated("Order:"), orderBox);
    form->addRow(translated("Cutoff, or lower edge:"), lowBox);
    form->addRow(translated("Upper edge:"), highBox);
    form->addRow(translated("Sampling frequency:"), new QLabel(rateText, this));
    form->addRow(translated("Step:"), stepBox);
    form->addRow(translated("Trend:"), trendBox);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    connect(kindBox, qOverload<int>(&QComboBox::currentIndexChanged), this, &FilterDialog::kindChanged);
    FilterSpec defaults;
    defaults.low = rate > 0 ? rate / 10 : 1;
    defaults.high = rate > 0 ? rate / 5 : 2;
    defaults.step = 1;
    setSpec(defaults);
    kindChanged();
}

void FilterDialog::setSpec(const FilterSpec& spec)
{
    kindBox->setCurrentIndex(int(spec.kind));
    windowBox->setValue(int(std::min<std::size_t>(spec.window, INT_MAX)));
    orderBox->setValue(spec.order);
    lowBox->setValue(spec.low);
    highBox->setValue(spec.high);
    stepBox->setValue(spec.step);
    trendBox->setCurrentIndex(spec.trend == Trend::Mean ? 0 : 1);
}

FilterSpec FilterDialog::spec() const
{
    FilterSpec spec;
    spec.kind = Kind(kindBox->currentIndex());
    spec.window = std::size_t(windowBox->value());
    spec.order = orderBox->value();
    spec.low = lowBox->value();
    spec.high = highBox->value();
    spec.step = stepBox->value();
    spec.trend = trendBox->currentIndex() == 0 ? Trend::Mean : Trend::Linear;
    return spec;
}

// A Savitzky-Golay fit is usually of low degree, a Butterworth filter of order 4: the order
// starts there whenever the operation changes from one family to the other.
void FilterDialog::kindChanged()
{
    const Kind kind = Kind(kindBox->currentIndex());
    const bool windowed = kind == Kind::Mean || kind == Kind::Median || kind == Kind::SavitzkyGolay;
    const bool byFrequency = kind == Kind::LowPass || kind == Kind::HighPass || kind == Kind::BandPass;
    windowBox->setEnabled(windowed);
    orderBox->setEnabled(kind == Kind::SavitzkyGolay || byFrequency);
    if (kind == Kind::SavitzkyGolay && orderFamily != Family::Fit) {
        orderBox->setRange(0, int(SavitzkyGolay::kMaxOrder));
        orderBox->setValue(2);
        orderFamily = Family::Fit;
    } else if (byFrequency && orderFamily != Family::Filter) {
        orderBox->setRange(1, 8);
        orderBox->setValue(FilterSpec::kDefaultOrder);
        orderFamily = Family::Filter;
    }
    lowBox->setEnabled(byFrequency);
    highBox->setEnabled(kind == Kind::BandPass);
    stepBox->setEnabled(kind == Kind::Resample);
    trendBox->setEnabled(kind == Kind::Detrend);
}

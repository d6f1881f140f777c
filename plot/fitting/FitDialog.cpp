#include "FitDialog.h"

#include "BuiltinModel.h"
#include "FitError.h"
#include "FitModel.h"
#include "PlotTranslation.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>

#include <cmath>
#include <new>

namespace {

const char* const kPolyPrefix = "poly:";

// The built-in models as the list offers them: the polynomial as two examples of poly:N.
QStringList builtinNames()
{
    QStringList names;
    for (const std::string& name : BuiltinModel::names()) {
        if (name == "poly:N")
            names << QStringLiteral("poly:2") << QStringLiteral("poly:3");
        else
            names << QString::fromStdString(name);
    }
    return names;
}

struct Parameters {
    std::vector<std::string> names;
    // What the line below the model says: its parameters, or why it cannot be fitted.
    QString summary;
    bool valid = false;
};

Parameters parametersOf(const QString& text, bool builtin)
{
    Parameters parameters;
    try {
        if (builtin) {
            const BuiltinModel model = BuiltinModel::named(text.toStdString());
            parameters.names = FitModel(model.expression()).parameterNames();
            const QString starts = model.degree() > 0 ? translated("linear, solved without start values")
                                                      : translated("start values from the data");
            parameters.summary = QStringLiteral("%1 (%2)").arg(QString::fromStdString(model.expression()), starts);
        } else {
            parameters.names = FitModel(text.toStdString()).parameterNames();
            QStringList names;
            for (const std::string& name : parameters.names)
                names << QString::fromStdString(name);
            parameters.summary = translated("Parameters: %1").arg(names.join(QStringLiteral(", ")));
        }
        parameters.valid = true;
    } catch (const FitError& error) {
        parameters.summary = QString::fromStdString(error.what());
    } catch (const std::bad_alloc&) {
        parameters.summary = translated("Not enough memory to read the model.");
    }
    return parameters;
}

} // namespace

FitDialog::FitDialog(QWidget* parent, const QStringList& typedModels, const std::vector<Curve>& weightCurves)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("fitDialog"));
    setWindowTitle(translated("Fit"));
    buildForm(typedModels, weightCurves);
    showParameters();
}

void FitDialog::buildForm(const QStringList& typedModels, const std::vector<Curve>& weightCurves)
{
    modelBox = new QComboBox(this);
    modelBox->setObjectName(QStringLiteral("fitModelCB"));
    modelBox->setEditable(true);
    modelBox->setInsertPolicy(QComboBox::NoInsert);
    // Completing inline would turn "a*x" into a longer model from the list, ready to be fitted
    // unseen behind its selected tail.
    modelBox->setCompleter(nullptr);
    modelBox->setToolTip(translated("A built-in model (line, poly:N with N from 1 to 10, exp, gauss, lorentz, sine, "
                                    "power, logistic) or an expression of x: every other name in it is a parameter"));
    modelBox->addItems(builtinNames());
    if (!typedModels.isEmpty()) {
        modelBox->insertSeparator(modelBox->count());
        modelBox->addItems(typedModels);
    }
    modelBox->setCurrentIndex(0);
    connect(modelBox, &QComboBox::editTextChanged, this, &FitDialog::showParameters);

    modelLabel = new QLabel(this);
    modelLabel->setObjectName(QStringLiteral("fitModelLB"));
    modelLabel->setWordWrap(true);

    startTable = new QTableWidget(0, 2, this);
    startTable->setObjectName(QStringLiteral("fitStartTable"));
    startTable->setHorizontalHeaderLabels({translated("Parameter"), translated("Start value")});
    startTable->verticalHeader()->hide();
    startTable->horizontalHeader()->setStretchLastSection(true);
    connect(startTable, &QTableWidget::itemChanged, this, &FitDialog::keepStart);

    weightsBox = new QComboBox(this);
    weightsBox->setObjectName(QStringLiteral("fitWeightsCB"));
    weightsBox->setToolTip(translated("Weights 1/σ² from a curve of as many points whose y are the standard "
                                      "deviations σ of the points"));
    weightsBox->addItem(translated("None"), -1);
    for (const Curve& curve : weightCurves)
        weightsBox->addItem(translated("1/σ² from %1").arg(curve.title), curve.id);

    residualsBox = new QCheckBox(translated("Residuals too"), this);
    residualsBox->setObjectName(QStringLiteral("fitResidualsCB"));
    residualsBox->setToolTip(translated("Add the residuals, y minus the fitted value, as a curve of their own"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("fitButtons"));
    buttons->button(QDialogButtonBox::Ok)->setText(translated("Fit"));
    connect(buttons, &QDialogButtonBox::accepted, this, &FitDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &FitDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow(translated("Model:"), modelBox);
    form->addRow(QString(), modelLabel);
    form->addRow(translated("Start values:"), startTable);
    form->addRow(translated("Weights:"), weightsBox);
    form->addRow(QString(), residualsBox);
    form->addRow(buttons);
}

void FitDialog::setModel(const QString& model)
{
    modelBox->setEditText(model);
}

bool FitDialog::namesBuiltin(const QString& text)
{
    const QString name = text.trimmed();
    return name.startsWith(QLatin1String(kPolyPrefix)) || builtinNames().contains(name);
}

void FitDialog::showParameters()
{
    const QString text = modelBox->currentText().trimmed();
    const bool builtin = namesBuiltin(text);
    const Parameters parameters = parametersOf(text, builtin);
    modelLabel->setText(parameters.summary);
    const QSignalBlocker quiet(startTable);
    startTable->setRowCount(int(parameters.names.size()));
    for (int row = 0; row < startTable->rowCount(); ++row) {
        const QString name = QString::fromStdString(parameters.names[std::size_t(row)]);
        auto* label = new QTableWidgetItem(name);
        label->setFlags(Qt::ItemIsEnabled);
        startTable->setItem(row, 0, label);
        auto* value = new QTableWidgetItem(builtin ? translated("from the data") : typedStarts.value(name, QStringLiteral("1")));
        value->setFlags(builtin ? Qt::NoItemFlags : Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
        startTable->setItem(row, 1, value);
    }
}

void FitDialog::keepStart(QTableWidgetItem* item)
{
    if (item->column() == 1)
        typedStarts[startTable->item(item->row(), 0)->text()] = item->text();
}

bool FitDialog::read(FitRequest& request, QString& problem) const
{
    FitRequest read;
    read.model = modelBox->currentText().trimmed();
    read.builtin = namesBuiltin(read.model);
    const Parameters parameters = parametersOf(read.model, read.builtin);
    if (!parameters.valid) {
        problem = parameters.summary;
        return false;
    }
    for (int row = 0; !read.builtin && row < startTable->rowCount(); ++row) {
        const QString name = startTable->item(row, 0)->text();
        const QString text = startTable->item(row, 1)->text().trimmed();
        bool number = false;
        const double value = QLocale::c().toDouble(text, &number);
        if (!number || !std::isfinite(value)) {
            problem = translated("The start value of %1 is no number: %2").arg(name, text);
            return false;
        }
        read.starts[name.toStdString()] = value;
    }
    read.sigmaCurve = weightsBox->currentData().toInt();
    read.residuals = residualsBox->isChecked();
    request = read;
    return true;
}

void FitDialog::accept()
{
    FitRequest request;
    QString problem;
    if (!read(request, problem)) {
        modelLabel->setText(problem);
        return;
    }
    QDialog::accept();
}

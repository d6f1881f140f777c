#pragma once

#include "FitRequest.h"

#include <QDialog>
#include <QMap>

#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QTableWidget;
class QTableWidgetItem;

// The Fit dialog: the model, a built-in one or an expression of x; one start value for each
// parameter of an expression, the rows following the model as it is typed; the weights; and
// whether the residuals become a curve too. A form with typed accessors, run through the
// prompt by its caller.
class FitDialog : public QDialog
{
    Q_OBJECT

public:
    // A curve the weights may come from.
    struct Curve {
        int id;
        QString title;
    };

    // `typedModels` are offered after the built-in ones, newest first.
    FitDialog(QWidget* parent, const QStringList& typedModels, const std::vector<Curve>& weightCurves);

    void setModel(const QString& model);
    // What the fields ask for; false, with the reason in `problem`, for a model that cannot be
    // fitted as it is written or a start value that is no number.
    bool read(FitRequest& request, QString& problem) const;
    // Whether `text` is meant as a built-in model rather than as an expression.
    static bool namesBuiltin(const QString& text);

    // Stays open, with the reason shown, while the fields cannot be read.
    void accept() override;

private:
    void buildForm(const QStringList& typedModels, const std::vector<Curve>& weightCurves);
    void showParameters();
    void keepStart(QTableWidgetItem* item);

    QComboBox* modelBox = nullptr;
    QLabel* modelLabel = nullptr;
    QTableWidget* startTable = nullptr;
    QComboBox* weightsBox = nullptr;
    QCheckBox* residualsBox = nullptr;
    // Start values as typed, by parameter name, so that they outlive a model typed past them.
    QMap<QString, QString> typedStarts;
};

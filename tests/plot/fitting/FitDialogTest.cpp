#include "fitting/FitDialog.h"
#include "fitting/FitModelHistory.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class FitDialogTest : public ::testing::Test
{
protected:
    void type(const QString& model)
    {
        auto* line = dialog.findChild<QComboBox*>(QStringLiteral("fitModelCB"))->lineEdit();
        line->clear();
        QTest::keyClicks(line, model);
    }

    QTableWidget* starts() const { return dialog.findChild<QTableWidget*>(QStringLiteral("fitStartTable")); }

    QStringList column(int c) const
    {
        QStringList texts;
        for (int row = 0; row < starts()->rowCount(); ++row)
            texts << starts()->item(row, c)->text();
        return texts;
    }

    FitDialog dialog{nullptr, {QStringLiteral("a*x")}, {{3, QStringLiteral("sigma")}}};
};

// A start value typed for b outlives a model typed past it.
TEST_F(FitDialogTest, StartRowsFollowTheModelAsItIsTyped)
{
    type("a*exp(-b*x)");
    EXPECT_EQ(column(0), QStringList({"a", "b"}));
    EXPECT_EQ(column(1), QStringList({"1", "1"}));
    starts()->item(1, 1)->setText("2.5");
    type("a*exp(-b*x)+c");
    EXPECT_EQ(column(0), QStringList({"a", "b", "c"}));
    EXPECT_EQ(column(1), QStringList({"1", "2.5", "1"}));
    FitRequest request;
    QString problem;
    ASSERT_TRUE(dialog.read(request, problem));
    EXPECT_FALSE(request.builtin);
    EXPECT_EQ(request.model, "a*exp(-b*x)+c");
    EXPECT_EQ(request.starts, (std::map<std::string, double>{{"a", 1}, {"b", 2.5}, {"c", 1}}));
    EXPECT_EQ(request.sigmaCurve, -1);
}

// A built-in model guesses its start values; its rows only name its parameters.
TEST_F(FitDialogTest, ABuiltinModelTakesNoStartValues)
{
    type("gauss");
    EXPECT_EQ(column(0), QStringList({"a", "b", "c", "d"}));
    EXPECT_FALSE(starts()->item(0, 1)->flags() & Qt::ItemIsEditable);
    dialog.findChild<QComboBox*>(QStringLiteral("fitWeightsCB"))->setCurrentIndex(1);
    FitRequest request;
    QString problem;
    ASSERT_TRUE(dialog.read(request, problem));
    EXPECT_TRUE(request.builtin);
    EXPECT_TRUE(request.starts.empty());
    EXPECT_EQ(request.sigmaCurve, 3);
}

struct Refused {
    QString model;
    QString start;
    QString problem;
};

TEST_F(FitDialogTest, WhatCannotBeFittedIsRefusedWithTheReason)
{
    const Refused rows[] = {
        {"poly:11", "", "poly:N with N from 1 to 10"},
        {"a*(x", "", "does not parse"},
        {"2*x", "", "has no parameter"},
        {"a*x", "1,5", "The start value of a is no number: 1,5"},
        {"a*x", "", "The start value of a is no number: "},
    };
    for (const Refused& row : rows) {
        type(row.model);
        if (starts()->rowCount() > 0)
            starts()->item(0, 1)->setText(row.start);
        FitRequest request;
        QString problem;
        EXPECT_FALSE(dialog.read(request, problem)) << row.model.toStdString();
        EXPECT_TRUE(problem.contains(row.problem)) << problem.toStdString();
        dialog.accept();
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_TRUE(dialog.findChild<QLabel*>(QStringLiteral("fitModelLB"))->text().contains(row.problem));
    }
}

TEST(FitModelHistoryTest, TheLastTenModelsNewestFirst)
{
    QTemporaryDir dir;
    QSettings settings(dir.filePath("kurvo.ini"), QSettings::IniFormat);
    for (int i = 0; i < 12; ++i)
        FitModelHistory::remember(settings, QStringLiteral("a*x^%1").arg(i));
    QStringList models = FitModelHistory::models(settings);
    ASSERT_EQ(models.size(), FitModelHistory::kLength);
    EXPECT_EQ(models.front(), "a*x^11");
    EXPECT_EQ(models.back(), "a*x^2");
    FitModelHistory::remember(settings, QStringLiteral("a*x^5"));
    models = FitModelHistory::models(settings);
    EXPECT_EQ(models.size(), FitModelHistory::kLength);
    EXPECT_EQ(models.front(), "a*x^5");
    EXPECT_EQ(models.count("a*x^5"), 1);
}

} // namespace

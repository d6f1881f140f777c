#include "Attribute.h"
#include "PlotServerFixture.h"

#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QVBoxLayout>

#include <qwt_plot_curve.h>
#include <qwt_symbol.h>
#include <qwt_text.h>

#include <algorithm>
#include <vector>

namespace {

class CurveAppearanceTest : public PlotServerFixture<>
{
protected:
    // A curve of three points; it becomes the current curve.
    void add(int id, const QString& name = QStringLiteral("f(y)"))
    {
        const double x[] = {0, 1, 2};
        const double y[] = {1, 3, 2};
        server.createPlot(id, name, 3, x, y, false, 0);
    }

    const QwtPlotCurve& curve(int id) const { return *server.record(id)->curve; }

    // What a symbol dialog showed when it opened: the presets it was given.
    struct Seen {
        QColor pen;
        QColor brush;
        int size;
    };

    // Every symbol dialog from now on is noted in `seen` and answered with APPLY, unchanged.
    void applyUnchanged()
    {
        prompt->onDialog = [this](QDialog* dialog) {
            remember(dialog);
            return click(dialog, "applyPB");
        };
    }

    void remember(QDialog* dialog)
    {
        auto* attribute = qobject_cast<Attribute*>(dialog);
        ASSERT_NE(attribute, nullptr);
        seen.push_back({attribute->penColor(), attribute->brushColor(), attribute->size()});
    }

    static int click(QDialog* dialog, const char* button)
    {
        auto* pb = dialog->findChild<QPushButton*>(QLatin1String(button));
        EXPECT_NE(pb, nullptr) << button;
        if (pb)
            QTest::mouseClick(pb, Qt::LeftButton);
        return dialog->result();
    }

    // The first question of this kind; the caller has checked that there is one.
    const ScriptedPrompt::Call& firstCall(const char* kind) const
    {
        return *std::find_if(prompt->calls.begin(), prompt->calls.end(),
                             [kind](const ScriptedPrompt::Call& c) { return c.kind == QLatin1String(kind); });
    }

    std::vector<Seen> seen;
};

// ---- symbols ---------------------------------------------------------------------------------

TEST_F(CurveAppearanceTest, DiamondWithRedBrushIsDrawnAndBecomesThePreset)
{
    add(0);
    prompt->onDialog = [this](QDialog* dialog) {
        remember(dialog);
        prompt->answers.push_back(QColor(Qt::red));
        click(dialog, "brushPB");
        return click(dialog, "applyPB");
    };
    server.DiamondSymbolSlot();

    const QwtSymbol* symbol = curve(0).symbol();
    ASSERT_NE(symbol, nullptr);
    EXPECT_EQ(symbol->style(), QwtSymbol::Diamond);
    EXPECT_EQ(symbol->brush().color(), QColor(Qt::red));
    EXPECT_EQ(symbol->brush().style(), Qt::SolidPattern);
    EXPECT_EQ(symbol->pen().color(), QColor(Qt::white));
    EXPECT_EQ(symbol->size(), QSize(5, 5));
    EXPECT_TRUE(curve(0).testLegendAttribute(QwtPlotCurve::LegendShowSymbol));

    ASSERT_EQ(prompt->count("color"), 1);
    const ScriptedPrompt::Call& asked = firstCall("color");
    EXPECT_EQ(asked.title, "BRUSH COLOR");
    EXPECT_EQ(asked.label, QColor(Qt::black).name(QColor::HexArgb));

    applyUnchanged();
    server.RectSymbolSlot();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].brush, QColor(Qt::black));
    EXPECT_EQ(seen[1].brush, QColor(Qt::red));
    EXPECT_EQ(curve(0).symbol()->style(), QwtSymbol::Rect);
    EXPECT_EQ(curve(0).symbol()->brush().color(), QColor(Qt::red));
}

TEST_F(CurveAppearanceTest, PenColourAndSizeChosenInTheDialogReachTheSymbol)
{
    add(0);
    prompt->onDialog = [this](QDialog* dialog) {
        prompt->answers.push_back(QColor(Qt::green));
        click(dialog, "penPB");
        dialog->findChild<QSpinBox*>(QStringLiteral("sizeSB"))->setValue(9);
        return click(dialog, "applyPB");
    };
    server.EllipseSymbolSlot();

    ASSERT_EQ(prompt->count("color"), 1);
    const ScriptedPrompt::Call& asked = firstCall("color");
    EXPECT_EQ(asked.title, "PEN COLOR");
    EXPECT_EQ(asked.label, QColor(Qt::white).name(QColor::HexArgb));
    const QwtSymbol* symbol = curve(0).symbol();
    ASSERT_NE(symbol, nullptr);
    EXPECT_EQ(symbol->style(), QwtSymbol::Ellipse);
    EXPECT_EQ(symbol->pen().color(), QColor(Qt::green));
    EXPECT_EQ(symbol->brush().color(), QColor(Qt::black));
    EXPECT_EQ(symbol->size(), QSize(9, 9));
}

TEST_F(CurveAppearanceTest, CancelledColourDialogKeepsTheColour)
{
    add(0);
    prompt->onDialog = [this](QDialog* dialog) {
        click(dialog, "brushPB");
        remember(dialog);
        return click(dialog, "applyPB");
    };
    server.DiamondSymbolSlot();

    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].brush, QColor(Qt::black));
    EXPECT_EQ(curve(0).symbol()->brush().color(), QColor(Qt::black));
}

// The dialog as the user sees it: names, texts and places in the grid.
void expectAttributeTree(QDialog* dialog)
{
    EXPECT_EQ(dialog->objectName(), "Attribute");
    EXPECT_EQ(dialog->windowTitle(), "Attribute");
    auto* outer = qobject_cast<QVBoxLayout*>(dialog->layout());
    ASSERT_NE(outer, nullptr);
    EXPECT_EQ(outer->objectName(), "verticalLayout");
    auto* grid = dialog->findChild<QGridLayout*>(QStringLiteral("gridLayout"));
    ASSERT_NE(grid, nullptr);

    const struct {
        const char* name;
        int row;
        int column;
        const char* text;
    } labels[] = {{"penLB", 0, 0, "Pen:"}, {"brushLB", 1, 0, "Brush:"}, {"sizeLB", 2, 0, "Size:"}};
    for (const auto& l : labels) {
        auto* label = dialog->findChild<QLabel*>(QLatin1String(l.name));
        ASSERT_NE(label, nullptr) << l.name;
        EXPECT_EQ(label->text(), l.text);
        EXPECT_EQ(label->alignment(), Qt::AlignRight | Qt::AlignVCenter) << l.name;
        EXPECT_EQ(grid->itemAtPosition(l.row, l.column)->widget(), label) << l.name;
    }

    auto* penPB = dialog->findChild<QPushButton*>(QStringLiteral("penPB"));
    auto* brushPB = dialog->findChild<QPushButton*>(QStringLiteral("brushPB"));
    auto* sizeSB = dialog->findChild<QSpinBox*>(QStringLiteral("sizeSB"));
    auto* applyPB = dialog->findChild<QPushButton*>(QStringLiteral("applyPB"));
    ASSERT_TRUE(penPB && brushPB && sizeSB && applyPB);
    EXPECT_EQ(grid->itemAtPosition(0, 1)->widget(), penPB);
    EXPECT_EQ(grid->itemAtPosition(1, 1)->widget(), brushPB);
    EXPECT_EQ(grid->itemAtPosition(2, 1)->widget(), sizeSB);
    EXPECT_EQ(grid->itemAtPosition(3, 0)->widget(), applyPB);
    EXPECT_EQ(grid->itemAtPosition(3, 1)->widget(), applyPB);

    EXPECT_TRUE(penPB->text().isEmpty());
    EXPECT_TRUE(brushPB->text().isEmpty());
    // A pixmap, not merely an icon: a missing resource gives an icon that draws nothing.
    EXPECT_FALSE(penPB->icon().pixmap(16, 16).isNull());
    EXPECT_FALSE(brushPB->icon().pixmap(16, 16).isNull());
    EXPECT_EQ(applyPB->text(), "APPLY");
    EXPECT_EQ(sizeSB->minimum(), 1);
    EXPECT_EQ(sizeSB->value(), 5);
}

TEST_F(CurveAppearanceTest, AttributeDialogTree)
{
    add(0);
    prompt->onDialog = [](QDialog* dialog) {
        expectAttributeTree(dialog);
        return int(QDialog::Rejected);
    };
    server.DiamondSymbolSlot();
    EXPECT_EQ(prompt->count("dialog"), 1);
}

// The swatch is what tells the user which colour the symbol will get.
TEST_F(CurveAppearanceTest, ColourButtonsShowTheirColour)
{
    Attribute dialog(*prompt);
    dialog.setPenColor(Qt::blue);
    dialog.setBrushColor(Qt::yellow);
    const QImage pen = dialog.findChild<QPushButton*>(QStringLiteral("penPB"))->icon().pixmap(16, 16).toImage();
    const QImage brush = dialog.findChild<QPushButton*>(QStringLiteral("brushPB"))->icon().pixmap(16, 16).toImage();
    EXPECT_EQ(pen.pixelColor(8, 8), QColor(Qt::blue));
    EXPECT_EQ(brush.pixelColor(8, 8), QColor(Qt::yellow));
    EXPECT_EQ(dialog.penColor(), QColor(Qt::blue));
    EXPECT_EQ(dialog.brushColor(), QColor(Qt::yellow));
}

TEST_F(CurveAppearanceTest, ClosingTheSymbolDialogChangesNothing)
{
    add(0);
    prompt->onDialog = [this](QDialog* dialog) {
        prompt->answers.push_back(QColor(Qt::red));
        click(dialog, "brushPB");
        dialog->findChild<QSpinBox*>(QStringLiteral("sizeSB"))->setValue(8);
        return int(QDialog::Rejected);
    };
    server.DiamondSymbolSlot();
    EXPECT_EQ(curve(0).symbol(), nullptr);
    EXPECT_FALSE(curve(0).testLegendAttribute(QwtPlotCurve::LegendShowSymbol));

    applyUnchanged();
    server.DiamondSymbolSlot();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].pen, QColor(Qt::white));
    EXPECT_EQ(seen[0].brush, QColor(Qt::black));
    EXPECT_EQ(seen[0].size, 5);
}

TEST_F(CurveAppearanceTest, ClosingTheDialogKeepsAnEarlierSymbol)
{
    add(0);
    server.setCurveSymbol(QwtSymbol::Star1, Qt::cyan, Qt::magenta, 7);
    prompt->onDialog = [](QDialog*) { return int(QDialog::Rejected); };
    server.HexagonSymbolSlot();
    const QwtSymbol* symbol = curve(0).symbol();
    ASSERT_NE(symbol, nullptr);
    EXPECT_EQ(symbol->style(), QwtSymbol::Star1);
    EXPECT_EQ(symbol->brush().color(), QColor(Qt::magenta));
    EXPECT_EQ(symbol->size(), QSize(7, 7));
}

TEST_F(CurveAppearanceTest, NoSymbolRemovesTheSymbolAndKeepsThePresets)
{
    add(0);
    server.setCurveSymbol(QwtSymbol::Triangle, Qt::blue, Qt::red, 6);
    prompt->onDialog = [this](QDialog* dialog) {
        remember(dialog);
        return int(QDialog::Rejected);
    };
    server.NoSymbolSlot();
    ASSERT_NE(curve(0).symbol(), nullptr);
    EXPECT_EQ(curve(0).symbol()->style(), QwtSymbol::NoSymbol);
    EXPECT_EQ(prompt->count("dialog"), 0);

    server.TriangleSymbolSlot();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].pen, QColor(Qt::blue));
    EXPECT_EQ(seen[0].brush, QColor(Qt::red));
    EXPECT_EQ(seen[0].size, 6);
}

TEST_F(CurveAppearanceTest, SymbolGoesToTheCurrentCurveOnly)
{
    add(0);
    add(1);
    server.selectCurve(0);
    server.setCurveSymbol(QwtSymbol::Cross, Qt::blue, Qt::red, 6);
    ASSERT_NE(curve(0).symbol(), nullptr);
    EXPECT_EQ(curve(0).symbol()->style(), QwtSymbol::Cross);
    EXPECT_EQ(curve(1).symbol(), nullptr);
}

TEST_F(CurveAppearanceTest, WithoutACurrentCurveOnlyThePresetsChange)
{
    applyUnchanged();
    server.DiamondSymbolSlot();
    EXPECT_EQ(prompt->count("dialog"), 0);

    server.setCurveSymbol(QwtSymbol::Rect, Qt::green, Qt::yellow, 3);
    add(0);
    EXPECT_EQ(curve(0).symbol(), nullptr);

    server.RectSymbolSlot();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].pen, QColor(Qt::green));
    EXPECT_EQ(seen[0].brush, QColor(Qt::yellow));
    EXPECT_EQ(seen[0].size, 3);
}

TEST_F(CurveAppearanceTest, SymbolEntryOfTheCurveMenuOpensTheDialog)
{
    add(0);
    auto* menu = server.findChild<QMenu*>(QStringLiteral("curveMenu"));
    ASSERT_NE(menu, nullptr);
    QAction* hexagon = nullptr;
    for (QAction* entry : menu->actions())
        if (entry->menu() && entry->text() == "Symbol")
            for (QAction* symbol : entry->menu()->actions())
                if (symbol->text() == "Hexagon")
                    hexagon = symbol;
    ASSERT_NE(hexagon, nullptr);
    applyUnchanged();
    hexagon->trigger();
    ASSERT_NE(curve(0).symbol(), nullptr);
    EXPECT_EQ(curve(0).symbol()->style(), QwtSymbol::Hexagon);
}

// ---- width, name, drawing style ------------------------------------------------------------

TEST_F(CurveAppearanceTest, WidthIsAskedBetweenOneAndTen)
{
    add(0);
    const int before = curve(0).pen().width();
    prompt->answers = {0, 11, 4};
    server.widthSlot();
    EXPECT_EQ(curve(0).pen().width(), before);
    server.widthSlot();
    EXPECT_EQ(curve(0).pen().width(), before);
    server.widthSlot();
    EXPECT_EQ(curve(0).pen().width(), 4);

    ASSERT_EQ(prompt->count("integer"), 3);
    const ScriptedPrompt::Call& asked = prompt->calls.back();
    EXPECT_EQ(asked.title, "LINE WIDTH");
    EXPECT_EQ(asked.label, "Width:");
    ASSERT_EQ(asked.choices.size(), 3);
    EXPECT_EQ(asked.choices[1], "1");
    EXPECT_EQ(asked.choices[2], "10");
}

TEST_F(CurveAppearanceTest, RenameKeepsTheTitleForAnEmptyName)
{
    add(0, QStringLiteral("before"));
    prompt->answers = {QString(), QStringLiteral("after")};
    server.renameSlot();
    EXPECT_EQ(curve(0).title().text(), "before");
    server.renameSlot();
    EXPECT_EQ(curve(0).title().text(), "after");
    EXPECT_EQ(prompt->calls.front().choices, QStringList{"before"});
}

TEST_F(CurveAppearanceTest, PlotStyleRestylesEveryCurveButNotLaterOnes)
{
    add(0);
    add(1);
    server.setPlotStyle(QwtPlotCurve::Sticks);
    EXPECT_EQ(curve(0).style(), QwtPlotCurve::Sticks);
    EXPECT_EQ(curve(1).style(), QwtPlotCurve::Sticks);
    add(2);
    EXPECT_EQ(curve(2).style(), QwtPlotCurve::Lines);
}

} // namespace

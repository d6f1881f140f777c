#include "CodeEditor.h"
#include "LineNumberArea.h"

#include <QImage>
#include <QTest>
#include <QTextBlock>

#include <gtest/gtest.h>

namespace {

// Exposes the viewport margins that the editor sets for its gutter.
class InspectedEditor : public CodeEditor
{
public:
    using CodeEditor::viewportMargins;
};

QString lines(int n)
{
    QStringList text;
    for (int i = 0; i < n; ++i)
        text << QStringLiteral("iterate %1").arg(i);
    return text.join(QLatin1Char('\n'));
}

int nineWidth(const CodeEditor& editor)
{
    return editor.fontMetrics().horizontalAdvance(QLatin1Char('9'));
}

QWidget* gutterOf(CodeEditor& editor)
{
    return editor.findChild<QWidget*>("lineNumberArea");
}

TEST(CodeEditorTest, DigitsFollowTheBlockCount)
{
    EXPECT_EQ(CodeEditor::lineNumberDigits(0), 1);
    EXPECT_EQ(CodeEditor::lineNumberDigits(1), 1);
    EXPECT_EQ(CodeEditor::lineNumberDigits(9), 1);
    EXPECT_EQ(CodeEditor::lineNumberDigits(10), 2);
    EXPECT_EQ(CodeEditor::lineNumberDigits(99), 2);
    EXPECT_EQ(CodeEditor::lineNumberDigits(100), 3);
    EXPECT_EQ(CodeEditor::lineNumberDigits(100000), 6);
}

TEST(CodeEditorTest, GutterWidensAtTenAndAtHundredLines)
{
    InspectedEditor editor;
    const int nine = nineWidth(editor);
    ASSERT_GT(nine, 0);

    editor.setPlainText(lines(9));
    EXPECT_EQ(editor.blockCount(), 9);
    EXPECT_EQ(editor.numberAreaWidth(), 3 + nine);
    EXPECT_EQ(editor.viewportMargins().left(), 3 + nine);

    editor.setPlainText(lines(10));
    EXPECT_EQ(editor.numberAreaWidth(), 3 + 2 * nine);
    EXPECT_EQ(editor.viewportMargins().left(), 3 + 2 * nine);

    editor.setPlainText(lines(100));
    EXPECT_EQ(editor.numberAreaWidth(), 3 + 3 * nine);
    EXPECT_EQ(editor.viewportMargins().left(), 3 + 3 * nine);

    editor.setPlainText(lines(99));
    EXPECT_EQ(editor.viewportMargins().left(), 3 + 2 * nine);
    EXPECT_EQ(editor.viewportMargins().top(), 0);
    EXPECT_EQ(editor.viewportMargins().right(), 0);
    EXPECT_EQ(editor.viewportMargins().bottom(), 0);
}

TEST(CodeEditorTest, TypingTheTenthLineWidensTheGutter)
{
    InspectedEditor editor;
    editor.setPlainText(lines(9));
    const int before = editor.viewportMargins().left();
    QTextCursor cursor = editor.textCursor();
    cursor.movePosition(QTextCursor::End);
    editor.setTextCursor(cursor);
    QTest::keyClick(&editor, Qt::Key_Return);
    EXPECT_EQ(editor.blockCount(), 10);
    EXPECT_EQ(editor.viewportMargins().left(), before + nineWidth(editor));
}

TEST(CodeEditorTest, GutterSitsAtTheLeftOfTheContents)
{
    CodeEditor editor;
    editor.setPlainText(lines(12));
    editor.resize(300, 200);
    editor.show();
    QCoreApplication::processEvents();
    QWidget* gutter = gutterOf(editor);
    ASSERT_NE(gutter, nullptr);
    const QRect cr = editor.contentsRect();
    EXPECT_EQ(gutter->geometry(), QRect(cr.left(), cr.top(), editor.numberAreaWidth(), cr.height()));
    EXPECT_EQ(gutter->sizeHint(), QSize(editor.numberAreaWidth(), 0));
}

TEST(CodeEditorTest, CurrentLineCarriesALightYellowFullWidthBand)
{
    CodeEditor editor;
    editor.setPlainText("iterate 5\nstep 2\nexpr = x");
    QTextCursor cursor(editor.document()->findBlockByNumber(1));
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    editor.setTextCursor(cursor);

    const auto selections = editor.extraSelections();
    ASSERT_EQ(selections.size(), 1);
    const QTextEdit::ExtraSelection& band = selections.front();
    EXPECT_EQ(band.format.background().color(), QColor(Qt::yellow).lighter(160));
    EXPECT_EQ(band.format.background().style(), Qt::SolidPattern);
    EXPECT_TRUE(band.format.property(QTextFormat::FullWidthSelection).toBool());
    EXPECT_FALSE(band.cursor.hasSelection());
    EXPECT_EQ(band.cursor.blockNumber(), 1);
}

TEST(CodeEditorTest, ReadOnlyEditorShowsNoBand)
{
    CodeEditor editor;
    editor.setPlainText("iterate 5\nstep 2");
    editor.setReadOnly(true);
    editor.moveCursor(QTextCursor::End);
    EXPECT_TRUE(editor.extraSelections().isEmpty());
}

// Renders the gutter and tells whether it holds dark pixels (the numbers) on light gray.
bool gutterShowsText(CodeEditor& editor, QImage* image = nullptr)
{
    editor.resize(300, 200);
    editor.show();
    QCoreApplication::processEvents();
    QWidget* gutter = gutterOf(editor);
    const QImage shot = gutter->grab().toImage();
    if (image)
        *image = shot;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            if (qGray(shot.pixel(x, y)) < 64)
                return true;
        }
    }
    return false;
}

TEST(CodeEditorTest, EmptyDocumentShowsTheNumberOne)
{
    CodeEditor editor;
    EXPECT_EQ(editor.blockCount(), 1);
    QImage shot;
    EXPECT_TRUE(gutterShowsText(editor, &shot));
    ASSERT_FALSE(shot.isNull());
    EXPECT_EQ(QColor(shot.pixel(shot.width() - 1, shot.height() - 1)), QColor(Qt::lightGray));
}

TEST(CodeEditorTest, WrappedLineKeepsOneNumberAndItsFullHeight)
{
    CodeEditor editor;
    editor.setLineWrapMode(QPlainTextEdit::WidgetWidth);
    editor.setPlainText(QString(120, QLatin1Char('a')) + QStringLiteral("\nb"));
    editor.resize(300, 400);
    editor.show();
    QCoreApplication::processEvents();
    const QTextBlock first = editor.document()->firstBlock();
    ASSERT_GT(first.layout()->lineCount(), 1);

    // The second number stands below every row of the wrapped first block.
    const QImage shot = gutterOf(editor)->grab().toImage();
    const int lineHeight = editor.fontMetrics().height();
    const int firstBlockHeight = int(editor.document()->documentLayout()->blockBoundingRect(first).height());
    auto rowHasText = [&](int top, int bottom) {
        for (int y = qMax(0, top); y < qMin(shot.height(), bottom); ++y)
            for (int x = 0; x < shot.width(); ++x)
                if (qGray(shot.pixel(x, y)) < 64)
                    return true;
        return false;
    };
    EXPECT_TRUE(rowHasText(0, lineHeight));
    EXPECT_FALSE(rowHasText(lineHeight + 1, firstBlockHeight - 1));
    EXPECT_TRUE(rowHasText(firstBlockHeight, firstBlockHeight + lineHeight + 4));
}

} // namespace

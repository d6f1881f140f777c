#pragma once

#include <QPlainTextEdit>

class LineNumberArea;
class QPaintEvent;
class QResizeEvent;

// The Math script editor: plain text with line numbers in a gutter on the left and a band
// behind the line that holds the cursor.
class CodeEditor : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit CodeEditor(QWidget* parent = nullptr);

    // Gutter width in pixels for the document's block count: 3 plus one "9" per digit.
    int numberAreaWidth() const;
    // The digits of the greatest line number, for a block count of at least 1.
    static int lineNumberDigits(int blockCount);
    void paintNumberArea(QPaintEvent* event);

protected:
    void resizeEvent(QResizeEvent* event) override;

private slots:
    void updateLineNumberAreaWidth(int newBlockCount);
    void highlightCurrentLine();
    void updateLineNumberArea(const QRect& rect, int dy);

private:
    LineNumberArea* lineNumberArea;
};

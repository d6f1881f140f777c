#include "LineNumberArea.h"

#include "CodeEditor.h"

LineNumberArea::LineNumberArea(CodeEditor* editor)
    : QWidget(editor)
    , codeEditor(editor)
{
}

QSize LineNumberArea::sizeHint() const
{
    return QSize(codeEditor->numberAreaWidth(), 0);
}

void LineNumberArea::paintEvent(QPaintEvent* event)
{
    codeEditor->paintNumberArea(event);
}

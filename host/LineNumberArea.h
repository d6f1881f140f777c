#pragma once

#include <QWidget>

class CodeEditor;

// The gutter of the script editor; it only hands its size and painting to the editor.
class LineNumberArea : public QWidget
{
public:
    explicit LineNumberArea(CodeEditor* editor);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CodeEditor* codeEditor;
};

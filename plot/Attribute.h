#pragma once

#include <QColor>
#include <QDialog>

class Prompt;
class QPushButton;
class QSpinBox;

// Asks for the look of a curve's symbol: outline colour, fill colour and size in pixels.
// APPLY accepts; the caller reads the choice through the getters. The colour dialogs go
// through the prompt so that tests can answer them.
class Attribute : public QDialog
{
    Q_OBJECT

public:
    explicit Attribute(Prompt& prompt, QWidget* parent = nullptr);

    // Each setter also shows the value on its button or spin box.
    void setPenColor(const QColor& color);
    void setBrushColor(const QColor& color);
    void setSize(int size);

    QColor penColor() const { return pen; }
    QColor brushColor() const { return brush; }
    int size() const { return symbolSize; }

private slots:
    void valueChanged(int val);
    void penColorSlot();
    void brushColorSlot();

private:
    void buildTree();
    // A colour chosen in the prompt's colour dialog starting at `initial`; invalid if cancelled.
    QColor askColor(const QColor& initial, const char* title);
    static QIcon swatch(const QColor& color);

    Prompt& prompt;
    QPushButton* penPB = nullptr;
    QPushButton* brushPB = nullptr;
    QSpinBox* sizeSB = nullptr;
    QPushButton* applyPB = nullptr;
    QColor pen = Qt::white;
    QColor brush = Qt::black;
    int symbolSize = 5;
};

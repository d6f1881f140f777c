#pragma once

#include <QLabel>

// A one-line label that asks for no more than a few dozen characters and cuts a longer text
// short with "…"; its tool tip then adds the whole text to the label's own tip.
class ElidedLabel : public QLabel
{
public:
    explicit ElidedLabel(const QString& text, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // Whether the width given cuts the text short.
    bool isElided() const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

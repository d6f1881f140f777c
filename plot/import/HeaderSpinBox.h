#pragma once

#include <QSpinBox>

// The header's line after the skipped ones: -1 reads "Automatic" and 0 "None".
class HeaderSpinBox : public QSpinBox
{
    Q_OBJECT

public:
    explicit HeaderSpinBox(QWidget* parent = nullptr);

protected:
    QString textFromValue(int value) const override;
    int valueFromText(const QString& text) const override;
    QValidator::State validate(QString& text, int& pos) const override;
};

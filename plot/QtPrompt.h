#pragma once

#include "Prompt.h"

// The real dialogs: exactly the captions, labels, filters and buttons the caller passes.
class QtPrompt : public Prompt
{
public:
    QStringList openFileNames(QWidget* parent, const QString& caption, const QString& dir,
                              const QStringList& filters, QString* selectedFilter) override;
    QString openFileName(QWidget* parent, const QString& caption, const QString& dir,
                         const QString& filter) override;
    QString saveFileName(QWidget* parent, const QString& caption, const QString& dir,
                         const QString& filter) override;
    bool text(QWidget* parent, const QString& title, const QString& label, QString& value) override;
    bool integer(QWidget* parent, const QString& title, const QString& label, int& value,
                 int minimum, int maximum, int step) override;
    bool item(QWidget* parent, const QString& title, const QString& label,
              const QStringList& items, int current, QString& value) override;
    QColor color(const QColor& initial, QWidget* parent, const QString& title,
                 QColorDialog::ColorDialogOptions options) override;
    void warning(QWidget* parent, const QString& title, const QString& text) override;
    void critical(QWidget* parent, const QString& title, const QString& text) override;
    int dialog(QDialog* dialog) override;
    QAction* menu(QMenu* menu, const QPoint& globalPos) override;
    QString saveFileNameWithFilter(QWidget* parent, const QString& caption, const QString& dir,
                                   const QString& filters, QString* selectedFilter) override;
    bool printPreview(QPrinter* printer, QWidget* parent, const std::function<void(QPrinter*)>& paint) override;
    std::unique_ptr<PromptProgress> progress(QWidget* parent, const QString& label, const QString& cancelText,
                                             int minimum, int maximum) override;
};

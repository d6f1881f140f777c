#pragma once

#include "Prompt.h"

// kurvo-render never shows a dialog: every question is refused as if cancelled, and the
// first one is remembered so that the run can fail with a clear reason.
class RefusingPrompt : public Prompt
{
public:
    const QString& firstQuestion() const { return question; }

    QStringList openFileNames(QWidget*, const QString& caption, const QString&, const QStringList&,
                              QString*) override;
    QString openFileName(QWidget*, const QString& caption, const QString&, const QString&) override;
    QString saveFileName(QWidget*, const QString& caption, const QString&, const QString&) override;
    bool text(QWidget*, const QString& title, const QString&, QString&) override;
    bool integer(QWidget*, const QString& title, const QString&, int&, int, int, int) override;
    bool item(QWidget*, const QString& title, const QString&, const QStringList&, int, QString&) override;
    QColor color(const QColor&, QWidget*, const QString& title, QColorDialog::ColorDialogOptions) override;
    void warning(QWidget*, const QString& title, const QString& text) override;
    void critical(QWidget*, const QString& title, const QString& text) override;
    int dialog(QDialog* dialog) override;
    // A file's data sets are read as chosen by default: every 1-D and 2-D numeric set of its
    // root group.
    bool pickDataSets(QDialog*) override { return true; }
    QAction* menu(QMenu* menu, const QPoint&) override;
    std::unique_ptr<PromptProgress> progress(QWidget*, const QString&, const QString&, int, int) override;

private:
    void refuse(const QString& what);

    QString question;
};

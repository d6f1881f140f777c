#pragma once

#include "Prompt.h"

#include <QVariant>

#include <deque>
#include <functional>
#include <vector>

// Answers every question from a queue instead of a modal dialog and records what was asked.
// An empty queue, or an invalid QVariant in it, answers "cancel".
class ScriptedPrompt : public Prompt
{
public:
    struct Call {
        QString kind;
        QString title;
        QString label;
        QString dir;
        QStringList choices;
    };

    // A progress dialog as it was opened, the values it was given, and whether it has closed.
    struct ProgressRecord {
        QString label;
        QString cancelText;
        int minimum = 0;
        int maximum = 0;
        std::vector<int> values;
        bool closed = false;
    };

    std::deque<QVariant> answers;
    std::deque<ProgressRecord> progressDialogs;
    // Cancel is pressed when an operation asks for the n-th time (counted from 1 over every
    // dialog) whether it was cancelled; 0 never presses it.
    int cancelAtCheck = 0;
    // The filter a save dialog reports as chosen; empty keeps the first one offered.
    QString chosenSaveFilter;
    // The document names of the printers previewed; each preview paints its page once.
    QStringList previewedDocuments;
    // Where a previewed page goes as PDF, instead of a printer; empty leaves the printer alone.
    QString printToFile;
    int cancelChecks = 0;
    std::vector<Call> calls;
    std::function<int(QDialog*)> onDialog;
    std::function<QAction*(QMenu*)> onMenu;
    // Gets each window instead of its being shown.
    std::function<void(QWidget*)> onWindow;

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
    // Recorded as "dataSets"; `onDialog` answers it as it answers a dialog.
    bool pickDataSets(QDialog* picker) override;
    // Recorded as "fit"; `onDialog` fills the dialog's fields and answers it.
    bool fitSettings(QDialog* fitDialog) override;
    QAction* menu(QMenu* menu, const QPoint& globalPos) override;
    // Recorded as "window" with its title, and handed to `onWindow`.
    void showWindow(QWidget* window) override;
    QString saveFileNameWithFilter(QWidget* parent, const QString& caption, const QString& dir,
                                   const QString& filters, QString* selectedFilter) override;
    bool printPreview(QPrinter* printer, QWidget* parent, const std::function<void(QPrinter*)>& paint) override;
    std::unique_ptr<PromptProgress> progress(QWidget* parent, const QString& label, const QString& cancelText,
                                             int minimum, int maximum) override;

    int count(const QString& kind) const;

private:
    QVariant next();
};

#pragma once

#include <QColor>
#include <QColorDialog>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

class PromptProgress;
class QPrinter;

class QDialog;
class QMenu;
class QAction;
class QPoint;
class QWidget;

// Every question the plot widget or the host asks the user goes through this interface,
// so that tests can answer it from a script instead of a modal dialog.
class Prompt
{
public:
    virtual ~Prompt() = default;

    // Several existing files; `selectedFilter` carries the initial filter in and the chosen one out.
    virtual QStringList openFileNames(QWidget* parent, const QString& caption, const QString& dir,
                                      const QStringList& filters, QString* selectedFilter) = 0;
    virtual QString openFileName(QWidget* parent, const QString& caption, const QString& dir,
                                 const QString& filter) = 0;
    virtual QString saveFileName(QWidget* parent, const QString& caption, const QString& dir,
                                 const QString& filter) = 0;
    // The same with several ";;"-separated filters; `selectedFilter` gets the one chosen.
    // Without a dialog of its own the chosen filter stays as it came in.
    virtual QString saveFileNameWithFilter(QWidget* parent, const QString& caption, const QString& dir,
                                           const QString& filters, QString* selectedFilter)
    {
        Q_UNUSED(selectedFilter);
        return saveFileName(parent, caption, dir, filters);
    }

    // The answer goes into `value` (which also holds the preset); false when cancelled.
    virtual bool text(QWidget* parent, const QString& title, const QString& label, QString& value) = 0;
    virtual bool integer(QWidget* parent, const QString& title, const QString& label, int& value,
                         int minimum, int maximum, int step) = 0;
    virtual bool item(QWidget* parent, const QString& title, const QString& label,
                      const QStringList& items, int current, QString& value) = 0;

    // An invalid colour means cancelled.
    virtual QColor color(const QColor& initial, QWidget* parent, const QString& title,
                         QColorDialog::ColorDialogOptions options) = 0;

    virtual void warning(QWidget* parent, const QString& title, const QString& text) = 0;
    virtual void critical(QWidget* parent, const QString& title, const QString& text) = 0;

    // Runs a dialog of our own modally and returns its result code.
    virtual int dialog(QDialog* dialog) = 0;
    // Asks which data sets of a file to read in `picker`, which shows them with the ones read
    // by default chosen; false when cancelled. A prompt that shows no dialog takes those.
    virtual bool pickDataSets(QDialog* picker) { return dialog(picker) == QDialog::Accepted; }
    // The Fit dialog: true when the user asks for the fit its fields describe. A prompt that
    // shows no dialog refuses it, as any dialog.
    virtual bool fitSettings(QDialog* fitDialog) { return dialog(fitDialog) == QDialog::Accepted; }
    // Shows a context menu modally; returns the triggered action or null.
    virtual QAction* menu(QMenu* menu, const QPoint& globalPos) = 0;
    // Shows a window of our own beside the plot, not modally, and returns at once; the window
    // belongs to its parent.
    virtual void showWindow(QWidget* window)
    {
        window->show();
        window->raise();
        window->activateWindow();
    }

    // Shows a print preview of `printer`, which `paint` draws onto, and prints when the user
    // asks; false when there was no preview to show.
    virtual bool printPreview(QPrinter* printer, QWidget* parent, const std::function<void(QPrinter*)>& paint)
    {
        Q_UNUSED(printer);
        Q_UNUSED(parent);
        Q_UNUSED(paint);
        return false;
    }

    // A window-modal progress dialog over [minimum, maximum] with a cancel button, shown at once.
    virtual std::unique_ptr<PromptProgress> progress(QWidget* parent, const QString& label,
                                                     const QString& cancelText, int minimum, int maximum) = 0;
};

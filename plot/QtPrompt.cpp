#include "QtPrompt.h"

#include "FileDialogMemory.h"
#include "PromptProgress.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>

namespace {

// A desktop's own dialog hands names over as UTF-8 text, which cannot carry the bytes of a
// name that are no UTF-8. Qt's own dialog reads them through the locale's codec: the names
// it gives are the file system's bytes.
const QFileDialog::Options kFileDialogOptions = QFileDialog::DontUseNativeDialog;

// A dialog of one file with ";;"-separated filters that starts in the folder and on the
// filter it was last answered with, and remembers the new answer.
QString askFile(const QString& caption, const QString& dir, const QString& filters, QString* selectedFilter,
                const std::function<QString(const QString&, QString*)>& ask)
{
    QString filter = FileDialogMemory::filter(caption, filters.split(QStringLiteral(";;")),
                                              selectedFilter ? *selectedFilter : QString());
    const QString file = ask(FileDialogMemory::folder(caption, dir), &filter);
    if (file.isEmpty())
        return file;
    FileDialogMemory::remember(caption, file, filter);
    if (selectedFilter)
        *selectedFilter = filter;
    return file;
}

} // namespace

QStringList QtPrompt::openFileNames(QWidget* parent, const QString& caption, const QString& dir,
                                    const QStringList& filters, QString* selectedFilter)
{
    QFileDialog fileDialog(parent, caption, FileDialogMemory::folder(caption, dir));
    fileDialog.setOptions(kFileDialogOptions);
    fileDialog.setFileMode(QFileDialog::ExistingFiles);
    fileDialog.setNameFilters(filters);
    const QString filter = FileDialogMemory::filter(caption, filters, selectedFilter ? *selectedFilter : QString());
    if (!filter.isEmpty())
        fileDialog.selectNameFilter(filter);
    if (fileDialog.exec() != QDialog::Accepted || fileDialog.selectedFiles().isEmpty())
        return {};
    FileDialogMemory::remember(caption, fileDialog.selectedFiles().front(), fileDialog.selectedNameFilter());
    if (selectedFilter)
        *selectedFilter = fileDialog.selectedNameFilter();
    return fileDialog.selectedFiles();
}

QString QtPrompt::openFileName(QWidget* parent, const QString& caption, const QString& dir,
                               const QString& filter)
{
    return askFile(caption, dir, filter, nullptr, [&](const QString& folder, QString* chosen) {
        return QFileDialog::getOpenFileName(parent, caption, folder, filter, chosen, kFileDialogOptions);
    });
}

QString QtPrompt::saveFileName(QWidget* parent, const QString& caption, const QString& dir,
                               const QString& filter)
{
    return saveFileNameWithFilter(parent, caption, dir, filter, nullptr);
}

bool QtPrompt::text(QWidget* parent, const QString& title, const QString& label, QString& value)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(parent, title, label, QLineEdit::Normal, value, &ok);
    if (ok)
        value = answer;
    return ok;
}

bool QtPrompt::integer(QWidget* parent, const QString& title, const QString& label, int& value,
                       int minimum, int maximum, int step)
{
    bool ok = false;
    const int answer = QInputDialog::getInt(parent, title, label, value, minimum, maximum, step, &ok);
    if (ok)
        value = answer;
    return ok;
}

bool QtPrompt::item(QWidget* parent, const QString& title, const QString& label,
                    const QStringList& items, int current, QString& value)
{
    bool ok = false;
    const QString answer = QInputDialog::getItem(parent, title, label, items, current, false, &ok);
    if (ok)
        value = answer;
    return ok;
}

QColor QtPrompt::color(const QColor& initial, QWidget* parent, const QString& title,
                       QColorDialog::ColorDialogOptions options)
{
    return QColorDialog::getColor(initial, parent, title, options);
}

void QtPrompt::warning(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox::warning(parent, title, text, QMessageBox::Ok);
}

void QtPrompt::critical(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox::critical(parent, title, text, QMessageBox::Ok, QMessageBox::NoButton);
}

int QtPrompt::dialog(QDialog* dialog)
{
    return dialog->exec();
}

QAction* QtPrompt::menu(QMenu* menu, const QPoint& globalPos)
{
    return menu->exec(globalPos);
}

namespace {

class DialogProgress : public PromptProgress
{
public:
    DialogProgress(QWidget* parent, const QString& label, const QString& cancelText, int minimum, int maximum)
        : dialog(label, cancelText, minimum, maximum, parent)
    {
        dialog.setWindowModality(Qt::WindowModal);
        dialog.setMinimumDuration(0);
        dialog.show();
        // The work that follows keeps the event loop busy: without this the dialog stays an
        // empty frame until the first value arrives.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }

    void setValue(int value) override { dialog.setValue(value); }
    bool wasCanceled() const override { return dialog.wasCanceled(); }

private:
    QProgressDialog dialog;
};

} // namespace

std::unique_ptr<PromptProgress> QtPrompt::progress(QWidget* parent, const QString& label, const QString& cancelText,
                                                   int minimum, int maximum)
{
    return std::make_unique<DialogProgress>(parent, label, cancelText, minimum, maximum);
}

QString QtPrompt::saveFileNameWithFilter(QWidget* parent, const QString& caption, const QString& dir,
                                         const QString& filters, QString* selectedFilter)
{
    return askFile(caption, dir, filters, selectedFilter, [&](const QString& folder, QString* chosen) {
        return QFileDialog::getSaveFileName(parent, caption, folder, filters, chosen, kFileDialogOptions);
    });
}

bool QtPrompt::printPreview(QPrinter* printer, QWidget* parent, const std::function<void(QPrinter*)>& paint)
{
    QPrintPreviewDialog preview(printer, parent);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, paint);
    preview.exec();
    return true;
}

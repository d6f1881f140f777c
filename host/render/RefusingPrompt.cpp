#include "RefusingPrompt.h"

#include "PromptProgress.h"

#include <QDialog>

void RefusingPrompt::refuse(const QString& what)
{
    if (question.isEmpty())
        question = what;
}

QStringList RefusingPrompt::openFileNames(QWidget*, const QString& caption, const QString&,
                                          const QStringList&, QString*)
{
    refuse(caption);
    return {};
}

QString RefusingPrompt::openFileName(QWidget*, const QString& caption, const QString&, const QString&)
{
    refuse(caption);
    return {};
}

QString RefusingPrompt::saveFileName(QWidget*, const QString& caption, const QString&, const QString&)
{
    refuse(caption);
    return {};
}

bool RefusingPrompt::text(QWidget*, const QString& title, const QString&, QString&)
{
    refuse(title);
    return false;
}

bool RefusingPrompt::integer(QWidget*, const QString& title, const QString&, int&, int, int, int)
{
    refuse(title);
    return false;
}

bool RefusingPrompt::item(QWidget*, const QString& title, const QString&, const QStringList&, int, QString&)
{
    refuse(title);
    return false;
}

QColor RefusingPrompt::color(const QColor&, QWidget*, const QString& title, QColorDialog::ColorDialogOptions)
{
    refuse(title);
    return {};
}

void RefusingPrompt::warning(QWidget*, const QString& title, const QString& text)
{
    refuse(title + QStringLiteral(": ") + text);
}

void RefusingPrompt::critical(QWidget*, const QString& title, const QString& text)
{
    refuse(title + QStringLiteral(": ") + text);
}

int RefusingPrompt::dialog(QDialog* dialog)
{
    refuse(dialog->windowTitle());
    return QDialog::Rejected;
}

QAction* RefusingPrompt::menu(QMenu*, const QPoint&)
{
    return nullptr;
}

namespace {

// Nothing to show and nobody to press Cancel: the operation runs to its end.
class SilentProgress : public PromptProgress
{
public:
    void setValue(int) override {}
    bool wasCanceled() const override { return false; }
};

} // namespace

std::unique_ptr<PromptProgress> RefusingPrompt::progress(QWidget*, const QString&, const QString&, int, int)
{
    return std::make_unique<SilentProgress>();
}

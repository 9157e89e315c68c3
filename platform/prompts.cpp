#include "prompts.h"

#include "captions.h"
#include "windowplacement.h"

#include <QColorDialog>
#include <QMessageBox>

void QtPrompts::message(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, Captions::program, text, QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    keepModalWindowShown(&box);
    box.exec();
}

std::optional<QColor> QtPrompts::chooseColor(const QColor &initial)
{
    QColorDialog dialog(initial);
    keepModalWindowShown(&dialog);
    if (dialog.exec() != QDialog::Accepted || !dialog.selectedColor().isValid())
        return std::nullopt;
    return dialog.selectedColor();
}

bool ColorChooser::choose()
{
    const std::optional<QColor> chosen = m_prompts.chooseColor(color);
    if (!chosen)
        return false;
    color = *chosen;
    return true;
}

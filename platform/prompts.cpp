#include "prompts.h"

#include "captions.h"
#include "openboxmodal.h"

#include <QColorDialog>
#include <QMessageBox>

// With their window as parent, the window system keeps both dialogs above that window, and
// Qt centres them on it.

void QtPrompts::message(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, Captions::program, text, QMessageBox::Ok, parent);
    box.setWindowModality(Qt::ApplicationModal);
    hideOpenboxMinimiseButton(&box);
    box.exec();
}

std::optional<QColor> QtPrompts::chooseColor(QWidget *parent, const QColor &initial)
{
    QColorDialog dialog(initial, parent);
    hideOpenboxMinimiseButton(&dialog);
    if (dialog.exec() != QDialog::Accepted || !dialog.selectedColor().isValid())
        return std::nullopt;
    return dialog.selectedColor();
}

bool ColorChooser::choose(QWidget *parent)
{
    const std::optional<QColor> chosen = m_prompts.chooseColor(parent, color);
    if (!chosen)
        return false;
    color = *chosen;
    return true;
}

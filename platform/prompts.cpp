#include "prompts.h"

#include "windowplacement.h"

#include <QColorDialog>
#include <QMessageBox>

namespace {

class QtPrompts : public UserPrompts
{
public:
    void message(const QString &text) override
    {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Tessarine 2005"), text, QMessageBox::Ok);
        box.setWindowModality(Qt::ApplicationModal);
        keepModalWindowShown(&box);
        box.exec();
    }

    std::optional<QColor> chooseColor(const QColor &initial) override
    {
        QColorDialog dialog(initial);
        keepModalWindowShown(&dialog);
        if (dialog.exec() != QDialog::Accepted || !dialog.selectedColor().isValid())
            return std::nullopt;
        return dialog.selectedColor();
    }
};

QtPrompts qtPrompts;
UserPrompts *current = &qtPrompts;

} // namespace

UserPrompts &prompts()
{
    return *current;
}

void setPrompts(UserPrompts *prompts)
{
    current = prompts ? prompts : &qtPrompts;
}

bool ColorChooser::choose()
{
    const std::optional<QColor> chosen = prompts().chooseColor(color);
    if (!chosen)
        return false;
    color = *chosen;
    return true;
}

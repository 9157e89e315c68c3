#include "prompts.h"

#include "widgets.h"

#include <QColorDialog>
#include <QMessageBox>

namespace {

class QtPrompts : public UserPrompts
{
public:
    void Message(const QString &text) override
    {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Tessarine 2005"), text, QMessageBox::Ok);
        box.setWindowModality(Qt::ApplicationModal);
        KeepModalWindowShown(&box);
        box.exec();
    }

    std::optional<QColor> ChooseColor(const QColor &initial) override
    {
        QColorDialog dialog(initial);
        KeepModalWindowShown(&dialog);
        if (dialog.exec() != QDialog::Accepted || !dialog.selectedColor().isValid())
            return std::nullopt;
        return dialog.selectedColor();
    }
};

QtPrompts qtPrompts;
UserPrompts *current = &qtPrompts;

} // namespace

UserPrompts &Prompts()
{
    return *current;
}

void SetPrompts(UserPrompts *prompts)
{
    current = prompts ? prompts : &qtPrompts;
}

bool ColorChooser::Execute()
{
    const std::optional<QColor> chosen = Prompts().ChooseColor(Color);
    if (!chosen)
        return false;
    Color = *chosen;
    return true;
}

#include "startup.h"

#include "fonts.h"
#include "main_window.h"
#include "search_window.h"
#include "settings_window.h"
#include "start_window.h"
#include "strip_window.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

// Qt's own texts (the colour dialog, the message box's button, the text boxes' context
// menu) in Simplified Chinese like the rest of the program, whatever the learner's locale.
void loadToolkitTranslations(QApplication &app)
{
    auto *translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator; // without the catalogue, Qt's texts stay in English
}

} // namespace

void createForms(QApplication &app)
{
    Fonts::installSubstitutes();
    loadToolkitTranslations(app);
    app.setQuitOnLastWindowClosed(false); // the run ends when the start window closes
    Form4 = new TForm4;
    Form5 = new TForm5;
    // The task-bar name; unlike a display name it leaves every window's caption alone.
    QApplication::setApplicationName(QStringLiteral("Velkaro 2005"));
    Form1 = new TForm1;
    Form2 = new TForm2;
    Form3 = new TForm3;
}

void destroyForms()
{
    delete Form3;
    delete Form2;
    delete Form1;
    delete Form5;
    delete Form4;
    Form3 = nullptr;
    Form2 = nullptr;
    Form1 = nullptr;
    Form5 = nullptr;
    Form4 = nullptr;
}

int runProgram(QApplication &app)
{
    createForms(app);
    Form4->show();
    app.exec();
    destroyForms();
    return 0;
}

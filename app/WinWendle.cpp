#include "WendleForm.h"
#include "WendleHelpForm.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName("Wendle");
    // The help window may still be open when the main window closes; the program ends with
    // the main window all the same.
    QApplication::setQuitOnLastWindowClosed(false);

    wendle::TWendleForm wendleForm;
    QObject::connect(&wendleForm, &wendle::TWendleForm::Closed, &application, &QApplication::quit);
    wendleForm.show();

    wendle::TWendleHelpForm wendleHelpForm;
    wendleForm.SetHelpForm(&wendleHelpForm);

    return application.exec();
}

#include "app/WendleForm.h"
#include "help/WendleHelpForm.h"

#include <QApplication>
#include <QIcon>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <span>

int main(int argc, char** argv)
{
    // Answered before the window system is opened, so that it works without a display.
    const std::span arguments(argv, static_cast<std::size_t>(argc));
    if (std::ranges::any_of(arguments.subspan(1),
            [](const char* argument) { return std::strcmp(argument, "--version") == 0; })) {
        std::printf("wendle %s\n", WENDLE_VERSION);
        return 0;
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName("Wendle");
    QApplication::setApplicationVersion(WENDLE_VERSION);
    // Ties the windows to the installed desktop entry, whose icon the desktop then shows.
    QApplication::setDesktopFileName("wendle");
    QIcon icon;
    icon.addFile(":/icons/wendle-48.png");
    icon.addFile(":/icons/wendle-256.png");
    // Every window without an icon of its own, the help window among them, takes this one.
    QApplication::setWindowIcon(icon);
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

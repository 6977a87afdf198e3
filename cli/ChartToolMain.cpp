#include "cli/ChartTool.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstring>
#include <iostream>
#include <memory>

namespace {

// Qt's own notes ("XDG_RUNTIME_DIR not set", ...) are no business of a command-line tool's
// user, whose standard error carries one line per real error; real failures still show.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << "wendle-chart: Qt: " << message.toStdString() << '\n';
}

} // namespace

int main(int argc, char** argv)
{
    qInstallMessageHandler(QuietMessages);
    // Writing a PDF goes through the print driver, whose status dialog needs a widget
    // application; a command-line tool shows it on no screen, so it runs offscreen.
    bool writesPdf = false;
    for (int i = 1; i < argc; ++i)
        writesPdf = writesPdf || std::strncmp(argv[i], "--pdf", 5) == 0;
    std::unique_ptr<QCoreApplication> application;
    if (writesPdf) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName("wendle-chart");
    std::ios::sync_with_stdio(false);
    return wendle::TChartTool().Run(QCoreApplication::arguments(), std::cin, std::cout, std::cerr);
}

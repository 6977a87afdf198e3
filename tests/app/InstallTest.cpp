#include "ChartTool.h"

#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sstream>

namespace {

TEST(InstallTest, InstallsTheProgramsDesktopEntryIconsAndManualPages)
{
    QTemporaryDir prefix;
    QProcess install;
    install.start(CMAKE_COMMAND, { "--install", WENDLE_BINARY_DIR, "--prefix", prefix.path() });
    ASSERT_TRUE(install.waitForFinished(60000));
    ASSERT_EQ(install.exitCode(), 0) << install.readAllStandardError().toStdString();

    QSet<QString> files;
    for (QDirIterator it(prefix.path(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        files.insert(it.next().mid(prefix.path().size() + 1));
    const QSet<QString> expected { "bin/wendle", "bin/wendle-chart",
        "share/applications/wendle.desktop", "share/metainfo/wendle.metainfo.xml",
        "share/icons/hicolor/scalable/apps/wendle.svg", "share/icons/hicolor/48x48/apps/wendle.png",
        "share/icons/hicolor/256x256/apps/wendle.png", "share/man/man1/wendle.1",
        "share/man/man1/wendle-chart.1" };
    EXPECT_EQ(files, expected);
    const QString icons = prefix.filePath("share/icons/hicolor/");
    EXPECT_EQ(QImage(icons + "48x48/apps/wendle.png").size(), QSize(48, 48));
    EXPECT_EQ(QImage(icons + "256x256/apps/wendle.png").size(), QSize(256, 256));
}

// Every option and example of --help is in the manual page, and the page has no other.
TEST(InstallTest, ManualPageAgreesWithHelp)
{
    std::istringstream in;
    std::ostringstream help;
    ASSERT_EQ(wendle::TChartTool().Run({ "wendle-chart", "--help" }, in, help, help), 0);
    QFile file(WENDLE_SOURCE_DIR "/data/wendle-chart.1");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(file.readAll()).replace("\\-", "-").replace("\\e", "\\");
    const QString text = QString::fromStdString(help.str());

    const auto options = [](const QString& text, const QString& line) {
        QSet<QString> names;
        auto m = QRegularExpression(line, QRegularExpression::MultilineOption).globalMatch(text);
        while (m.hasNext())
            names.insert(m.next().captured(1));
        return names;
    };
    const QSet<QString> inHelp = options(text, "^  (?:-\\w, )?(--[a-z-]+)");
    EXPECT_EQ(inHelp.size(), 24);
    EXPECT_EQ(inHelp, options(page, "^\\.B[IR]? (?:-\\w \", \" )?(--[a-z-]+)"));

    const QString helpExamples = text.mid(text.indexOf("Examples:\n") + 10).replace("  ", "");
    const qsizetype start = page.indexOf(".SH EXAMPLES\n.nf\n") + 17;
    EXPECT_EQ(helpExamples, page.mid(start, page.indexOf(".fi\n", start) - start));
}

} // namespace

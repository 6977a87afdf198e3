#include "ChartTool.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

#include <sstream>

namespace {

// Every option and example of --help is in the manual page, and the page has no other.
TEST(ManualPageTest, AgreesWithHelp)
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

#include "ChartTool.h"

#include "ChartLayout.h"
#include "ChartOptions.h"
#include "SizeMessage.h"
#include "TextNormaliser.h"
#include "WendleFont.h"

#include <QCommandLineParser>
#include <QLocale>

#include <charconv>
#include <istream>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace wendle {

namespace {

    constexpr double GaugeMinimum = 2.0;
    constexpr double GaugeMaximum = 16.0;

    // A refused command line: the one line that tells the user what went wrong.
    struct UsageError {
        std::string Message;
    };

    std::optional<double> ParseNumber(const QString& text)
    {
        // Numbers are read with '.' whatever the locale, so scripts behave the same
        // everywhere.
        const std::string bytes = text.trimmed().toStdString();
        double value = 0;
        const char* end = bytes.data() + bytes.size();
        const auto [stop, error] = std::from_chars(bytes.data(), end, value);
        if (bytes.empty() || error != std::errc() || stop != end)
            return std::nullopt;
        return value;
    }

    int WholeOption(const QCommandLineParser& parser, const QString& name, const OptionRange& range)
    {
        if (!parser.isSet(name))
            return range.Default;
        const QString text = parser.value(name);
        const auto value = ParseNumber(text);
        if (!value || *value != static_cast<double>(static_cast<long long>(*value))
            || !range.Contains(static_cast<int>(*value)))
            throw UsageError { "--" + name.toStdString() + " takes a whole number from "
                + std::to_string(range.Minimum) + " to " + std::to_string(range.Maximum) + ", not '"
                + text.toStdString() + "'" };
        return static_cast<int>(*value);
    }

    double GaugeOption(const QCommandLineParser& parser, const QString& name, double fallback)
    {
        if (!parser.isSet(name))
            return fallback;
        const QString text = parser.value(name);
        const auto value = ParseNumber(text);
        if (!value || !(*value >= GaugeMinimum && *value <= GaugeMaximum))
            throw UsageError { "--" + name.toStdString()
                + " takes a number from 2 to 16 (with '.' as decimal point), not '"
                + text.toStdString() + "'" };
        return *value;
    }

    int ChoiceOption(const QCommandLineParser& parser, const QString& name,
        const std::vector<std::pair<QString, int>>& choices, const char* accepted)
    {
        if (!parser.isSet(name))
            return choices.front().second;
        const QString text = parser.value(name).trimmed().toLower();
        for (const auto& [word, index] : choices) {
            if (text == word)
                return index;
        }
        throw UsageError { "--" + name.toStdString() + " takes " + accepted + ", not '"
            + parser.value(name).toStdString() + "'" };
    }

    std::string NormalisedLine(const QString& line)
    {
        return ToFontText(NormaliseLine(line.toStdU32String()));
    }

    std::vector<std::string> ReadLines(std::istream& input)
    {
        std::vector<std::string> lines;
        std::string line;
        while (std::getline(input, line)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            lines.push_back(NormalisedLine(QString::fromUtf8(line)));
        }
        return lines;
    }

} // namespace

int TChartTool::Run(
    const QStringList& arguments, std::istream& input, std::ostream& output, std::ostream& errors)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Sets a message in the Wendle stitch font and prints the stitch chart: '#' for a "
        "text stitch, '.' for a background stitch.");
    const QCommandLineOption helpOption({ "h", "help" }, "Show this help.");
    parser.addOption(helpOption);
    parser.addOptions({
        { { "t", "text" },
            "A line of the message (repeat for more lines; without it, lines are read from "
            "standard input).",
            "LINE" },
        { "blank-rows", "Blank rows around lines of text, 1 to 10 (default 2).", "N" },
        { "end-blanks", "Minimum blank stitches at row ends, 1 to 10 (default 1).", "N" },
        { "word-gap", "Minimum blank stitches between words, 2 to 6 (default 2).", "N" },
        { "align", "left, right, centre (or center) or full (default left).", "WHERE" },
        { "font", "narrow or wide (default narrow).", "FORM" },
        { "across", "Stitches per unit across, 2 to 16 (default 6.0).", "X" },
        { "down", "Rows per unit down, 2 to 16 (default 7.5).", "Y" },
        { "unit", "inch or cm (default inch).", "UNIT" },
        { "show", "Sections to print, comma-separated: chart, size (default chart,size).", "LIST" },
    });

    try {
        if (!parser.parse(arguments)) {
            const QStringList unknown = parser.unknownOptionNames();
            if (!unknown.isEmpty()) {
                const QString name = unknown.front();
                throw UsageError { "unknown option '" + std::string(name.size() == 1 ? "-" : "--")
                    + name.toStdString() + "'; --help lists the options" };
            }
            throw UsageError { parser.errorText().toStdString() + " --help lists the options" };
        }
        if (parser.isSet(helpOption)) {
            output << parser.helpText().toStdString();
            return 0;
        }
        ChartOptions options;
        options.BlankRows = WholeOption(parser, "blank-rows", BlankRowsRange);
        options.EndBlanks = WholeOption(parser, "end-blanks", EndBlanksRange);
        options.WordGap = WholeOption(parser, "word-gap", WordGapRange);
        options.Alignment = ChoiceOption(parser, "align",
            { { "left", AlignLeft }, { "right", AlignRight }, { "centre", AlignCentred },
                { "center", AlignCentred }, { "full", AlignFull } },
            "left, right, centre (or center) or full");
        options.FontForm = ChoiceOption(
            parser, "font", { { "narrow", NarrowFont }, { "wide", WideFont } }, "narrow or wide");
        const double across = GaugeOption(parser, "across", 6.0);
        const double down = GaugeOption(parser, "down", 7.5);
        const int unit = ChoiceOption(parser, "unit", { { "inch", 0 }, { "cm", 1 } }, "inch or cm");

        std::vector<std::string> sections;
        const QString show = parser.isSet("show") ? parser.value("show") : QString("chart,size");
        for (const QString& section : show.split(',')) {
            const QString name = section.trimmed().toLower();
            if (name != "chart" && name != "size")
                throw UsageError { "--show takes a comma-separated list of chart and size, not '"
                    + show.toStdString() + "'" };
            sections.push_back(name.toStdString());
        }

        // Checked after the options, so that an option whose value is missing is named
        // rather than the word that followed it.
        if (!parser.positionalArguments().isEmpty())
            throw UsageError { "unexpected argument '"
                + parser.positionalArguments().front().toStdString()
                + "'; message lines are given with -t/--text" };

        std::vector<std::string> lines;
        if (parser.isSet("text")) {
            for (const QString& line : parser.values("text"))
                lines.push_back(NormalisedLine(line));
        } else {
            lines = ReadLines(input);
        }

        TWendleFont font;
        font.BuildFont();
        TChartLayout layout;
        layout.LayOutChart(lines, options, font);

        const std::string separator = QLocale().decimalPoint().toStdString();
        const SizeMessage message = MakeSizeMessage(
            { layout.ChartWidth, layout.ChartHeight, across, down, unit == 0 ? "inch" : "cm", 0 },
            separator);

        std::ostringstream text;
        bool first = true;
        for (const std::string& section : sections) {
            if (!first)
                text << '\n';
            first = false;
            if (section == "chart") {
                std::string row(static_cast<std::size_t>(layout.ChartWidth), '.');
                for (std::int32_t r = 0; r < layout.ChartHeight; ++r) {
                    const std::uint8_t* stitches = layout.Row(r);
                    for (std::int32_t c = 0; c < layout.ChartWidth; ++c)
                        row[static_cast<std::size_t>(c)] = stitches[c] ? '#' : '.';
                    text << row << '\n';
                }
            } else {
                std::string caption = message.Caption;
                for (char& character : caption) {
                    if (character == '\r')
                        character = '\n';
                }
                text << caption << '\n';
            }
        }
        output << text.str();
        output.flush();
        return 0;
    } catch (const UsageError& error) {
        errors << "wendle-chart: " << error.Message << '\n';
        return 2;
    }
}

} // namespace wendle

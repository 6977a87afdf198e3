#include "cli/ChartTool.h"

#include "chart/ChartLayout.h"
#include "chart/ChartOptions.h"
#include "chart/FormatFixed.h"
#include "chart/PrintLayout.h"
#include "chart/SizeMessage.h"
#include "chart/StitchDisplay.h"
#include "chart/TextNormaliser.h"
#include "chart/WendleFont.h"
#include "preview/OutputFile.h"
#include "render/ChartPdf.h"
#include "render/ChartPicture.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <istream>
#include <new>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace wendle {

namespace {

    constexpr int FailureStatus = 1;
    constexpr int UsageStatus = 2;
    constexpr int UnprintableStatus = 3;

    // Why a run stops: the exit status and the one line that says what went wrong, as
    // "<what>: <why>".
    struct ToolError {
        int Status;
        std::string What;
        std::string Why;
    };

    [[noreturn]] void Refuse(std::string what, std::string why)
    {
        throw ToolError { UsageStatus, std::move(what), std::move(why) };
    }

    // The system's reason for the last failed read or write, when it gave one.
    std::string SystemReason(int error, const char* fallback)
    {
        return error != 0 ? std::strerror(error) : fallback;
    }

    // The user's text with control characters escaped, so that a message stays on one line.
    std::string Escaped(const QString& text)
    {
        std::string escaped;
        for (const char character : text.toStdString()) {
            const auto code = static_cast<unsigned char>(character);
            if (code < 32 || code == 127) {
                char hex[8];
                std::snprintf(hex, sizeof hex, "\\x%02x", code);
                escaped += hex;
            } else {
                escaped += character;
            }
        }
        return escaped;
    }

    std::string Quoted(const QString& text)
    {
        // Appended in place: GCC 12 warns wrongly about a temporary string's "+" at -O3.
        std::string quoted(1, '\'');
        return quoted.append(Escaped(text)).append(1, '\'');
    }

    // Shortest text of a bound, "2" rather than "2.0".
    std::string BoundText(double value)
    {
        char buffer[32];
        return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
    }

    // An option that takes a number as the window's number fields take it: digits, and,
    // when the field shows decimals, a '.' with up to that many digits after it. No sign,
    // exponent, blanks or locale's decimal point, so a script means the same everywhere.
    struct NumberOption {
        const char* Name;
        const char* Meaning;
        double Minimum;
        double Maximum;
        int Decimals;
        double Default;
        const char* ValueName { "N" };
        // What the help says of the values taken, when it is more than the bounds.
        const char* Accepted { nullptr };

        QCommandLineOption Declared() const
        {
            const std::string accepted
                = Accepted ? Accepted : BoundText(Minimum) + " to " + BoundText(Maximum);
            return { Name,
                QString::fromStdString(std::string(Meaning) + ", " + accepted + " (default "
                    + FormatFixed(Default, Decimals) + ")."),
                ValueName };
        }

        double Read(const QCommandLineParser& parser) const
        {
            if (!parser.isSet(Name))
                return Default;
            const QString text = parser.value(Name);
            const std::string bytes = text.toStdString();
            const std::size_t point = std::min(bytes.find('.'), bytes.size());
            const auto isDigits = [](std::string_view part) {
                return !part.empty() && part.find_first_not_of("0123456789") == part.npos;
            };
            const bool wellFormed = isDigits(std::string_view(bytes).substr(0, point))
                && (point == bytes.size()
                    || (Decimals > 0 && isDigits(std::string_view(bytes).substr(point + 1))));
            double value = 0;
            const bool inRange = wellFormed
                && std::from_chars(bytes.data(), bytes.data() + bytes.size(), value).ec
                    == std::errc()
                && value >= Minimum && value <= Maximum;
            if (!inRange)
                Refuse(std::string("--") + Name,
                    std::string(
                        Decimals > 0 ? "takes a number from " : "takes a whole number from ")
                        + BoundText(Minimum) + " to " + BoundText(Maximum) + ", not "
                        + Quoted(text));
            if (point < bytes.size() && bytes.size() - point - 1 > std::size_t(Decimals))
                Refuse(std::string("--") + Name,
                    "takes at most " + std::to_string(Decimals)
                        + (Decimals == 1 ? " decimal, not " : " decimals, not ") + Quoted(text));
            return value;
        }
    };

    // An option that takes one word of a list, in any case; the first is the default.
    struct ChoiceOption {
        const char* Name;
        const char* Accepted; // the words as the help and the error list them
        std::vector<std::pair<QString, int>> Choices;
        const char* ValueName;

        QCommandLineOption Declared() const
        {
            return { Name, QString(Accepted) + " (default " + Choices.front().first + ").",
                ValueName };
        }

        int Read(const QCommandLineParser& parser) const
        {
            if (!parser.isSet(Name))
                return Choices.front().second;
            const QString text = parser.value(Name).trimmed().toLower();
            for (const auto& [word, index] : Choices) {
                if (text == word)
                    return index;
            }
            Refuse(std::string("--") + Name,
                std::string("takes ") + Accepted + ", not " + Quoted(parser.value(Name)));
        }
    };

    const NumberOption BlankRows { "blank-rows", "Blank rows around lines of text",
        BlankRowsRange.Minimum, BlankRowsRange.Maximum, 0, BlankRowsRange.Default };
    const NumberOption EndBlanks { "end-blanks", "Minimum blank stitches at row ends",
        EndBlanksRange.Minimum, EndBlanksRange.Maximum, 0, EndBlanksRange.Default };
    const NumberOption WordGap { "word-gap", "Minimum blank stitches between words",
        WordGapRange.Minimum, WordGapRange.Maximum, 0, WordGapRange.Default };
    const ChoiceOption Align { "align", "left, right, centre (or center) or full",
        { { "left", AlignLeft }, { "right", AlignRight }, { "centre", AlignCentred },
            { "center", AlignCentred }, { "full", AlignFull } },
        "WHERE" };
    const ChoiceOption Font { "font", "narrow or wide",
        { { "narrow", NarrowFont }, { "wide", WideFont } }, "FORM" };
    const NumberOption Across { "across", "Stitches per unit across", 2, 16, 1, 6.0, "X" };
    const NumberOption Down { "down", "Rows per unit down", 2, 16, 1, 7.5, "Y" };
    const ChoiceOption Unit { "unit", "inch or cm", { { "inch", 0 }, { "cm", 1 } }, "UNIT" };
    // The printed pitch takes any number the window's field could show; like the field when
    // its unit changes, it is then held within the unit's limits (12 per cm becomes 7.9).
    const NumberOption PrintPitch { "print-pitch", "Printed stitches per print unit", 0, 999, 1,
        12.0, "P",
        "5 to 20 per inch or 1.97 to 7.87 per cm; a number beyond them is held at the nearer "
        "one" };
    const ChoiceOption PrintUnit { "print-unit", "inch or cm", { { "inch", 0 }, { "cm", 1 } },
        "UNIT" };
    const ChoiceOption PrintColor { "print-color",
        "bw (black on white), wb (white on black) or screen (the display colours)",
        { { "bw", 0 }, { "wb", 1 }, { "screen", 2 } }, "COLOURS" };
    const NumberOption FirstStitch { "first-stitch", "Number of the chart's first stitch", 1, 999,
        0, 1 };
    const NumberOption FirstRow { "first-row", "Number of the chart's first row", 1, 999, 0, 1 };
    const NumberOption Resolution { "resolution", "Dots per inch of the PDF", 72, 2400, 0, 600,
        "DPI" };
    const ChoiceOption Paper { "paper", "letter or a4",
        { { "letter", QPageSize::Letter }, { "a4", QPageSize::A4 } }, "PAPER" };

    // Pixels per stitch in a picture: the window's zoom range, or 1 for one pixel a stitch.
    const NumberOption CellWidth { "cell-width", "", 1, 12, 0, 8 };
    constexpr int MachineCellWidth = 1;

    const char* const ShowNames[] = { "chart", "size", "plan" };

    // Shown after the options, so that a knitter has something to copy.
    const char* const HelpExamples = R"(
Examples:
  wendle-chart -t "Happy birthday" --font wide
  printf 'ANNA\n2024\n' | wendle-chart --align centre --show size
  wendle-chart -t ANNA --pdf anna.pdf --paper a4 --print-unit cm --print-pitch 5
  wendle-chart -t ANNA --pdf - | lp
  wendle-chart -t ANNA --png anna.png --cell-width 10
  wendle-chart -t ANNA --svg anna.svg --colors '#ffffff,#1f3a93,#cccccc'
  wendle-chart -t ANNA --png anna-machine.png --cell-width 1
)";

    // The display colours from "#rrggbb,#rrggbb,#rrggbb" (text, background, grid).
    DisplayColours ReadColours(const QString& text)
    {
        const QStringList parts = text.split(',');
        DisplayColours colours;
        const DisplayColours::Index order[]
            = { DisplayColours::Text, DisplayColours::Background, DisplayColours::GridLines };
        bool valid = parts.size() == 3;
        for (qsizetype i = 0; valid && i < 3; ++i) {
            const QString part = parts[i].trimmed();
            bool isHex = part.size() == 7 && part.startsWith('#');
            for (qsizetype j = 1; isHex && j < part.size(); ++j)
                isHex = std::isxdigit(static_cast<unsigned char>(part[j].toLatin1())) != 0;
            const std::uint32_t rgb = isHex ? part.mid(1).toUInt(&valid, 16) : 0;
            valid = valid && isHex;
            // #rrggbb to the 0x00BBGGRR layout of the display colours.
            colours.Colours[order[i]]
                = ((rgb >> 16) & 0xFFu) | (rgb & 0xFF00u) | ((rgb & 0xFFu) << 16);
        }
        if (!valid)
            Refuse("--colors",
                "takes three colours TEXT,BACKGROUND,GRID as #rrggbb, not " + Quoted(text));
        return colours;
    }

    // Where an output goes: a file, or standard output for "-".
    struct OutputTarget {
        const char* Option;
        QString FileName;

        bool IsStandardOutput() const { return FileName == QLatin1String("-"); }
        // The subject of an error message about it.
        std::string Subject() const
        {
            return IsStandardOutput() ? "standard output" : Escaped(FileName);
        }
    };

    void Write(std::ostream& output, const std::string& text);

    // Writes one output, or says why it could not.
    void WriteOutput(const OutputTarget& target, const QByteArray& contents, std::ostream& output)
    {
        if (target.IsStandardOutput())
            return Write(output, contents.toStdString());
        const QString error = WriteOutputFile(target.FileName, contents);
        if (!error.isEmpty())
            throw ToolError { FailureStatus, target.Subject(), Escaped(error) };
    }

    // The print layout, one field a line, as a script reads it.
    std::string PlanText(const PrintLayout& plan)
    {
        const auto decimal
            = [](float value) { return FixedPointText(value, 4, MaxSignificantDigits); };
        std::string text = "PagesRequired: "
            + (plan.PagesRequired == UnprintablePages ? std::string("Unprintable")
                                                      : std::to_string(plan.PagesRequired))
            + "\n";
        text += std::string("PrintLandscape: ") + (plan.PrintLandscape ? "true" : "false") + "\n";
        text += "StitchesPerSection: " + std::to_string(plan.StitchesPerSection) + "\n";
        text += "SectionsPerPage: " + std::to_string(plan.SectionsPerPage) + "\n";
        text += "PrintStitchesPerInch: " + decimal(plan.PrintStitchesPerInch) + "\n";
        text += "PrintRowsPerInch: " + decimal(plan.PrintRowsPerInch) + "\n";
        text += "PrintedHeight: " + decimal(plan.PrintedHeight) + "\n";
        return text;
    }

    std::string NormalisedLine(const QString& line)
    {
        return ToFontText(NormaliseLine(line.toStdU32String()));
    }

    // More text than any garment holds; beyond it the chart alone would take gigabytes, so
    // such input is refused before it is laid out rather than after memory ran out.
    constexpr std::size_t LargestInput = std::size_t { 8 } << 20;

    std::vector<std::string> ReadLines(std::istream& input)
    {
        std::vector<std::string> lines;
        std::size_t total = 0;
        errno = 0;
        for (std::string line; std::getline(input, line);) {
            total += line.size() + 1;
            if (total > LargestInput)
                throw ToolError { UsageStatus, "standard input",
                    "more than 8 MB of text; that is no message to knit" };
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            lines.push_back(std::move(line));
        }
        if (input.bad())
            throw ToolError { FailureStatus, "standard input", SystemReason(errno, "read error") };
        for (std::string& line : lines)
            line = NormalisedLine(QString::fromUtf8(line));
        return lines;
    }

    // Command-line errors that the parser itself finds, in the tool's own words.
    ToolError ParseError(const QCommandLineParser& parser)
    {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty())
            return { UsageStatus,
                (unknown.front().size() == 1 ? "-" : "--") + Escaped(unknown.front()),
                "unknown option; --help lists the options" };
        // The parser names the option in quotes: "Missing value after '--down'."
        const QString text = parser.errorText();
        const QRegularExpressionMatch quoted = QRegularExpression("'(.*)'").match(text);
        if (quoted.hasMatch()) {
            const std::string option = Escaped(quoted.captured(1));
            if (text.startsWith("Missing value"))
                return { UsageStatus, option, "needs a value" };
            if (text.startsWith("Unexpected value"))
                return { UsageStatus, option, "takes no value" };
        }
        return { UsageStatus, "command line", Escaped(text) };
    }

    void Write(std::ostream& output, const std::string& text)
    {
        errno = 0;
        output << text;
        output.flush();
        if (!output)
            throw ToolError { FailureStatus, "standard output",
                SystemReason(errno, "write error") };
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
    const QCommandLineOption versionOption("version", "Show the version.");
    parser.addOption(versionOption);
    parser.addOptions({
        { { "t", "text" },
            "A line of the message (repeat for more lines; without it, lines are read from "
            "standard input).",
            "LINE" },
        BlankRows.Declared(),
        EndBlanks.Declared(),
        WordGap.Declared(),
        Align.Declared(),
        Font.Declared(),
        Across.Declared(),
        Down.Declared(),
        Unit.Declared(),
        { "show",
            "What to print, comma-separated: chart, size, plan (the print layout); default "
            "chart,size, or nothing with --pdf, --png or --svg.",
            "LIST" },
        PrintPitch.Declared(),
        PrintUnit.Declared(),
        PrintColor.Declared(),
        FirstStitch.Declared(),
        FirstRow.Declared(),
        { "pdf", "Write the printed pattern to FILE as a PDF; - is standard output.", "FILE" },
        Resolution.Declared(),
        Paper.Declared(),
        { "png",
            "Write the chart to FILE as a PNG picture, drawn as the window's stitch display "
            "draws it.",
            "FILE" },
        { "svg", "Write the same picture to FILE as an SVG drawing.", "FILE" },
        { "cell-width",
            "Pixels per stitch across in the picture, 3 to 12 (default 8); the height follows "
            "from the gauge. 1 writes one pixel per stitch without grid lines in the text and "
            "background colours: the picture that machine-knitting software loads to knit the "
            "chart on an electronic knitting machine.",
            "N" },
        { "colors",
            "The display colours of pictures and of --print-color screen, as #rrggbb (default "
            "#000000,#fffbf0,#800000).",
            "TEXT,BACKGROUND,GRID" },
    });

    try {
        if (!parser.parse(arguments))
            throw ParseError(parser);
        if (parser.isSet(helpOption)) {
            Write(output, parser.helpText().toStdString() + HelpExamples);
            return 0;
        }
        if (parser.isSet(versionOption)) {
            Write(output, "wendle-chart " WENDLE_VERSION "\n");
            return 0;
        }
        ChartOptions options;
        options.BlankRows = static_cast<int>(BlankRows.Read(parser));
        options.EndBlanks = static_cast<int>(EndBlanks.Read(parser));
        options.WordGap = static_cast<int>(WordGap.Read(parser));
        options.Alignment = Align.Read(parser);
        options.FontForm = Font.Read(parser);
        const double across = Across.Read(parser);
        const double down = Down.Read(parser);
        const int unit = Unit.Read(parser);
        const int printUnit = PrintUnit.Read(parser);
        const PitchLimits limits = PrintScaleLimits(printUnit);
        const double pitch = std::clamp(PrintPitch.Read(parser), limits.Minimum, limits.Maximum);
        const int printColour = PrintColor.Read(parser);
        const double firstStitch = FirstStitch.Read(parser);
        const double firstRow = FirstRow.Read(parser);
        const int resolution = static_cast<int>(Resolution.Read(parser));
        const auto paper = static_cast<QPageSize::PageSizeId>(Paper.Read(parser));
        std::optional<OutputTarget> pdf, png, svg;
        for (auto [option, target] :
            { std::pair { "pdf", &pdf }, { "png", &png }, { "svg", &svg } }) {
            if (!parser.isSet(option))
                continue;
            *target = OutputTarget { option, parser.value(option) };
            if ((*target)->FileName.isEmpty())
                Refuse(std::string("--") + option, "needs a file name");
        }
        const bool writePdf = pdf.has_value(), writePng = png.has_value(),
                   writeSvg = svg.has_value();
        int cellWidth = MachineCellWidth;
        if (parser.value(CellWidth.Name) != "1") {
            try {
                cellWidth = static_cast<int>(CellWidth.Read(parser));
            } catch (const ToolError&) {
                cellWidth = 2;
            }
            if (cellWidth == 2)
                Refuse("--cell-width",
                    "takes 1 or a whole number from 3 to 12, not "
                        + Quoted(parser.value(CellWidth.Name)));
        }
        const DisplayColours colours
            = parser.isSet("colors") ? ReadColours(parser.value("colors")) : DisplayColours {};

        std::vector<std::string> sections;
        const QString show = parser.isSet("show") ? parser.value("show")
            : writePdf || writePng || writeSvg    ? QString()
                                                  : QString("chart,size");
        for (const QString& section : show.split(',', Qt::SkipEmptyParts)) {
            const std::string name = section.trimmed().toLower().toStdString();
            if (std::find(std::begin(ShowNames), std::end(ShowNames), name) == std::end(ShowNames))
                Refuse("--show",
                    "takes a comma-separated list of chart, size and plan, not " + Quoted(show));
            if (std::find(sections.begin(), sections.end(), name) != sections.end())
                Refuse("--show", "lists '" + name + "' twice");
            sections.push_back(name);
        }
        // Standard output carries one thing at a time: the text shown, or one file's bytes.
        std::string standardOutputTaker = sections.empty() ? "" : "--show";
        for (const auto* target : { &pdf, &png, &svg }) {
            if (!target->has_value() || !(*target)->IsStandardOutput())
                continue;
            const std::string option = std::string("--") + (*target)->Option;
            if (!standardOutputTaker.empty())
                Refuse(option,
                    "cannot write to standard output, which " + standardOutputTaker
                        + " already writes to");
            standardOutputTaker = option;
        }

        // Checked after the options, so that an option whose value is missing is named
        // rather than the word that followed it.
        if (!parser.positionalArguments().isEmpty())
            Refuse(Quoted(parser.positionalArguments().front()),
                "unexpected argument; message lines are given with -t/--text");

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

        const PrintLayout plan = ComputePrintRequirements(
            { layout.ChartWidth, layout.ChartHeight, pitch, printUnit, across, down });
        const std::string separator = QLocale().decimalPoint().toStdString();
        const SizeMessage message
            = MakeSizeMessage({ layout.ChartWidth, layout.ChartHeight, across, down,
                                  unit == 0 ? "inch" : "cm", plan.TooTall ? UnprintablePages : 0 },
                separator);

        std::ostringstream text;
        bool first = true;
        for (const std::string& section : sections) {
            if (!first)
                text << '\n';
            first = false;
            if (section == "plan") {
                text << PlanText(plan);
            } else if (section == "chart") {
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
        // Every refusal comes before anything is written.
        PictureCell cell;
        if (writePng || writeSvg) {
            const std::optional<int> cellHeight = cellWidth == MachineCellWidth
                ? std::optional<int>(MachineCellWidth)
                : StitchCellHeight(across, down, cellWidth);
            if (!cellHeight)
                Refuse("--across", "gives no cell height with this --down");
            cell = { cellWidth, *cellHeight };
        }
        if (const DisplaySize size = ChartPictureSize(layout, cell);
            writePng && (size.Width > LargestPictureSide || size.Height > LargestPictureSide))
            Refuse("chart",
                "its PNG picture would be " + std::to_string(size.Width) + " by "
                    + std::to_string(size.Height) + " pixels at --cell-width "
                    + std::to_string(cell.Width) + ", and a side may have at most "
                    + std::to_string(LargestPictureSide));
        if (writePdf && plan.PagesRequired == UnprintablePages) {
            std::string warning = MakeSizeMessage(
                { layout.ChartWidth, layout.ChartHeight, across, down, "inch", UnprintablePages },
                separator)
                                      .Caption;
            std::replace(warning.begin(), warning.end(), '\r', ' ');
            throw ToolError { UnprintableStatus, "chart", warning };
        }

        Write(output, text.str());
        if (writePng) {
            const QByteArray bytes = PngBytes(ChartImage(layout, colours, cell));
            if (bytes.isEmpty())
                throw ToolError { FailureStatus, "chart", "cannot encode the PNG picture" };
            WriteOutput(*png, bytes, output);
        }
        if (writeSvg)
            WriteOutput(*svg, ChartSvg(layout, colours, cell), output);
        if (writePdf) {
            // The print driver shows its status dialog; that needs a widget application.
            if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
                throw ToolError { FailureStatus, "--pdf",
                    "no graphical application to print with" };
            // Viewers and printers show the title: the message's first line says what it is.
            const auto firstLine
                = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
                      return !QString::fromStdString(line).trimmed().isEmpty();
                  });
            QString error;
            const QByteArray document
                = ChartPdf({ layout, plan, printColour, colours, firstStitch, firstRow },
                    { resolution, paper,
                        firstLine == lines.end() ? QString(ChartDocTitle)
                                                 : QString::fromStdString(*firstLine).trimmed(),
                        QStringLiteral("Wendle " WENDLE_VERSION) },
                    error);
            if (document.isEmpty())
                throw ToolError { FailureStatus, pdf->Subject(), Escaped(error) };
            WriteOutput(*pdf, document, output);
        }
        return 0;
    } catch (const ToolError& error) {
        errors << "wendle-chart: " << error.What << ": " << error.Why << '\n';
        return error.Status;
    } catch (const std::bad_alloc&) {
        errors << "wendle-chart: chart: too large to fit in memory\n";
        return FailureStatus;
    }
}

} // namespace wendle

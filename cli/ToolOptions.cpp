#include "cli/ToolOptions.h"

#include "chart/Floats.h"
#include "chart/FormatFixed.h"
#include "cli/ToolError.h"

#include <QCommandLineParser>
#include <QRegularExpression>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <utility>

namespace wendle {

namespace {

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
        NumberSetting Setting;
        const char* ValueName { "N" };
        // What the help says of the values taken, when it is more than the bounds.
        const char* Accepted { nullptr };
        // What the help says of the default, when it is no fixed number.
        const char* DefaultText { nullptr };

        QCommandLineOption Declared() const
        {
            const std::string accepted = Accepted
                ? Accepted
                : BoundText(Setting.Minimum) + " to " + BoundText(Setting.Maximum);
            const std::string byDefault
                = DefaultText ? DefaultText : FormatFixed(Setting.Default, Setting.Decimals);
            return { Name,
                QString::fromStdString(
                    std::string(Meaning) + ", " + accepted + " (default " + byDefault + ")."),
                ValueName };
        }

        double Read(const QCommandLineParser& parser) const
        {
            if (!parser.isSet(Name))
                return Setting.Default;
            const QString text = parser.value(Name);
            const std::string bytes = text.toStdString();
            const std::size_t point = std::min(bytes.find('.'), bytes.size());
            const auto isDigits = [](std::string_view part) {
                return !part.empty() && part.find_first_not_of("0123456789") == part.npos;
            };
            const int decimals = Setting.Decimals;
            const bool wellFormed = isDigits(std::string_view(bytes).substr(0, point))
                && (point == bytes.size()
                    || (decimals > 0 && isDigits(std::string_view(bytes).substr(point + 1))));
            double value = 0;
            const bool inRange = wellFormed
                && std::from_chars(bytes.data(), bytes.data() + bytes.size(), value).ec
                    == std::errc()
                && Setting.Contains(value);
            if (!inRange)
                Refuse(std::string("--") + Name,
                    std::string(
                        decimals > 0 ? "takes a number from " : "takes a whole number from ")
                        + BoundText(Setting.Minimum) + " to " + BoundText(Setting.Maximum)
                        + ", not " + Quoted(text));
            if (point < bytes.size() && bytes.size() - point - 1 > std::size_t(decimals))
                Refuse(std::string("--") + Name,
                    "takes at most " + std::to_string(decimals)
                        + (decimals == 1 ? " decimal, not " : " decimals, not ") + Quoted(text));
            return value;
        }
    };

    // An option that takes one word of a list, in any case; the first is the default.
    template <typename Choice> struct ChoiceOption {
        const char* Name;
        const char* Accepted; // the words as the help and the error list them
        std::vector<std::pair<QString, Choice>> Choices;
        const char* ValueName;
        // What the choice is about, when the words alone do not say.
        const char* Meaning { nullptr };

        QCommandLineOption Declared() const
        {
            return { Name,
                QString(Meaning ? Meaning : "") + Accepted + " (default " + Choices.front().first
                    + ").",
                ValueName };
        }

        Choice Read(const QCommandLineParser& parser) const
        {
            if (!parser.isSet(Name))
                return Choices.front().second;
            const QString text = parser.value(Name).trimmed().toLower();
            for (const auto& [word, choice] : Choices) {
                if (text == word)
                    return choice;
            }
            Refuse(std::string("--") + Name,
                std::string("takes ") + Accepted + ", not " + Quoted(parser.value(Name)));
        }
    };

    const NumberOption BlankRows { "blank-rows", "Blank rows around lines of text",
        BlankRowsSetting };
    const NumberOption EndBlanks { "end-blanks", "Minimum blank stitches at row ends",
        EndBlanksSetting };
    const NumberOption WordGap { "word-gap", "Minimum blank stitches between words",
        WordGapSetting };
    const ChoiceOption<Alignment> Align { "align", "left, right, centre (or center) or full",
        { { "left", Alignment::Left }, { "right", Alignment::Right },
            { "centre", Alignment::Centred }, { "center", Alignment::Centred },
            { "full", Alignment::Full } },
        "WHERE" };
    const ChoiceOption<FontForm> Font { "font", "narrow or wide",
        { { "narrow", FontForm::Narrow }, { "wide", FontForm::Wide } }, "FORM" };
    const NumberOption Across { "across", "Stitches per unit across", StitchesAcrossSetting, "X" };
    const NumberOption Down { "down", "Rows per unit down", StitchesDownSetting, "Y" };
    const ChoiceOption<LengthUnit> Unit { "unit", "inch or cm",
        { { "inch", LengthUnit::Inch }, { "cm", LengthUnit::Centimetre } }, "UNIT" };
    // The printed pitch takes any number the window's field could show; like the field when
    // its unit changes, it is then held within the unit's limits (12 per cm becomes 7.9).
    const NumberOption PrintPitch { "print-pitch", "Printed stitches per print unit",
        { 0, 999, PrintPitchSetting(LengthUnit::Inch).Default, 1 }, "P",
        "5 to 20 per inch or 1.97 to 7.87 per cm; a number beyond them is held at the nearer "
        "one" };
    const ChoiceOption<LengthUnit> PrintUnit { "print-unit", "inch or cm",
        { { "inch", LengthUnit::Inch }, { "cm", LengthUnit::Centimetre } }, "UNIT" };
    const ChoiceOption<PrintColour> PrintColor { "print-color",
        "bw (black on white), wb (white on black) or screen (the display colours)",
        { { "bw", PrintColour::BlackOnWhite }, { "wb", PrintColour::WhiteOnBlack },
            { "screen", PrintColour::Screen } },
        "COLOURS" };
    const NumberOption FirstStitch { "first-stitch", "Number of the chart's first stitch",
        FirstNumberSetting };
    const NumberOption FirstRow { "first-row", "Number of the chart's first row",
        FirstNumberSetting };
    const NumberOption Resolution { "resolution", "Dots per inch of the PDF", { 72, 2400, 600, 0 },
        "DPI" };
    const ChoiceOption<QPageSize::PageSizeId> Paper { "paper", "letter or a4",
        { { "letter", QPageSize::Letter }, { "a4", QPageSize::A4 } }, "PAPER" };
    const NumberOption MaxFloat { "max-float", "The longest float --show floats lets pass",
        FloatLimitSetting, "N", nullptr,
        "the stitches in one inch at the gauge across, at least 3" };
    const ChoiceOption<Numbering> NumberingOrder { "numbering", "chart or knitting",
        { { "chart", Numbering::Chart }, { "knitting", Numbering::Knitting } }, "ORDER",
        "How the printed pattern and the float list number stitches and rows: chart order "
        "counts from the top left, knitting order from the bottom right; " };
    const NumberOption Needles { "needles",
        "Needles of the knitting machine; a --cell-width 1 picture wider is refused",
        { 1, 999, 200, 0 } };

    // Pixels per stitch in a picture: the window's zoom range, or 1 for one pixel a stitch.
    constexpr int MachineCellWidth = 1;
    const NumberOption CellWidth { "cell-width", "", { 1, DisplayCellWidthSetting.Maximum, 8, 0 } };

    const char* const ShowNames[] = { "chart", "size", "plan", "floats" };

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
  wendle-chart -t "I  LOVE  YOU" --word-gap 5 --show floats --numbering knitting
  wendle-chart -t ANNA --mirror --numbering knitting --pdf anna-wrong-side.pdf
)";

    void DeclareOptions(QCommandLineParser& parser)
    {
        parser.setApplicationDescription(
            "Sets a message in the Wendle stitch font and prints the stitch chart: '#' for a "
            "text stitch, '.' for a background stitch.");
        parser.addOptions({
            { { "h", "help" }, "Show this help." },
            { "version", "Show the version." },
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
                "What to print, comma-separated: chart, size, plan (the print layout), floats "
                "(the floats longer than --max-float); default chart,size, or nothing with --pdf, "
                "--png or --svg.",
                "LIST" },
            MaxFloat.Declared(),
            { "mirror",
                "Mirror every row left to right in every output: the chart as seen from the "
                "wrong side, for the back of double knitting or a machine that knits purl side "
                "up." },
            PrintPitch.Declared(),
            PrintUnit.Declared(),
            PrintColor.Declared(),
            FirstStitch.Declared(),
            FirstRow.Declared(),
            NumberingOrder.Declared(),
            { "pdf", "Write the printed pattern to FILE as a PDF; - is standard output.", "FILE" },
            Resolution.Declared(),
            Paper.Declared(),
            { "png",
                "Write the chart to FILE as a PNG picture, drawn as the window's stitch display "
                "draws it.",
                "FILE" },
            { "svg", "Write the same picture to FILE as an SVG drawing.", "FILE" },
            { "cell-width",
                "Pixels per stitch across in the picture, 3 to 12 (default 8); the height "
                "follows from the gauge. 1 writes the picture that machine-knitting software "
                "loads to knit the chart on an electronic knitting machine: one pixel per "
                "stitch, no grid lines, as a PNG of two colours (text black, background white "
                "unless --colors names them).",
                "N" },
            Needles.Declared(),
            { "colors",
                "The display colours of pictures and of --print-color screen, as #rrggbb "
                "(default #000000,#fffbf0,#800000).",
                "TEXT,BACKGROUND,GRID" },
        });
    }

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
            const auto channel = [&](int at) {
                return static_cast<std::uint8_t>(isHex ? part.mid(at, 2).toUInt(nullptr, 16) : 0);
            };
            valid = isHex;
            colours.Colours[order[i]] = { channel(1), channel(3), channel(5) };
        }
        if (!valid)
            Refuse("--colors",
                "takes three colours TEXT,BACKGROUND,GRID as #rrggbb, not " + Quoted(text));
        return colours;
    }

    int ReadCellWidth(const QCommandLineParser& parser)
    {
        if (parser.value(CellWidth.Name) == "1")
            return MachineCellWidth;
        int width = 0;
        try {
            width = static_cast<int>(CellWidth.Read(parser));
        } catch (const ToolError&) {
        }
        // Between the machine picture and the window's smallest zoom there is nothing.
        if (width < DisplayCellWidthSetting.Minimum)
            Refuse("--cell-width",
                "takes 1 or a whole number from 3 to 12, not "
                    + Quoted(parser.value(CellWidth.Name)));
        return width;
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

    std::vector<std::string> ReadSections(const QCommandLineParser& parser, bool writesFiles)
    {
        std::vector<std::string> sections;
        const QString show = parser.isSet("show") ? parser.value("show")
            : writesFiles                         ? QString()
                                                  : QString("chart,size");
        for (const QString& section : show.split(',', Qt::SkipEmptyParts)) {
            const std::string name = section.trimmed().toLower().toStdString();
            if (std::find(std::begin(ShowNames), std::end(ShowNames), name) == std::end(ShowNames))
                Refuse("--show",
                    "takes a comma-separated list of chart, size, plan and floats, not "
                        + Quoted(show));
            if (std::find(sections.begin(), sections.end(), name) != sections.end())
                Refuse("--show", "lists '" + name + "' twice");
            sections.push_back(name);
        }
        return sections;
    }

} // namespace

std::string OutputTarget::Subject() const
{
    return IsStandardOutput() ? "standard output" : Escaped(FileName);
}

ToolOptions ParseToolOptions(const QStringList& arguments)
{
    QCommandLineParser parser;
    DeclareOptions(parser);
    if (!parser.parse(arguments))
        throw ParseError(parser);
    ToolOptions options;
    options.Help = parser.isSet("help");
    options.Version = parser.isSet("version");
    if (options.Help || options.Version)
        return options;

    options.Layout.BlankRows = static_cast<int>(BlankRows.Read(parser));
    options.Layout.EndBlanks = static_cast<int>(EndBlanks.Read(parser));
    options.Layout.WordGap = static_cast<int>(WordGap.Read(parser));
    options.Layout.Align = Align.Read(parser);
    options.Layout.Form = Font.Read(parser);
    options.StitchesAcross = Across.Read(parser);
    options.StitchesDown = Down.Read(parser);
    options.Unit = Unit.Read(parser);
    options.PrintUnit = PrintUnit.Read(parser);
    const NumberSetting pitch = PrintPitchSetting(options.PrintUnit);
    options.PrintPitch = std::clamp(PrintPitch.Read(parser), pitch.Minimum, pitch.Maximum);
    options.Colours = PrintColor.Read(parser);
    options.FirstStitch = FirstStitch.Read(parser);
    options.FirstRow = FirstRow.Read(parser);
    options.Resolution = static_cast<int>(Resolution.Read(parser));
    options.Paper = Paper.Read(parser);
    if (parser.isSet(MaxFloat.Name))
        options.MaxFloat = static_cast<std::int32_t>(MaxFloat.Read(parser));
    options.Order = NumberingOrder.Read(parser);
    options.Mirror = parser.isSet("mirror");
    options.Needles = static_cast<int>(Needles.Read(parser));
    for (auto [option, target] :
        { std::pair { "pdf", &options.Pdf }, { "png", &options.Png }, { "svg", &options.Svg } }) {
        if (!parser.isSet(option))
            continue;
        *target = OutputTarget { option, parser.value(option) };
        if ((*target)->FileName.isEmpty())
            Refuse(std::string("--") + option, "needs a file name");
    }
    options.CellWidth = ReadCellWidth(parser);
    options.ColoursNamed = parser.isSet("colors");
    if (options.ColoursNamed)
        options.Display = ReadColours(parser.value("colors"));
    options.Sections = ReadSections(parser, options.Pdf || options.Png || options.Svg);

    // Standard output carries one thing at a time: the text shown, or one file's bytes.
    std::string standardOutputTaker = options.Sections.empty() ? "" : "--show";
    for (const auto* target : { &options.Pdf, &options.Png, &options.Svg }) {
        if (!target->has_value() || !(*target)->IsStandardOutput())
            continue;
        const std::string option = std::string("--") + (*target)->Option;
        if (!standardOutputTaker.empty())
            Refuse(option,
                "cannot write to standard output, which " + standardOutputTaker
                    + " already writes to");
        standardOutputTaker = option;
    }

    // Checked after the options, so that an option whose value is missing is named rather
    // than the word that followed it.
    if (!parser.positionalArguments().isEmpty())
        Refuse(Quoted(parser.positionalArguments().front()),
            "unexpected argument; message lines are given with -t/--text");
    if (parser.isSet("text"))
        options.Text = parser.values("text");
    return options;
}

std::string ToolHelpText()
{
    QCommandLineParser parser;
    DeclareOptions(parser);
    return parser.helpText().toStdString() + HelpExamples;
}

} // namespace wendle

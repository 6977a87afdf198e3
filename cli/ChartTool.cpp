#include "cli/ChartTool.h"

#include "chart/ChartLayout.h"
#include "chart/ChartText.h"
#include "chart/FormatFixed.h"
#include "chart/PrintLayout.h"
#include "chart/PrintedPage.h"
#include "chart/SizeMessage.h"
#include "chart/StitchDisplay.h"
#include "chart/TextNormaliser.h"
#include "chart/WendleFont.h"
#include "cli/ToolError.h"
#include "cli/ToolOptions.h"
#include "preview/OutputFile.h"
#include "render/ChartPdf.h"
#include "render/ChartPicture.h"

#include <QApplication>
#include <QLocale>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <istream>
#include <new>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace wendle {

namespace {

    // The system's reason for the last failed read or write, when it gave one.
    std::string SystemReason(int error, const char* fallback)
    {
        return error != 0 ? std::strerror(error) : fallback;
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

    // Writes one output, or says why it could not.
    void WriteOutput(const OutputTarget& target, const QByteArray& contents, std::ostream& output)
    {
        if (target.IsStandardOutput())
            return Write(output, contents.toStdString());
        const QString error = WriteOutputFile(target.FileName, contents);
        if (!error.isEmpty())
            throw ToolError { FailureStatus, target.Subject(), Escaped(error) };
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

    // Viewers and printers show a PDF's title: the message's first line with words says
    // what the pattern is, else the print job's title does.
    QString DocumentTitle(const std::vector<std::string>& lines)
    {
        for (const std::string& line : lines) {
            const QString text = QString::fromStdString(line).trimmed();
            if (!text.isEmpty())
                return text;
        }
        return ChartDocTitle;
    }

    // The float limit and why, and the numbers the float list gives stitches and rows.
    FloatListing FloatListingOf(const ToolOptions& options)
    {
        FloatListing listing { 0, "as --max-float asks", NumberOffset(options.FirstStitch),
            NumberOffset(options.FirstRow), options.Order };
        if (options.MaxFloat) {
            listing.Limit = *options.MaxFloat;
            return listing;
        }
        const double perInch = options.Unit == LengthUnit::Centimetre
            ? options.StitchesAcross * 2.54
            : options.StitchesAcross;
        listing.Limit = DefaultFloatLimit(options.StitchesAcross, options.Unit).value_or(3);
        const std::string inch = "one inch at " + FormatFixed(options.StitchesAcross, 1)
            + (options.Unit == LengthUnit::Centimetre ? " stitches per cm" : " stitches per inch");
        listing.Why = listing.Limit > std::floor(perInch)
            ? "at least 3, though " + inch + " is fewer"
            : inch;
        return listing;
    }

    // The cell of the pictures; refused when the gauge gives no cell height.
    PictureCell PictureCellOf(const ToolOptions& options)
    {
        if (options.CellWidth == 1)
            return { 1, 1 };
        const std::optional<int> height
            = StitchCellHeight(options.StitchesAcross, options.StitchesDown, options.CellWidth);
        if (!height)
            Refuse("--across", "gives no cell height with this --down");
        return { options.CellWidth, *height };
    }

} // namespace

int TChartTool::Run(
    const QStringList& arguments, std::istream& input, std::ostream& output, std::ostream& errors)
{
    try {
        const ToolOptions options = ParseToolOptions(arguments);
        if (options.Help) {
            Write(output, ToolHelpText());
            return 0;
        }
        if (options.Version) {
            Write(output, "wendle-chart " WENDLE_VERSION "\n");
            return 0;
        }

        std::vector<std::string> lines;
        if (options.Text) {
            for (const QString& line : *options.Text)
                lines.push_back(NormalisedLine(line));
        } else {
            lines = ReadLines(input);
        }

        TWendleFont font;
        font.BuildFont();
        TChartLayout layout;
        layout.LayOutChart(lines, options.Layout, font);
        if (options.Mirror)
            layout.MirrorRows();

        const PrintLayout plan = ComputePrintRequirements({ layout.ChartWidth, layout.ChartHeight,
            options.PrintPitch, options.PrintUnit, options.StitchesAcross, options.StitchesDown });
        const std::string separator = QLocale().decimalPoint().toStdString();
        const SizeMessage message = MakeSizeMessage(
            { layout.ChartWidth, layout.ChartHeight, options.StitchesAcross, options.StitchesDown,
                options.Unit, plan.TooTall ? UnprintablePages : 0 },
            separator);

        std::string text;
        for (const std::string& section : options.Sections) {
            if (&section != &options.Sections.front())
                text += '\n';
            text += section == "plan" ? PlanText(plan)
                : section == "chart"  ? ChartText(layout)
                : section == "floats" ? FloatsText(layout, FloatListingOf(options))
                                      : message.Caption + '\n';
        }

        // Every refusal comes before anything is written.
        const PictureCell cell
            = options.Png || options.Svg ? PictureCellOf(options) : PictureCell { 1, 1 };
        if (options.Png && cell.Width == 1 && layout.ChartWidth > options.Needles)
            Refuse("chart",
                std::to_string(layout.ChartWidth) + " stitches wide, more than the "
                    + std::to_string(options.Needles) + " needles of --needles");
        if (const DisplaySize size = ChartPictureSize(layout, cell);
            options.Png && (size.Width > LargestPictureSide || size.Height > LargestPictureSide))
            Refuse("chart",
                "its PNG picture would be " + std::to_string(size.Width) + " by "
                    + std::to_string(size.Height) + " pixels at --cell-width "
                    + std::to_string(cell.Width) + ", and a side may have at most "
                    + std::to_string(LargestPictureSide));
        if (options.Pdf && plan.PagesRequired == UnprintablePages) {
            std::string warning
                = MakeSizeMessage({ layout.ChartWidth, layout.ChartHeight, options.StitchesAcross,
                                      options.StitchesDown, LengthUnit::Inch, UnprintablePages },
                    separator)
                      .Caption;
            std::replace(warning.begin(), warning.end(), '\n', ' ');
            throw ToolError { UnprintableStatus, "chart", warning };
        }

        // The knitting-machine picture is black on white unless the knitter named colours.
        const DisplayColours colours = cell.Width == 1
            ? MachineColours(options.ColoursNamed ? std::optional(options.Display) : std::nullopt)
            : options.Display;
        Write(output, text);
        if (options.Png) {
            const QByteArray bytes = PngBytes(ChartImage(layout, colours, cell));
            if (bytes.isEmpty())
                throw ToolError { FailureStatus, "chart", "cannot encode the PNG picture" };
            WriteOutput(*options.Png, bytes, output);
        }
        if (options.Svg)
            WriteOutput(*options.Svg, ChartSvg(layout, colours, cell), output);
        if (options.Pdf) {
            // The print driver shows its status dialog; that needs a widget application.
            if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
                throw ToolError { FailureStatus, "--pdf",
                    "no graphical application to print with" };
            QString error;
            const QByteArray document
                = ChartPdf({ layout, plan, options.Colours, options.Display, options.FirstStitch,
                               options.FirstRow, options.Order },
                    { options.Resolution, options.Paper, DocumentTitle(lines),
                        QStringLiteral("Wendle " WENDLE_VERSION) },
                    error);
            if (document.isEmpty())
                throw ToolError { FailureStatus, options.Pdf->Subject(), Escaped(error) };
            WriteOutput(*options.Pdf, document, output);
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

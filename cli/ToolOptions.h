#pragma once

#include "chart/ChartOptions.h"
#include "chart/Numbering.h"
#include "chart/PrintedPage.h"
#include "chart/Settings.h"
#include "chart/StitchDisplay.h"

#include <QPageSize>
#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

namespace wendle {

/// Where an output goes: a file, or standard output for "-".
struct OutputTarget {
    const char* Option; ///< the option that named it, without its dashes
    QString FileName;

    bool IsStandardOutput() const { return FileName == QLatin1String("-"); }
    /// The subject of an error message about it.
    std::string Subject() const;
};

/// Everything a command line of wendle-chart asks for, checked.
struct ToolOptions {
    bool Help { false };
    bool Version { false };
    /// The message's lines from -t, as given; empty when they come from standard input.
    std::optional<QStringList> Text;
    ChartOptions Layout;
    double StitchesAcross { StitchesAcrossSetting.Default };
    double StitchesDown { StitchesDownSetting.Default };
    LengthUnit Unit { LengthUnit::Inch };
    /// What to print, in order: "chart", "size", "plan" and "floats".
    std::vector<std::string> Sections;
    /// The longest float let pass; empty for the stitches of one inch at the gauge.
    std::optional<std::int32_t> MaxFloat;
    /// Which stitch and row the printed pattern and the float list number 1.
    Numbering Order { Numbering::Chart };
    /// Every row mirrored left to right, in every output.
    bool Mirror { false };
    /// Held within the print unit's range.
    double PrintPitch { PrintPitchSetting(LengthUnit::Inch).Default };
    LengthUnit PrintUnit { LengthUnit::Inch };
    PrintColour Colours { PrintColour::BlackOnWhite };
    double FirstStitch { FirstNumberSetting.Default };
    double FirstRow { FirstNumberSetting.Default };
    int Resolution { 600 };
    QPageSize::PageSizeId Paper { QPageSize::Letter };
    std::optional<OutputTarget> Pdf;
    std::optional<OutputTarget> Png;
    std::optional<OutputTarget> Svg;
    /// Pixels per stitch across in a picture; 1 for the knitting-machine picture.
    int CellWidth { 8 };
    /// The needles of the knitting machine: no wider machine picture is written.
    int Needles { 200 };
    DisplayColours Display;
    /// Whether --colors named the colours (a machine picture is black on white otherwise).
    bool ColoursNamed { false };
};

/// Reads \a arguments (the program name first) into options, or throws the ToolError that
/// says what is wrong with them (status 2).
ToolOptions ParseToolOptions(const QStringList& arguments);

/// What --help shows: every option with its range and default, then examples.
std::string ToolHelpText();

} // namespace wendle

#pragma once

#include "chart/ChartOptions.h"
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
    /// What to print, in order: "chart", "size" and "plan".
    std::vector<std::string> Sections;
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
    DisplayColours Display;
};

/// Reads \a arguments (the program name first) into options, or throws the ToolError that
/// says what is wrong with them (status 2).
ToolOptions ParseToolOptions(const QStringList& arguments);

/// What --help shows: every option with its range and default, then examples.
std::string ToolHelpText();

} // namespace wendle

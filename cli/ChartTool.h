#pragma once

#include <QStringList>

#include <iosfwd>

namespace wendle {

/// The command-line chart maker: reads message lines and options, prints the chart as
/// '#' and '.' and the size message. Streams are passed in so that tests can run it.
class TChartTool {
public:
    /// Runs with \a arguments (the program name first). Returns the exit status: 0 on
    /// success, 2 for a bad command line or a picture too large, 3 for a chart too tall to
    /// print, 1 when reading, writing or memory fails; every error is one line
    /// "wendle-chart: <what>: <why>" on \a errors. An output file named "-" is \a output.
    int Run(const QStringList& arguments, std::istream& input, std::ostream& output,
        std::ostream& errors);
};

} // namespace wendle

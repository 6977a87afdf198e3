#pragma once

#include <QString>

#include <string>

namespace wendle {

/// Exit statuses of wendle-chart.
inline constexpr int FailureStatus = 1; ///< reading, writing or memory failed
inline constexpr int UsageStatus = 2; ///< a bad command line, or a request refused
inline constexpr int UnprintableStatus = 3; ///< the chart is too tall to print

/// Why a run stops: the exit status and the one line "<what>: <why>" that says what went
/// wrong.
struct ToolError {
    int Status;
    std::string What;
    std::string Why;
};

/// Throws the refusal of a bad request: status 2.
[[noreturn]] void Refuse(std::string what, std::string why);

/// The user's text with control characters escaped, so that a message stays on one line.
std::string Escaped(const QString& text);

/// The escaped text in single quotes.
std::string Quoted(const QString& text);

} // namespace wendle

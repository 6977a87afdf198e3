#pragma once

#include <QString>

#include <stdexcept>

namespace wendle {

/// The driver's error: a message for the application's general error report.
class PrintException : public std::runtime_error {
public:
    explicit PrintException(const QString& message)
        : std::runtime_error(message.toStdString())
    {
    }
};

} // namespace wendle

#include "cli/ToolError.h"

#include <cstdio>

namespace wendle {

void Refuse(std::string what, std::string why)
{
    throw ToolError { UsageStatus, std::move(what), std::move(why) };
}

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

} // namespace wendle

#pragma once

#include <cstdint>

namespace wendle {

/// The page bounds handed to the print dialog and the range the user chose in it.
struct TPageRange {
    std::int32_t MinPage { 1 };
    std::int32_t MaxPage { 1 };
    std::int32_t FromPage { 1 };
    std::int32_t ToPage { 1 };
};

} // namespace wendle

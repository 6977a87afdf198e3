#pragma once

#include "chart/WendleFont.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <span>

/// Stops the run with the failed condition named, for libFuzzer to report and keep.
#define FUZZ_REQUIRE(condition)                                                                    \
    ((condition) ? void() : wendle::FuzzFailed(__FILE__, __LINE__, #condition))

namespace wendle {

[[noreturn]] inline void FuzzFailed(const char* file, int line, const char* condition)
{
    std::fprintf(stderr, "%s:%d: %s\n", file, line, condition);
    std::abort();
}

/// Reads the fuzzer's bytes as a stream of small choices; past the end every read is zero,
/// so that each input, however short, means one definite run.
struct TFuzzInput {
    bool Empty() const { return Position >= Data.size(); }
    std::uint8_t Byte() { return Empty() ? 0 : Data[Position++]; }

    /// A whole number in \a low..\a high, both included.
    int Int(int low, int high)
    {
        const unsigned span = static_cast<unsigned>(high - low) + 1;
        const unsigned raw = (static_cast<unsigned>(Byte()) << 8) | Byte();
        return low + static_cast<int>(raw % span);
    }

    /// A number field's value: now and then blank, else as Number gives it.
    std::optional<double> Field(double low, double high)
    {
        return Byte() % 16 == 0 ? std::nullopt : std::optional(Number(low, high));
    }

    /// Mostly a plausible number in \a low..\a high with few decimals, sometimes any double
    /// (NaN and infinities included).
    double Number(double low, double high)
    {
        if (Byte() % 8 != 0)
            return low + (high - low) * Int(0, 1000) / 1000.0;
        std::uint64_t bits = 0;
        for (int i = 0; i < 8; ++i)
            bits = (bits << 8) | Byte();
        return std::bit_cast<double>(bits);
    }

    std::span<const std::uint8_t> Data;
    std::size_t Position { 0 };
};

/// The stitch font, built once for all runs.
inline const TWendleFont& FuzzFont()
{
    static TWendleFont font;
    [[maybe_unused]] static const bool built = (font.BuildFont(), true);
    return font;
}

} // namespace wendle

#pragma once

#include <cstdint>

namespace wendle {

/// Zoom limits and step of the preview window, in percent. Every value is clamped to its
/// range whenever it is set, copies included.
class TZoomOptions {
public:
    TZoomOptions() = default;
    TZoomOptions(const TZoomOptions& other) { Assign(other); }
    TZoomOptions& operator=(const TZoomOptions& other)
    {
        Assign(other);
        return *this;
    }

    std::int32_t MinZoom() const { return FMinZoom; }
    std::int32_t MaxZoom() const { return FMaxZoom; }
    std::int32_t ZoomStep() const { return FZoomStep; }

    /// Clamped to 1 .. 100.
    void SetMinZoom(std::int32_t value);
    /// Clamped to 100 .. 5000.
    void SetMaxZoom(std::int32_t value);
    /// Clamped to 0 .. 5000.
    void SetZoomStep(std::int32_t value);

    /// Copies the three values through the setters.
    void Assign(const TZoomOptions& other);

private:
    std::int32_t FMinZoom { 50 };
    std::int32_t FMaxZoom { 2000 };
    std::int32_t FZoomStep { 50 };
};

} // namespace wendle

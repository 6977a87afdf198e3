#include "preview/ZoomOptions.h"

#include <algorithm>

namespace wendle {

void TZoomOptions::SetMinZoom(std::int32_t value) { FMinZoom = std::clamp(value, 1, 100); }

void TZoomOptions::SetMaxZoom(std::int32_t value) { FMaxZoom = std::clamp(value, 100, 5000); }

void TZoomOptions::SetZoomStep(std::int32_t value) { FZoomStep = std::clamp(value, 0, 5000); }

void TZoomOptions::Assign(const TZoomOptions& other)
{
    SetMinZoom(other.FMinZoom);
    SetMaxZoom(other.FMaxZoom);
    SetZoomStep(other.FZoomStep);
}

} // namespace wendle

#pragma once

namespace wendle {

/// Which tool-bar buttons the preview window shows.
struct TVisibleButtons {
    bool Print { true };
    bool Next { true };
    bool Prev { true };
    bool ZoomIn { true };
    bool ZoomOut { true };
    bool Close { true };
    bool About { true };
    bool Grid { true };
};

} // namespace wendle

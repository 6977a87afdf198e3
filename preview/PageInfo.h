#pragma once

#include <QString>

#include <cstdint>
#include <limits>

namespace wendle {

/// The description of the document being printed or previewed. The owner's begin handler
/// creates it, the driver sets the page number before every page, the page handler reports
/// the last page, and the end handler releases it.
struct TPageInfo {
    /// Highest page the print dialog offers; the begin handler lowers it when it knows.
    std::int32_t MaxPage { std::numeric_limits<std::int32_t>::max() };
    /// 1-based number of the page to draw or measure.
    std::int32_t PageNumber { 0 };
    /// Set by the page handler: the page just drawn is the document's last.
    bool LastPage { false };
    /// Title of the print job, shown while it prints.
    QString DocTitle;
};

} // namespace wendle

#pragma once

#include "preview/PageInfo.h"
#include "preview/SpecialCanvas.h"

#include <functional>
#include <memory>

namespace wendle {

// The owner's handlers. All three of one operation get the same page-description variable:
// the begin handler creates the TPageInfo in it, the end handler releases it. A handler
// counts as assigned when the function is not empty.
using TBeginPrintEvent = std::function<void(std::unique_ptr<TPageInfo>& Info)>;
using TPrintPageEvent
    = std::function<void(std::unique_ptr<TPageInfo>& Info, TSpecialCanvas& SCanvas)>;
using TEndPrintEvent = std::function<void(std::unique_ptr<TPageInfo>& Info)>;

} // namespace wendle

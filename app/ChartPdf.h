#pragma once

#include "ChartPagePrinter.h"

#include <QPageSize>
#include <QString>

namespace wendle {

/// Where and how a chart's printed pattern is written as a PDF.
struct ChartPdfOptions {
    QString FileName;
    int Resolution { 600 };
    QPageSize::PageSizeId Paper { QPageSize::Letter };
};

/// Writes the printed pattern of \a settings to a PDF through the print driver, without a
/// dialog, one sheet per page in the layout's orientation. Returns an empty string on
/// success, else why it failed; a failed run leaves no file, old or half-written, behind
/// at the name (the pages go to a temporary file beside it, renamed at the end).
QString WriteChartPdf(const ChartPrintSettings& settings, const ChartPdfOptions& options);

} // namespace wendle

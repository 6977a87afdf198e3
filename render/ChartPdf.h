#pragma once

#include "render/ChartPagePrinter.h"

#include <QByteArray>
#include <QPageSize>
#include <QString>

namespace wendle {

/// How a chart's printed pattern is set out as a PDF.
struct ChartPdfOptions {
    int Resolution { 600 };
    QPageSize::PageSizeId Paper { QPageSize::Letter };
    /// The document's title, which viewers and printers show.
    QString Title { ChartDocTitle };
    /// The program that made it, with its version.
    QString Creator;
};

/// The printed pattern of \a settings as a PDF document, printed through the print driver
/// without a dialog, one sheet per page in the layout's orientation. Returns the document,
/// or an empty array with why in \a error.
QByteArray ChartPdf(
    const ChartPrintSettings& settings, const ChartPdfOptions& options, QString& error);

} // namespace wendle

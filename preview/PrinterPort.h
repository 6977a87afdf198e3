#pragma once

#include <QRect>
#include <QSize>
#include <QString>

class QPainter;

namespace wendle {

/// What the print driver needs of a printer. TQtPrinterPort serves it from a QPrinter;
/// tests serve it from a fake that records the job.
class TPrinterPort {
public:
    virtual ~TPrinterPort() = default;

    /// The title the job carries in the spooler; set before the document begins.
    virtual void SetJobTitle(const QString& title) = 0;
    /// Starts the document. On failure returns false and says why in `reason`.
    virtual bool BeginDocument(QString& reason) = 0;
    /// The painter on the current sheet, between begin and end of the document. Its
    /// untransformed origin is the top-left corner of the printable area.
    virtual QPainter* Painter() = 0;
    // NewPage, EndDocument and Abort come only after a BeginDocument that succeeded, and the
    // document is closed by exactly one of EndDocument and Abort.

    /// Starts a new sheet; false when the printer refused.
    virtual bool NewPage() = 0;
    /// Finishes the document and hands it over; on failure returns false and says why in
    /// `reason`.
    virtual bool EndDocument(QString& reason) = 0;
    /// Drops the document begun: nothing of it reaches the printer or the file.
    virtual void Abort() = 0;

    virtual int PixelsPerInchX() const = 0;
    virtual int PixelsPerInchY() const = 0;
    /// The whole sheet, in printer pixels.
    virtual QSize PhysicalPageSize() const = 0;
    /// The printable area within the sheet, in printer pixels from the sheet's corner.
    virtual QRect PrintableArea() const = 0;
};

} // namespace wendle

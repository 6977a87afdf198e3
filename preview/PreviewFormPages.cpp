#include "preview/PreviewForm.h"

#include "preview/PrintException.h"
#include "preview/PrinterPort.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <cmath>
#include <utility>

// The preview's pages: moving through the document, measuring the pages before the one wanted,
// and painting a page view through the owner's page handler.

namespace wendle {

namespace {

    /// Rounds to the nearest integer, halves to the even neighbour.
    int RoundEven(double value) { return static_cast<int>(std::nearbyint(value)); }

} // namespace

void TPreviewForm::GoToPage(std::int32_t target)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restore = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
    if (target == -1) {
        while (LastPageNumber == -1)
            MeasurePage(HighestMeasuredPage + 1);
        CurrentPage = LastPageNumber;
    } else {
        for (std::int32_t page = HighestMeasuredPage + 1; page < target; ++page)
            MeasurePage(page);
        CurrentPage = target;
    }
    if (LastPageNumber != -1)
        CurrentPage = std::min(CurrentPage, LastPageNumber);
    CurrentPage = std::max(CurrentPage, 1);
}

void TPreviewForm::MeasurePage(std::int32_t page)
{
    // HighestMeasuredPage starts at -1, so the first request is for page 0.
    if (page == 0)
        return;
    HintLabel->setText(QStringLiteral("Paginating Page %1").arg(page));
    HintLabel->repaint();
    const auto clear = qScopeGuard([this] { HintLabel->clear(); });
    QImage surface = TSpecialCanvas::MeasuringSurface(Printer);
    QPainter painter(&surface);
    TSpecialCanvas canvas = TSpecialCanvas::Create(Printer, &painter, smPaginate);
    Info->PageNumber = page;
    if (!OnPrintPage)
        throw PrintException(QStringLiteral("Print Page Function Not Assigned!"));
    OnPrintPage(Info, canvas);
    if (Info->LastPage && LastPageNumber == -1)
        LastPageNumber = Info->PageNumber;
    if (page > HighestMeasuredPage)
        HighestMeasuredPage = page;
}

void TPreviewForm::DisplayPage(QWidget* view, std::int32_t& page)
{
    const std::size_t index = view == PB1 ? 0 : 1;
    if (Painting[index] || Failed[index] || !Info)
        return;
    if (FPrintRequested || (LastPageNumber != -1 && page > LastPageNumber))
        return;
    Painting[index] = true;
    const auto done = qScopeGuard([this, index] { Painting[index] = false; });

    const QSize physical = Printer.PhysicalPageSize();
    const int width = physical.width();
    const int height = physical.height();
    if (width <= 0 || height <= 0)
        return;
    {
        QPainter painter(view);
        painter.setWindow(0, 0, width, height);
        painter.setViewport(0, 0, view->width(), view->height());
        painter.setBackgroundMode(Qt::TransparentMode);
        TSpecialCanvas canvas = TSpecialCanvas::Create(Printer, &painter, smDisplay);
        if (GridBut->isChecked())
            DrawGrid(painter, width, height);

        // The window is the sheet in printer pixels, so cutting away the unprintable margins
        // leaves the printable area as the clip.
        painter.setClipRect(Printer.PrintableArea() & QRect(0, 0, width, height));

        try {
            Info->PageNumber = page;
            if (!OnPrintPage)
                throw PrintException(QStringLiteral("Print Page Function Not Assigned!"));
            OnPrintPage(Info, canvas);
        } catch (const std::exception& error) {
            ReportPaintError(view, QString::fromStdString(error.what()));
        } catch (...) {
            ReportPaintError(view, QStringLiteral("Unknown error"));
        }
        if (!Info)
            return; // a handler that dropped the page description leaves nothing to read
    }

    page = Info->PageNumber;
    SetFieldText(CurPageLabel, QStringLiteral("Page %1").arg(page));
    const bool notFirst = page > 1;
    PrevPageBut->setEnabled(notFirst);
    PrevPageSpeed->setEnabled(notFirst);
    FirstPageSpeed->setEnabled(notFirst);
    const bool notLast = !Info->LastPage;
    NextPageBut->setEnabled(notLast);
    NextPageSpeed->setEnabled(notLast);
    LastPageSpeed->setEnabled(notLast);
    if (Info->LastPage && LastPageNumber == -1)
        LastPageNumber = Info->PageNumber;
    if (page > HighestMeasuredPage)
        HighestMeasuredPage = page;
}

void TPreviewForm::DrawGrid(QPainter& painter, std::int32_t width, std::int32_t height) const
{
    // One inch across, used for both directions.
    const int step = Printer.PixelsPerInchX();
    if (step <= 0)
        return;
    // The lines are laid on whole screen pixels: a pen scaled below one pixel comes out faded
    // or not at all. A line is its width in printer pixels scaled to the screen, but never
    // less than one pixel, centred where the scaled line lies.
    const QTransform toScreen = painter.combinedTransform();
    const QRect sheet = toScreen.mapRect(QRectF(0, 0, width, height)).toAlignedRect();
    const auto band = [this](double centre, double scale) {
        const int pixels = std::max(1, RoundEven(GridWidth * scale));
        return std::pair { static_cast<int>(std::floor(centre - pixels / 2.0 + 0.5)), pixels };
    };
    painter.save();
    painter.resetTransform();
    int x = 0;
    do {
        x += step;
        const auto [left, pixels] = band(toScreen.map(QPointF(x, 0)).x(), toScreen.m11());
        painter.fillRect(left, sheet.top(), pixels, sheet.height(), GridColor);
    } while (x < width);
    int y = 0;
    do {
        y += step;
        const auto [top, pixels] = band(toScreen.map(QPointF(0, y)).y(), toScreen.m22());
        painter.fillRect(sheet.left(), top, sheet.width(), pixels, GridColor);
    } while (y < height);
    painter.restore();
}

void TPreviewForm::ReportPaintError(QWidget* view, const QString& message)
{
    Failed[view == PB1 ? 0 : 1] = true;
    // A modal box cannot run inside a paint; it comes up once the paint is over, and the view
    // it failed in goes away.
    QTimer::singleShot(0, this, [this, view, message] {
        QMessageBox box(QMessageBox::NoIcon, windowTitle(),
            QStringLiteral("Printing cannot complete.\rThis was the last error message:\r")
                + message,
            QMessageBox::Ok, this);
        box.exec();
        view->hide();
    });
}

} // namespace wendle

#pragma once

#include "preview/PageInfo.h"
#include "preview/PrintEvents.h"
#include "preview/SpecialCanvas.h"
#include "preview/VisibleButtons.h"

#include <QColor>
#include <QCursor>
#include <QDialog>
#include <QPoint>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

class QLabel;
class QPushButton;
class QScrollArea;
class QToolButton;
class QFrame;

namespace wendle {

class TPrinterPort;
class TPreviewForm;

/// Runs the shown window until it closes. The default is a modal exec(); tests put in one
/// that opens the window, drives it and closes it without a nested loop.
using TPreviewModalRun = std::function<void(TPreviewForm& form)>;

/// The modal preview window. Pages exist only as calls of the owner's page handler: every
/// paint of a page view draws its page afresh, at the current zoom, on a painter whose window
/// is the physical sheet in printer pixels, so the handler draws exactly as on paper.
class TPreviewForm : public QDialog {
    Q_OBJECT

public:
    /// `printer` supplies the sheet's geometry; it is not owned and must outlive the window.
    explicit TPreviewForm(const TPrinterPort& printer, QWidget* parent = nullptr);
    ~TPreviewForm() override;

    // Settings handed over by the driver before RunPreview.
    void SetHandlers(TBeginPrintEvent begin, TPrintPageEvent page, TEndPrintEvent end);
    void SetZoomLimits(float minZoomFactor, float maxZoomFactor, float zoomMultiplier);
    void SetVisibleButtons(const TVisibleButtons& buttons);
    void SetCurrentPage(std::int32_t page) { CurrentPage = page; }
    void SetGrid(const QColor& colour, std::int32_t width);
    void SetModalRun(TPreviewModalRun run) { ModalRun = std::move(run); }

    /// Begin handler, move to the current page, zoom 100%, the window until it closes, end
    /// handler. A missing begin handler raises PrintException before anything is shown.
    void RunPreview();

    bool PrintRequested() const { return FPrintRequested; }
    float Zoom() const { return FZoom; }

    /// Sets the zoom factor, the zoom label and buttons, and the page panel's size and place.
    void SetZoom(float zoom);
    /// Moves to `target` (-1: the last page), measuring the pages before it that were never
    /// passed to the handler. Handler errors leave it.
    void GoToPage(std::int32_t target);

    // The controls, named as in the window's design.
    QPushButton* PrintBut { nullptr };
    QPushButton* PrevPageBut { nullptr };
    QPushButton* NextPageBut { nullptr };
    QPushButton* ZoomInBut { nullptr };
    QPushButton* ZoomOutBut { nullptr };
    QPushButton* CloseBut { nullptr };
    QPushButton* GridBut { nullptr };
    QToolButton* ZoomCursorBut { nullptr };
    QToolButton* HandCursorBut { nullptr };
    QPushButton* OnePageBut { nullptr };
    QPushButton* TwoPageBut { nullptr };
    QPushButton* AboutBut { nullptr };
    QToolButton* FirstPageSpeed { nullptr };
    QToolButton* PrevPageSpeed { nullptr };
    QToolButton* NextPageSpeed { nullptr };
    QToolButton* LastPageSpeed { nullptr };
    QToolButton* PageNumSpeed { nullptr };
    QLabel* CurPageLabel { nullptr };
    QLabel* ZoomLabel { nullptr };
    QLabel* HintLabel { nullptr };
    QScrollArea* ScrollBox1 { nullptr };
    QWidget* ContainPanel { nullptr };
    QFrame* PagePanel { nullptr };
    QFrame* PagePanel2 { nullptr };
    QWidget* PB1 { nullptr };
    QWidget* PB2 { nullptr };

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildToolBar(QWidget* bar);
    void BuildStatusBar(QWidget* bar);
    void BuildPageArea();

    /// Shows \a text in a status-bar field, widening the field where the text needs it.
    void SetFieldText(QLabel* field, const QString& text);
    void ResizeStep();
    void TwoPageLayout();
    void ZoomInClick();
    void ZoomOutClick();
    void SelectTool();
    void OnePageClick();
    void TwoPageClick();
    void NextPageClick();
    void PrevPageClick();
    void FirstPageClick();
    void LastPageClick();
    void PageNumClick();
    void PrintClick();
    void AboutClick();
    void RepaintViews();
    /// Runs a command that may measure pages; a handler error ends it with a message box and
    /// the window stays usable.
    void RunCommand(const std::function<void()>& command);

    void MeasurePage(std::int32_t page);
    void DisplayPage(QWidget* view, std::int32_t& page);
    void DrawGrid(QPainter& painter, std::int32_t width, std::int32_t height) const;
    void ReportPaintError(QWidget* view, const QString& message);
    void MousePress(QMouseEvent* event);
    void MouseMove(QMouseEvent* event);

    const TPrinterPort& Printer;
    TBeginPrintEvent OnBeginPrint;
    TPrintPageEvent OnPrintPage;
    TEndPrintEvent OnEndPrint;
    TPreviewModalRun ModalRun;

    std::int32_t CurrentPage { 1 };
    std::unique_ptr<TPageInfo> Info;
    float FZoom { 1.0F };
    std::int32_t BasePageHeight { 0 };
    float MinZoomFactor { 0.5F };
    float MaxZoomFactor { 20.0F };
    float ZoomMultiplier { 1.5F };
    QColor GridColor { Qt::lightGray };
    std::int32_t GridWidth { 2 };
    std::int32_t LastPageNumber { -1 };
    std::int32_t HighestMeasuredPage { -1 };
    bool FPrintRequested { false };
    bool Dragging { false };
    QPoint DragStart;
    bool TwoPages { false };
    /// One busy flag per page view: a paint that arrives while that view paints is dropped.
    std::array<bool, 2> Painting { false, false };
    /// A view whose handler failed is hidden for good; no further paint may call it.
    std::array<bool, 2> Failed { false, false };
    QCursor ZoomCursor;
    QCursor HandCursor;
};

} // namespace wendle

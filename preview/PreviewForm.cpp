#include "preview/PreviewForm.h"

#include "preview/AboutBox.h"
#include "preview/PreviewCursors.h"
#include "preview/PrintException.h"
#include "preview/PrinterPort.h"

#include <QFrame>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusTipEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace wendle {

namespace {

    /// The page number box offers pages up to here while the last page is not yet known.
    constexpr std::int32_t UnknownLastPageBound = 99999;

    /// The zoom in percent with four significant digits and no decimals: 1139.0625 reads
    /// 1139, 337.5 reads 338, 66.67 reads 67.
    QString ZoomPercentText(float zoom)
    {
        double percent = static_cast<double>(zoom) * 100.0;
        if (percent >= 10000.0) {
            const double scale = std::pow(10.0, std::floor(std::log10(percent)) - 3.0);
            percent = std::round(percent / scale) * scale;
        }
        return QString::number(static_cast<long long>(std::round(percent)));
    }

    /// Rounds to the nearest integer, halves to the even neighbour.
    int RoundEven(double value) { return static_cast<int>(std::nearbyint(value)); }

} // namespace

TPreviewForm::TPreviewForm(const TPrinterPort& printer, QWidget* parent)
    : QDialog(parent)
    , Printer(printer)
    , ZoomCursor(ZoomToolCursor())
    , HandCursor(HandToolCursor())
{
    setWindowTitle(QStringLiteral("Print Preview"));
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* toolBar = new QFrame(this);
    toolBar->setObjectName(QStringLiteral("ToolBarPanel"));
    toolBar->setFrameShape(QFrame::StyledPanel);
    BuildToolBar(toolBar);
    layout->addWidget(toolBar);

    BuildPageArea();
    layout->addWidget(ScrollBox1, 1);

    auto* statusBar = new QFrame(this);
    statusBar->setObjectName(QStringLiteral("StatBarPanel"));
    BuildStatusBar(statusBar);
    layout->addWidget(statusBar);

    SetZoom(1.0F);
}

TPreviewForm::~TPreviewForm() = default;

void TPreviewForm::SetHandlers(TBeginPrintEvent begin, TPrintPageEvent page, TEndPrintEvent end)
{
    OnBeginPrint = std::move(begin);
    OnPrintPage = std::move(page);
    OnEndPrint = std::move(end);
}

void TPreviewForm::SetZoomLimits(float minZoomFactor, float maxZoomFactor, float zoomMultiplier)
{
    MinZoomFactor = minZoomFactor;
    MaxZoomFactor = maxZoomFactor;
    ZoomMultiplier = zoomMultiplier;
}

void TPreviewForm::SetVisibleButtons(const TVisibleButtons& buttons)
{
    PrintBut->setVisible(buttons.Print);
    NextPageBut->setVisible(buttons.Next);
    PrevPageBut->setVisible(buttons.Prev);
    ZoomInBut->setVisible(buttons.ZoomIn);
    ZoomOutBut->setVisible(buttons.ZoomOut);
    CloseBut->setVisible(buttons.Close);
    AboutBut->setVisible(buttons.About);
    GridBut->setVisible(buttons.Grid);
}

void TPreviewForm::SetGrid(const QColor& colour, std::int32_t width)
{
    GridColor = colour;
    GridWidth = width;
}

void TPreviewForm::RunPreview()
{
    if (!OnBeginPrint)
        throw PrintException(QStringLiteral("Begin Print Function Not Assigned!"));
    OnBeginPrint(Info);
    // The end handler releases whatever the begin handler made, however the preview ends.
    const auto end = qScopeGuard([this] {
        if (OnEndPrint && Info)
            OnEndPrint(Info);
    });
    if (!Info)
        throw PrintException(QStringLiteral("Page Info Not Assigned!"));
    GoToPage(CurrentPage);
    SetZoom(1.0F);
    // The geometry as well as the state: without a window manager (a bare X server) the
    // state alone leaves the window at its default size.
    if (const QScreen* screen = this->screen())
        setGeometry(screen->availableGeometry());
    setWindowState(windowState() | Qt::WindowMaximized);
    if (ModalRun)
        ModalRun(*this);
    else
        exec();
}

void TPreviewForm::showEvent(QShowEvent* event)
{
    PagePanel->move(3, 3);
    PB1->show();
    PB2->show();
    ResizeStep();
    ZoomCursorBut->setChecked(true);
    SelectTool();
    Dragging = false;
    QDialog::showEvent(event);
}

bool TPreviewForm::event(QEvent* event)
{
    // The status tip of the control under the mouse arrives here from the control; it is the
    // window's hint line, and goes no further.
    if (event->type() == QEvent::StatusTip) {
        HintLabel->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QDialog::event(event);
}

bool TPreviewForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ScrollBox1 && event->type() == QEvent::Resize) {
        ResizeStep();
        return false;
    }
    if (watched == PB1 || watched == PB2) {
        auto* view = static_cast<QWidget*>(watched);
        // The filter sees mouse events before the widget drops them for being disabled.
        if (!view->isEnabled() && dynamic_cast<QMouseEvent*>(event))
            return true;
        switch (event->type()) {
        case QEvent::Paint:
            if (view == PB1) {
                DisplayPage(PB1, CurrentPage);
            } else {
                // The second view's page is a copy: a number changed by the handler is
                // adopted only for the first.
                std::int32_t page = CurrentPage + 1;
                DisplayPage(PB2, page);
            }
            return true;
        case QEvent::MouseButtonPress:
            if (view == PB1)
                MousePress(static_cast<QMouseEvent*>(event));
            return true;
        case QEvent::MouseMove:
            if (view == PB1)
                MouseMove(static_cast<QMouseEvent*>(event));
            return true;
        case QEvent::MouseButtonRelease:
            Dragging = false;
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TPreviewForm::ResizeStep()
{
    BasePageHeight = ScrollBox1->maximumViewportSize().height() - 8;
    if (TwoPages)
        TwoPageLayout();
    else
        SetZoom(FZoom);
}

void TPreviewForm::SetZoom(float zoom)
{
    FZoom = zoom;
    SetFieldText(ZoomLabel, QStringLiteral("Zoom = %1%").arg(ZoomPercentText(zoom)));
    ZoomInBut->setEnabled(zoom * ZoomMultiplier <= MaxZoomFactor);
    ZoomOutBut->setEnabled(zoom / ZoomMultiplier >= MinZoomFactor);

    const QSize physical = Printer.PhysicalPageSize();
    if (physical.isEmpty() || Printer.PixelsPerInchX() <= 0)
        return; // no sheet to show yet
    const double aspect = (static_cast<double>(physical.width()) / physical.height())
        * (static_cast<double>(Printer.PixelsPerInchY()) / Printer.PixelsPerInchX());
    const double height = static_cast<double>(BasePageHeight) * static_cast<double>(zoom);
    PagePanel->resize(RoundEven(height * aspect), RoundEven(height));

    // A scroll bar shows where the page outgrows the box, and a bar that shows narrows the
    // box for the other direction: each pass can only add a bar, so three settle it.
    const QSize box = ScrollBox1->maximumViewportSize();
    const QSize bars(ScrollBox1->verticalScrollBar()->sizeHint().width(),
        ScrollBox1->horizontalScrollBar()->sizeHint().height());
    const int needWidth = PagePanel->width() + 6;
    const int needHeight = PagePanel->height() + 6;
    bool across = false;
    bool down = false;
    QSize fits = box;
    for (int pass = 0; pass < 3; ++pass) {
        across = fits.width() - 1 <= needWidth;
        down = fits.height() - 1 <= needHeight;
        fits = box - QSize(down ? bars.width() : 0, across ? bars.height() : 0);
    }
    int left = 3;
    int top = 3;
    int containWidth = needWidth;
    int containHeight = needHeight;
    if (!across) {
        containWidth = fits.width() - 1;
        left = containWidth / 2 - PagePanel->width() / 2;
    }
    if (!down) {
        containHeight = fits.height() - 1;
        top = containHeight / 2 - PagePanel->height() / 2;
    }
    // The scroll bars show exactly when the container outgrows the box.
    ContainPanel->resize(containWidth, containHeight);
    PagePanel->move(left, top);
}

void TPreviewForm::TwoPageLayout()
{
    SetZoom(1.0F);
    PagePanel2->resize(PagePanel->size());
    const int width = PagePanel->width();
    PagePanel->move(
        ScrollBox1->maximumViewportSize().width() / 2 - (2 * width + 10) / 2, PagePanel->y());
    PagePanel2->move(PagePanel->x() + width + 10, PagePanel->y());
    ZoomInBut->setEnabled(false);
    ZoomOutBut->setEnabled(false);
}

void TPreviewForm::ZoomInClick()
{
    if (FZoom * ZoomMultiplier <= MaxZoomFactor)
        SetZoom(FZoom * ZoomMultiplier);
}

void TPreviewForm::ZoomOutClick()
{
    if (FZoom / ZoomMultiplier >= MinZoomFactor)
        SetZoom(FZoom / ZoomMultiplier);
}

void TPreviewForm::SelectTool()
{
    if (TwoPages)
        return;
    // The page panel under the view carries the cursor too: while the view was disabled the
    // mouse may have entered it, and then the panel is what the window system takes the
    // cursor from until the mouse leaves.
    const QCursor& cursor = ZoomCursorBut->isChecked() ? ZoomCursor : HandCursor;
    PB1->setCursor(cursor);
    PagePanel->setCursor(cursor);
}

void TPreviewForm::OnePageClick()
{
    TwoPages = false;
    PagePanel2->hide();
    SetZoom(1.0F);
    PB1->setEnabled(true);
    ZoomCursorBut->setEnabled(true);
    HandCursorBut->setEnabled(true);
    SelectTool();
    RepaintViews();
}

void TPreviewForm::TwoPageClick()
{
    TwoPages = true;
    PagePanel2->show();
    TwoPageLayout();
    ZoomCursorBut->setEnabled(false);
    HandCursorBut->setEnabled(false);
    PB1->setEnabled(false);
    PB1->unsetCursor();
    PagePanel->unsetCursor();
    Dragging = false;
    RepaintViews();
}

void TPreviewForm::NextPageClick()
{
    ++CurrentPage;
    RepaintViews();
}

void TPreviewForm::PrevPageClick()
{
    if (CurrentPage > 1)
        --CurrentPage;
    RepaintViews();
}

void TPreviewForm::FirstPageClick()
{
    CurrentPage = 1;
    RepaintViews();
}

void TPreviewForm::LastPageClick()
{
    RunCommand([this] { GoToPage(-1); });
    RepaintViews();
}

void TPreviewForm::PageNumClick()
{
    const std::int32_t highest = LastPageNumber > 0 ? LastPageNumber : UnknownLastPageBound;
    bool accepted = false;
    const int page = QInputDialog::getInt(this, QStringLiteral("Go to Page"),
        QStringLiteral("Page number:"), CurrentPage, 1, highest, 1, &accepted);
    if (!accepted)
        return;
    RunCommand([this, page] { GoToPage(page); });
    RepaintViews();
}

void TPreviewForm::PrintClick()
{
    FPrintRequested = true;
    accept();
}

void TPreviewForm::AboutClick()
{
    TAboutBox about(this);
    about.exec();
}

void TPreviewForm::RepaintViews()
{
    PB1->update();
    PB2->update();
}

void TPreviewForm::RunCommand(const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::exception& error) {
        QMessageBox::critical(this, windowTitle(), QString::fromStdString(error.what()));
    }
}

void TPreviewForm::MousePress(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (ZoomCursorBut->isChecked()) {
        const float fx = static_cast<float>(at.x()) / static_cast<float>(PagePanel->width());
        const float fy = static_cast<float>(at.y()) / static_cast<float>(PagePanel->height());
        if (event->buttons() & Qt::LeftButton)
            ZoomInClick();
        else if (event->buttons() & Qt::RightButton)
            ZoomOutClick();
        const QSize box = ScrollBox1->maximumViewportSize();
        ScrollBox1->horizontalScrollBar()->setValue(
            static_cast<int>(static_cast<float>(PagePanel->width()) * fx) - box.width() / 2);
        ScrollBox1->verticalScrollBar()->setValue(
            static_cast<int>(static_cast<float>(PagePanel->height()) * fy) - box.height() / 2);
    } else {
        DragStart = at;
        Dragging = true;
    }
}

void TPreviewForm::MouseMove(QMouseEvent* event)
{
    if (!Dragging)
        return;
    const QPoint at = event->position().toPoint();
    QScrollBar* horizontal = ScrollBox1->horizontalScrollBar();
    QScrollBar* vertical = ScrollBox1->verticalScrollBar();
    horizontal->setValue(horizontal->value() + DragStart.x() - at.x());
    vertical->setValue(vertical->value() + DragStart.y() - at.y());
}

} // namespace wendle

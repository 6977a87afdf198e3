#include "PreviewForm.h"

#include "AboutBox.h"
#include "PreviewCursors.h"
#include "PrintException.h"
#include "PrinterPort.h"

#include <QAccessible>
#include <QApplication>
#include <QButtonGroup>
#include <QFrame>
#include <QHBoxLayout>
#include <QImage>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace wendle {

namespace {

    const QString PageViewHint = QStringLiteral("Page View.  With Zoom Tool, left or right "
                                                "click to zoom in/out.  Click && drag with "
                                                "Hand Tool to pan.");

    /// The page number box offers pages up to here while the last page is not yet known.
    constexpr std::int32_t UnknownLastPageBound = 99999;

    QColor FromColourRef(std::uint32_t colour)
    {
        return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
            static_cast<int>((colour >> 16) & 0xFF));
    }

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

    /// A surface that keeps nothing, at the printer's resolution so that fonts measure as
    /// on paper.
    QImage MeasuringSurface(const TPrinterPort& printer)
    {
        constexpr double InchesPerMetre = 1.0 / 0.0254;
        QImage surface(8, 8, QImage::Format_ARGB32_Premultiplied);
        surface.setDotsPerMeterX(
            static_cast<int>(std::lround(printer.PixelsPerInchX() * InchesPerMetre)));
        surface.setDotsPerMeterY(
            static_cast<int>(std::lround(printer.PixelsPerInchY() * InchesPerMetre)));
        return surface;
    }

    /// Rounds to the nearest integer, halves to the even neighbour.
    int RoundEven(double value) { return static_cast<int>(std::nearbyint(value)); }

    void Describe(QWidget* control, const QString& name, const QString& hint)
    {
        control->setStatusTip(hint);
        control->setToolTip(hint);
        control->setAccessibleName(name);
    }

} // namespace

TPreviewForm::TPreviewForm(const TPrinterPort& printer, QWidget* parent)
    : QDialog(parent)
    , FPrinter(printer)
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

void TPreviewForm::BuildToolBar(QWidget* bar)
{
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 3, 4, 3);
    const auto addButton
        = [&](QPushButton*& button, const char* name, const QString& caption, const QString& hint) {
              button = new QPushButton(caption, bar);
              button->setObjectName(QString::fromLatin1(name));
              // Enter must not print or close the window by way of a default button.
              button->setAutoDefault(false);
              Describe(button, QString(caption).remove(QLatin1Char('&')), hint);
              row->addWidget(button);
          };
    const auto addTool = [&](QToolButton*& button, const char* name, QStyle::StandardPixmap glyph,
                             const QString& hint) {
        button = new QToolButton(bar);
        button->setObjectName(QString::fromLatin1(name));
        button->setIcon(style()->standardIcon(glyph));
        button->setCheckable(true);
        button->setAutoRaise(true);
        Describe(button, hint, hint);
        row->addWidget(button);
    };

    addButton(PrintBut, "PrintBut", QStringLiteral("&Print"),
        QStringLiteral("Print the Current Document"));
    addButton(PrevPageBut, "PrevPageBut", QStringLiteral("Pre&v"),
        QStringLiteral("Move to Previous Page in Document"));
    addButton(NextPageBut, "NextPageBut", QStringLiteral("&Next"),
        QStringLiteral("Advance to Next Page in Document"));
    addButton(
        ZoomInBut, "ZoomInBut", QStringLiteral("Zoom &In"), QStringLiteral("Zoom In on the page"));
    addButton(ZoomOutBut, "ZoomOutBut", QStringLiteral("Zoom &Out"),
        QStringLiteral("Zoom Out of the page"));
    addButton(CloseBut, "CloseBut", QStringLiteral("&Close"),
        QStringLiteral("Close the Print Preview window"));
    addButton(GridBut, "GridBut", QStringLiteral("Grid"), QStringLiteral("Turns Grid On/Off"));
    GridBut->setCheckable(true);
    addTool(ZoomCursorBut, "ZoomCursorBut", QStyle::SP_FileDialogContentsView,
        QStringLiteral("Selects the Zoom Tool to zoom in or out"));
    addTool(HandCursorBut, "HandCursorBut", QStyle::SP_ArrowUp,
        QStringLiteral("Selects the Hand Tool to pan across the Page"));
    ZoomCursorBut->setIcon(QIcon(QPixmap::fromImage(ZoomCursor.bitmap().toImage())));
    HandCursorBut->setIcon(QIcon(QPixmap::fromImage(HandCursor.bitmap().toImage())));
    auto* tools = new QButtonGroup(this);
    tools->addButton(ZoomCursorBut);
    tools->addButton(HandCursorBut);
    ZoomCursorBut->setChecked(true);
    addButton(OnePageBut, "OnePageBut", QStringLiteral("&1"),
        QStringLiteral("Display One page at a time"));
    addButton(TwoPageBut, "TwoPageBut", QStringLiteral("&2"),
        QStringLiteral("Display Two pages side by side"));
    OnePageBut->setCheckable(true);
    TwoPageBut->setCheckable(true);
    auto* modes = new QButtonGroup(this);
    modes->addButton(OnePageBut);
    modes->addButton(TwoPageBut);
    OnePageBut->setChecked(true);
    addButton(AboutBut, "AboutBut", QStringLiteral("&About"),
        QStringLiteral("Displays information on the Print Preview Component"));
    row->addStretch(1);

    PrevPageBut->setEnabled(false);
    connect(PrintBut, &QPushButton::clicked, this, &TPreviewForm::PrintClick);
    connect(PrevPageBut, &QPushButton::clicked, this, &TPreviewForm::PrevPageClick);
    connect(NextPageBut, &QPushButton::clicked, this, &TPreviewForm::NextPageClick);
    connect(ZoomInBut, &QPushButton::clicked, this, &TPreviewForm::ZoomInClick);
    connect(ZoomOutBut, &QPushButton::clicked, this, &TPreviewForm::ZoomOutClick);
    connect(CloseBut, &QPushButton::clicked, this, &QDialog::reject);
    connect(GridBut, &QPushButton::toggled, this, &TPreviewForm::RepaintViews);
    connect(ZoomCursorBut, &QToolButton::toggled, this, &TPreviewForm::SelectTool);
    connect(OnePageBut, &QPushButton::clicked, this, &TPreviewForm::OnePageClick);
    connect(TwoPageBut, &QPushButton::clicked, this, &TPreviewForm::TwoPageClick);
    connect(AboutBut, &QPushButton::clicked, this, &TPreviewForm::AboutClick);
}

void TPreviewForm::BuildStatusBar(QWidget* bar)
{
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(2);
    const auto addSpeed = [&](QToolButton*& button, const char* name, QStyle::StandardPixmap glyph,
                              const QString& hint, const QKeySequence& key) {
        button = new QToolButton(bar);
        button->setObjectName(QString::fromLatin1(name));
        button->setIcon(style()->standardIcon(glyph));
        button->setAutoRaise(true);
        button->setShortcut(key);
        Describe(button, hint, hint);
        row->addWidget(button);
    };
    addSpeed(FirstPageSpeed, "FirstPageSpeed", QStyle::SP_MediaSkipBackward,
        QStringLiteral("Go to First Page in Document"), QKeySequence(Qt::Key_Home));
    addSpeed(PrevPageSpeed, "PrevPageSpeed", QStyle::SP_MediaSeekBackward,
        QStringLiteral("Move to Previous Page in Document"), QKeySequence(Qt::Key_PageUp));
    addSpeed(NextPageSpeed, "NextPageSpeed", QStyle::SP_MediaSeekForward,
        QStringLiteral("Advance to Next Page in Document"), QKeySequence(Qt::Key_PageDown));
    addSpeed(LastPageSpeed, "LastPageSpeed", QStyle::SP_MediaSkipForward,
        QStringLiteral("Go to Last Page in Document"), QKeySequence(Qt::Key_End));
    addSpeed(PageNumSpeed, "PageNumSpeed", QStyle::SP_FileDialogDetailedView,
        QStringLiteral("Go to Page by Page Number"), QKeySequence(Qt::CTRL | Qt::Key_G));

    const auto addField = [&](QLabel*& label, const char* name, const QString& hint) {
        label = new QLabel(bar);
        label->setObjectName(QString::fromLatin1(name));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setStatusTip(hint);
        label->setToolTip(hint);
        row->addWidget(label);
    };
    addField(
        CurPageLabel, "CurPageLabel", QStringLiteral("Displays the Current Page of the Document"));
    addField(
        ZoomLabel, "ZoomLabel", QStringLiteral("Displays the Current Zoom Level (100% = normal)"));
    CurPageLabel->setFixedWidth(88);
    ZoomLabel->setFixedWidth(88);
    addField(
        HintLabel, "HintLabel", QStringLiteral("Displays Help for the object beneath the mouse"));
    row->setStretchFactor(HintLabel, 1);

    PrevPageSpeed->setEnabled(false);
    FirstPageSpeed->setEnabled(false);
    connect(FirstPageSpeed, &QToolButton::clicked, this, &TPreviewForm::FirstPageClick);
    connect(PrevPageSpeed, &QToolButton::clicked, this, &TPreviewForm::PrevPageClick);
    connect(NextPageSpeed, &QToolButton::clicked, this, &TPreviewForm::NextPageClick);
    connect(LastPageSpeed, &QToolButton::clicked, this, &TPreviewForm::LastPageClick);
    connect(PageNumSpeed, &QToolButton::clicked, this, &TPreviewForm::PageNumClick);
}

void TPreviewForm::BuildPageArea()
{
    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setBackgroundRole(QPalette::Button);
    ScrollBox1->setWidgetResizable(false);
    ScrollBox1->installEventFilter(this);

    ContainPanel = new QWidget;
    ContainPanel->setObjectName(QStringLiteral("ContainPanel"));
    ContainPanel->setAutoFillBackground(true);
    QPalette dark = ContainPanel->palette();
    dark.setColor(QPalette::Window, dark.color(QPalette::Dark));
    ContainPanel->setPalette(dark);

    const auto addPage
        = [&](QFrame*& panel, QWidget*& view, const char* panelName, const char* viewName) {
              panel = new QFrame(ContainPanel);
              panel->setObjectName(QString::fromLatin1(panelName));
              panel->setFrameStyle(QFrame::Box | QFrame::Plain);
              panel->setLineWidth(1);
              panel->setAutoFillBackground(true);
              QPalette white = panel->palette();
              white.setColor(QPalette::Window, Qt::white);
              white.setColor(QPalette::WindowText, Qt::black);
              panel->setPalette(white);
              auto* fill = new QVBoxLayout(panel);
              fill->setContentsMargins(0, 0, 0, 0);
              view = new QWidget(panel);
              view->setObjectName(QString::fromLatin1(viewName));
              view->setStatusTip(PageViewHint);
              view->setAccessibleName(QStringLiteral("Page View"));
              view->installEventFilter(this);
              fill->addWidget(view);
          };
    addPage(PagePanel, PB1, "PagePanel", "PB1");
    addPage(PagePanel2, PB2, "PagePanel2", "PB2");
    PagePanel2->hide();
    ScrollBox1->setWidget(ContainPanel);
}

void TPreviewForm::SetHandlers(TBeginPrintEvent begin, TPrintPageEvent page, TEndPrintEvent end)
{
    FOnBeginPrint = std::move(begin);
    FOnPrintPage = std::move(page);
    FOnEndPrint = std::move(end);
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

void TPreviewForm::SetGrid(std::uint32_t colour, std::int32_t width)
{
    GridColor = colour;
    GridWidth = width;
}

void TPreviewForm::RunPreview()
{
    if (!FOnBeginPrint)
        throw PrintException(QStringLiteral("Begin Print Function Not Assigned!"));
    FOnBeginPrint(Info);
    // The end handler releases whatever the begin handler made, however the preview ends.
    const auto end = qScopeGuard([this] {
        if (FOnEndPrint && Info)
            FOnEndPrint(Info);
    });
    if (!Info)
        throw PrintException(QStringLiteral("Page Info Not Assigned!"));
    GoToPage(CurrentPage);
    SetZoom(1.0F);
    setWindowState(windowState() | Qt::WindowMaximized);
    if (FModalRun)
        FModalRun(*this);
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
    PB1->setCursor(ZoomCursor);
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
    SetLabelText(ZoomLabel, QStringLiteral("Zoom = %1%").arg(ZoomPercentText(zoom)));
    ZoomInBut->setEnabled(zoom * ZoomMultiplier <= MaxZoomFactor);
    ZoomOutBut->setEnabled(zoom / ZoomMultiplier >= MinZoomFactor);

    const QSize physical = FPrinter.PhysicalPageSize();
    if (physical.isEmpty() || FPrinter.PixelsPerInchX() <= 0)
        return; // no sheet to show yet
    const double aspect = (static_cast<double>(physical.width()) / physical.height())
        * (static_cast<double>(FPrinter.PixelsPerInchY()) / FPrinter.PixelsPerInchX());
    const double height = static_cast<double>(BasePageHeight) * static_cast<double>(zoom);
    PagePanel->resize(RoundEven(height * aspect), RoundEven(height));

    const QSize box = ScrollBox1->maximumViewportSize();
    const int needWidth = PagePanel->width() + 6;
    const int needHeight = PagePanel->height() + 6;
    int left = 3;
    int top = 3;
    int containWidth = needWidth;
    int containHeight = needHeight;
    if (box.width() - 1 > needWidth) {
        containWidth = box.width() - 1;
        left = containWidth / 2 - PagePanel->width() / 2;
    }
    if (box.height() - 1 > needHeight) {
        containHeight = box.height() - 1;
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
    if (!TwoPages)
        PB1->setCursor(ZoomCursorBut->isChecked() ? ZoomCursor : HandCursor);
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
    const std::int32_t highest = FLastPageNumber > 0 ? FLastPageNumber : UnknownLastPageBound;
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

void TPreviewForm::GoToPage(std::int32_t target)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restore = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
    if (target == -1) {
        while (FLastPageNumber == -1)
            MeasurePage(HighestMeasuredPage + 1);
        CurrentPage = FLastPageNumber;
    } else {
        for (std::int32_t page = HighestMeasuredPage + 1; page < target; ++page)
            MeasurePage(page);
        CurrentPage = target;
    }
    if (FLastPageNumber != -1 && CurrentPage > FLastPageNumber)
        CurrentPage = FLastPageNumber;
    if (CurrentPage < 1)
        CurrentPage = 1;
}

void TPreviewForm::MeasurePage(std::int32_t page)
{
    // HighestMeasuredPage starts at -1, so the first request is for page 0.
    if (page == 0)
        return;
    HintLabel->setText(QStringLiteral("Paginating Page %1").arg(page));
    HintLabel->repaint();
    const auto clear = qScopeGuard([this] { HintLabel->clear(); });
    QImage surface = MeasuringSurface(FPrinter);
    QPainter painter(&surface);
    TSpecialCanvas canvas = TSpecialCanvas::Create(FPrinter, &painter, smPaginate);
    Info->PageNumber = page;
    if (!FOnPrintPage)
        throw PrintException(QStringLiteral("Print Page Function Not Assigned!"));
    FOnPrintPage(Info, canvas);
    if (Info->LastPage && FLastPageNumber == -1)
        FLastPageNumber = Info->PageNumber;
    if (page > HighestMeasuredPage)
        HighestMeasuredPage = page;
}

void TPreviewForm::DisplayPage(QWidget* view, std::int32_t& page)
{
    const std::size_t index = view == PB1 ? 0 : 1;
    if (Painting[index] || Failed[index] || !Info)
        return;
    if (FPrintRequested || (FLastPageNumber != -1 && page > FLastPageNumber))
        return;
    Painting[index] = true;
    const auto done = qScopeGuard([this, index] { Painting[index] = false; });

    const QSize physical = FPrinter.PhysicalPageSize();
    const int W = physical.width();
    const int H = physical.height();
    if (W <= 0 || H <= 0)
        return;
    {
        QPainter painter(view);
        painter.setWindow(0, 0, W, H);
        painter.setViewport(0, 0, view->width(), view->height());
        painter.setBackgroundMode(Qt::TransparentMode);
        TSpecialCanvas canvas = TSpecialCanvas::Create(FPrinter, &painter, smDisplay);
        if (GridBut->isChecked())
            DrawGrid(painter, W, H);

        const TPrintableRect& area = canvas.PrintableRect;
        const int t = RoundEven(static_cast<double>(area.Top) / canvas.PhysHeight * H);
        const int b = RoundEven(static_cast<double>(area.Bottom) / canvas.PhysHeight * H);
        const int l = RoundEven(static_cast<double>(area.Left) / canvas.PhysWidth * W);
        const int r = RoundEven(static_cast<double>(area.Right) / canvas.PhysWidth * W);
        QRegion clip(0, 0, W, H);
        clip -= QRegion(0, 0, W, t);
        clip -= QRegion(0, b, W, H - b);
        clip -= QRegion(0, 0, l, H);
        clip -= QRegion(r, 0, W - r, H);
        painter.setClipRegion(clip);

        try {
            Info->PageNumber = page;
            if (!FOnPrintPage)
                throw PrintException(QStringLiteral("Print Page Function Not Assigned!"));
            FOnPrintPage(Info, canvas);
        } catch (const std::exception& error) {
            ReportPaintError(view, QString::fromStdString(error.what()));
        } catch (...) {
            ReportPaintError(view, QStringLiteral("Unknown error"));
        }
        if (!Info)
            return; // a handler that dropped the page description leaves nothing to read
    }

    page = Info->PageNumber;
    SetLabelText(CurPageLabel, QStringLiteral("Page %1").arg(page));
    const bool notFirst = page > 1;
    PrevPageBut->setEnabled(notFirst);
    PrevPageSpeed->setEnabled(notFirst);
    FirstPageSpeed->setEnabled(notFirst);
    const bool notLast = !Info->LastPage;
    NextPageBut->setEnabled(notLast);
    NextPageSpeed->setEnabled(notLast);
    LastPageSpeed->setEnabled(notLast);
    if (Info->LastPage && FLastPageNumber == -1)
        FLastPageNumber = Info->PageNumber;
    if (page > HighestMeasuredPage)
        HighestMeasuredPage = page;
}

void TPreviewForm::DrawGrid(QPainter& painter, std::int32_t width, std::int32_t height) const
{
    // One inch across, used for both directions.
    const int step = FPrinter.PixelsPerInchX();
    if (step <= 0)
        return;
    painter.save();
    painter.setPen(QPen(FromColourRef(GridColor), GridWidth));
    int x = 0;
    do {
        x += step;
        painter.drawLine(x, 0, x, height);
    } while (x < width);
    int y = 0;
    do {
        y += step;
        painter.drawLine(0, y, width, y);
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

void TPreviewForm::SetLabelText(QLabel* label, const QString& text)
{
    if (label->text() == text)
        return;
    label->setText(text);
    // A screen reader reads the label's text as its name; tell it the name changed.
    QAccessibleEvent changed(label, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
}

} // namespace wendle

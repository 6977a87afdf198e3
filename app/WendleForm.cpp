#include "app/WendleForm.h"

#include "app/OvrInsMemo.h"
#include "app/RadioGroup.h"
#include "app/SampleText.h"
#include "app/StitchDisplayArea.h"
#include "app/StitchDisplayMenu.h"
#include "app/WindowStyle.h"
#include "chart/SizeMessage.h"
#include "help/WendleHelpForm.h"
#include "preview/PageInfo.h"
#include "preview/PrintPreview.h"
#include "widgets/FxPSpinEdit.h"

#include <QAbstractEventDispatcher>
#include <QCloseEvent>
#include <QColorDialog>
#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace wendle {

using namespace window_style;

TWendleForm::TWendleForm(const QDate& today, QWidget* parent)
    : QWidget(parent,
        Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    FormCreate(today);
}

TWendleForm::~TWendleForm() = default;

void TWendleForm::FormCreate(const QDate& today)
{
    setWindowTitle("Wendle");
    setObjectName("WendleForm");
    resize(FormWidth, FormHeight);
    setMinimumSize(FormWidth, FormHeight);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, ToQColor(MaroonColour));
    palette.setColor(QPalette::WindowText, ToQColor(BlackColour));
    setPalette(palette);

    // The window's own font: 1248 / pixels-per-inch points, 13 points on a 96 dpi screen.
    QFont windowFont("Arial");
    windowFont.setBold(true);
    windowFont.setPointSize(std::max(1, 1248 / std::max(1, logicalDpiY())));
    setFont(windowFont);

    PrintPreview = new TPrintPreview(this);
    PrintPreview->SetOnBeginPrint(
        [this](std::unique_ptr<TPageInfo>& Info) { BeginPrinting(Info); });
    PrintPreview->SetOnPrintPage([this](std::unique_ptr<TPageInfo>& Info, TSpecialCanvas& SCanvas) {
        PrintPage(Info, SCanvas);
    });
    PrintPreview->SetOnEndPrint([this](std::unique_ptr<TPageInfo>& Info) { EndPrinting(Info); });

    Colours = DisplayColours {};
    CreateControls();
    Notebook->setCurrentIndex(0);

    // The sample text goes in line by line, each line a change of the text like typing.
    for (const QString& line : SampleTextLines(today))
        PlainText->appendPlainText(line);

    FStartupUpdateDone = false;
    Font.BuildFont();

    ConnectHandlers();
    // The message field is where a new user starts: typing goes there at once, after the sample.
    PlainText->moveCursor(QTextCursor::End);
    PlainText->setFocus();
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
        connect(
            dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &TWendleForm::IdleUpdate);

    if (const QScreen* screen = this->screen())
        move(StartPosition(size(), screen->availableGeometry()));
}

QPoint TWendleForm::StartPosition(const QSize& size, const QRect& available)
{
    // Centring a window larger than the screen's free area would push its title bar and its
    // left edge off screen; it starts at the area's top-left corner instead.
    if (size.width() > available.width() || size.height() > available.height())
        return available.topLeft();
    return available.center() - QRect(QPoint(), size).center();
}

void TWendleForm::ConnectHandlers()
{
    connect(PlainText, &QPlainTextEdit::textChanged, this, &TWendleForm::PlainTextChanged);
    // A resize comes as a burst of width changes; the wrapping is compared once it is over.
    RewrapTimer = new QTimer(this);
    RewrapTimer->setSingleShot(true);
    RewrapTimer->setInterval(0);
    connect(PlainText, &TOvrInsMemo::WidthChanged, RewrapTimer, qOverload<>(&QTimer::start));
    connect(RewrapTimer, &QTimer::timeout, this, &TWendleForm::FollowWrapping);
    for (TFxPSpinEdit* field : { StitchesAcrossEdit, StitchesDownEdit, BlankRowsEdit,
             BlankStitchesAtEndsEdit, BlankStitchesBetweenEdit })
        connect(field, &TFxPSpinEdit::OnChange, this, &TWendleForm::PrepareUpdate);
    for (TRadioGroup* group : { MeasureUnitGroup, TextAlignmentGroup, StitchWidthGroup })
        connect(group, &TRadioGroup::OnClick, this, &TWendleForm::PrepareUpdate);
    connect(DisplayStitchWidthScroll, &QScrollBar::valueChanged, this, &TWendleForm::PrepareUpdate);
    connect(PrintedStitchPitchEdit, &TFxPSpinEdit::OnChange, this,
        &TWendleForm::RecomputePrintRequirements);
    connect(PrintedStitchPitchGroup, &TRadioGroup::OnClick, this,
        &TWendleForm::RecomputePrintScaleLimits);
    connect(PreviewButton, &QPushButton::clicked, this, &TWendleForm::PreviewButtonClick);
    connect(PrintButton, &QPushButton::clicked, this, &TWendleForm::PrintButtonClick);
    connect(TextButton, &QPushButton::clicked, this,
        [this] { ColourSelectClick(DisplayColours::Text); });
    connect(BackgroundButton, &QPushButton::clicked, this,
        [this] { ColourSelectClick(DisplayColours::Background); });
    connect(GridLinesButton, &QPushButton::clicked, this,
        [this] { ColourSelectClick(DisplayColours::GridLines); });
    connect(HelpButton, &QPushButton::clicked, this, &TWendleForm::HelpButtonClick);
    connect(CloseButton, &QPushButton::clicked, this, &QWidget::close);
    StitchDisplayArea->SetPaintHandler(
        [this](QWidget& area, const QRect& exposed) { RepaintStitches(area, exposed); });
    connect(StitchDisplayArea, &TStitchDisplayArea::MenuRequested, StitchDisplayMenu,
        [this](const QPoint& at) { StitchDisplayMenu->popup(at); });
    connect(StitchDisplayMenu->MarkLongFloatsAction, &QAction::toggled, StitchDisplayArea,
        qOverload<>(&QWidget::update));
}

void TWendleForm::PrepareUpdate()
{
    ++FUpdateCount;
    LayOutChart();
    RecomputePrintRequirements();
    FDisplayStale = true;
}

void TWendleForm::IdleUpdate()
{
    if (FStartupUpdateDone && !FDisplayStale)
        return;
    FStartupUpdateDone = true;
    PrepareUpdate();
    FDisplayStale = false;
    SizeStitchDisplay();
    StitchDisplayArea->update();
}

void TWendleForm::LayOutChart()
{
    const auto options = MakeChartOptions(BlankRowsEdit->Number(),
        BlankStitchesAtEndsEdit->Number(), BlankStitchesBetweenEdit->Number(),
        TextAlignmentGroup->Chosen<Alignment>(), StitchWidthGroup->Chosen<FontForm>());
    LaidOutLines = PlainText->DisplayedLines();
    // While a number field is blank the chart keeps its last layout.
    // A new size changes the pages; the update cycle recomputes them anyway, but a layout
    // run on its own must not leave a stale page count behind.
    if (options && Layout.LayOutChart(LaidOutLines, *options, Font))
        RecomputePrintRequirements();
    ShowChartSize();
}

void TWendleForm::FollowWrapping()
{
    // Every wrapped piece of a line is a chart line: a width that wraps the text differently
    // changes the chart, which must not contradict the field beside it.
    if (PlainText->DisplayedLines() != LaidOutLines)
        PrepareUpdate();
}

void TWendleForm::ShowChartSize()
{
    const std::string separator = QLocale().decimalPoint().toStdString();
    // Only a chart that is really too tall gets the too-many-rows warning: a blank pitch or
    // gauge also makes it unprintable, but the warning would name a false cause.
    ChartSizeInputs inputs { Layout.ChartWidth, Layout.ChartHeight, StitchesAcrossEdit->Number(),
        StitchesDownEdit->Number(), MeasureUnitGroup->Chosen<LengthUnit>(),
        Print.TooTall ? UnprintablePages : 0 };
    const SizeMessage message = MakeSizeMessage(inputs, separator);
    DimensionsMessage->setText(QString::fromStdString(message.Caption));
    DescribeStitchDisplay(inputs, separator);
    SetTextColour(DimensionsMessage, message.TextColour);
    QFont font = DimensionsMessage->font();
    font.setBold(message.Bold);
    DimensionsMessage->setFont(font);
}

void TWendleForm::DescribeStitchDisplay(ChartSizeInputs inputs, const std::string& separator)
{
    // The chart's own description carries both dimensions, in stitches and at the gauge,
    // even while the size label shows the unprintable warning instead.
    inputs.PagesRequired = 0;
    const QString caption = QString::fromStdString(MakeSizeMessage(inputs, separator).Caption);
    const QString physical = caption.section('\n', 1);
    QString description = QString("%1 stitches wide by %2 rows deep, %3")
                              .arg(Layout.ChartWidth)
                              .arg(Layout.ChartHeight)
                              .arg(physical);
    if (FDisplayCut)
        description += QString(". ") + DisplayCutNote;
    StitchDisplayArea->setAccessibleDescription(description);
}

void TWendleForm::PlainTextChanged()
{
    // The normalisation's own edits come back here; they must not start another pass.
    if (Normalising)
        return;
    Normalising = true;
    PlainText->Normalise();
    Normalising = false;
    PrepareUpdate();
}

void TWendleForm::SetDisplayColour(int index, Colour colour)
{
    if (index < 0 || index > 2)
        return;
    Colours.Colours.at(static_cast<std::size_t>(index)) = colour;
}

void TWendleForm::ColourSelectClick(int tag)
{
    ColorDialog->setCurrentColor(ToQColor(Colours.Colours[tag]));
    if (ColorDialog->exec() != QDialog::Accepted)
        return;
    Colours.Colours[tag] = FromQColor(ColorDialog->selectedColor());
    PrepareUpdate();
}

void TWendleForm::HelpButtonClick()
{
    if (HelpForm)
        HelpForm->ShowHelp();
}

int TWendleForm::DisplayCellWidth() const { return DisplayStitchWidthScroll->value(); }

int TWendleForm::DisplayCellHeight() const
{
    // A blank or unusable gauge keeps the last good height rather than a meaningless one.
    if (const auto height = StitchCellHeight(
            StitchesAcrossEdit->Number(), StitchesDownEdit->Number(), DisplayCellWidth()))
        return *height;
    return LastCellHeight;
}

void TWendleForm::SizeStitchDisplay()
{
    LastCellHeight = DisplayCellHeight();
    if (Layout.ChartWidth == 0)
        return;
    const DisplaySize size = StitchDisplaySize(Layout, DisplayCellWidth(), LastCellHeight);
    const auto limit = [](std::int64_t pixels) {
        return static_cast<int>(std::clamp<std::int64_t>(pixels, 1, QWIDGETSIZE_MAX));
    };
    QSize wanted(limit(size.Width), limit(size.Height));
    // Qt's widgets end at QWIDGETSIZE_MAX pixels; a larger chart is shown up to there and
    // the cut is said on screen, never passed off as the whole chart.
    const bool cut = size.Width > QWIDGETSIZE_MAX || size.Height > QWIDGETSIZE_MAX;
    if (cut != FDisplayCut) {
        FDisplayCut = cut;
        ShowChartSize();
    }
    if (cut)
        wanted.setWidth(std::max(wanted.width(), CutNoteWidth));
    if (StitchDisplayArea->size() != wanted)
        StitchDisplayArea->setFixedSize(wanted);
}

void TWendleForm::RepaintStitches(QWidget& area, const QRect& exposed)
{
    if (Painting)
        return;
    Painting = true;
    QPainter painter(&area);
    QImage image(exposed.size(), QImage::Format_RGB32);
    // Whatever the chart does not cover shows the cream of the scroll box.
    image.fill(ToQColor(CreamColour));
    if (Layout.ChartWidth > 0) {
        RenderStitchDisplay(Layout, Colours, DisplayCellWidth(), LastCellHeight, exposed.left(),
            exposed.top(), exposed.width(), exposed.height(),
            reinterpret_cast<std::uint32_t*>(image.bits()),
            static_cast<int>(image.bytesPerLine() / 4));
    }
    painter.drawImage(exposed.topLeft(), image);
    StitchDisplayMenu->PaintFloatMarks(painter, exposed, DisplayCellWidth(), LastCellHeight);
    if (FDisplayCut)
        PaintCutNote(painter, area.rect());
    Painting = false;
    FDisplayStale = false;
}

void TWendleForm::PaintCutNote(QPainter& painter, const QRect& area)
{
    // A band along the far edges, where the user who scrolls to the end arrives.
    constexpr int band = 24;
    painter.setPen(ToQColor(YellowColour));
    painter.setFont(ArialFont(15, true));
    const auto note = [&](const QRect& strip) {
        painter.fillRect(strip, ToQColor(MaroonColour));
        painter.drawText(strip, Qt::AlignCenter, DisplayCutNote);
    };
    if (area.height() >= QWIDGETSIZE_MAX)
        note(QRect(area.left(), area.bottom() - band + 1, area.width(), band));
    if (area.width() >= QWIDGETSIZE_MAX)
        note(QRect(area.right() - CutNoteWidth + 1, area.top(), CutNoteWidth, band));
}

void TWendleForm::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted())
        emit Closed();
}

} // namespace wendle

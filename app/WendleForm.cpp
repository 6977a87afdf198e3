#include "app/WendleForm.h"

#include "app/OvrInsMemo.h"
#include "app/RadioGroup.h"
#include "app/SampleText.h"
#include "app/StitchDisplayArea.h"
#include "chart/SizeMessage.h"
#include "help/WendleHelpForm.h"
#include "preview/LabelText.h"
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

namespace {

    constexpr int FormWidth = 750;
    constexpr int FormHeight = 450;
    constexpr int BottomStripHeight = 41;
    // Wide enough for the note that a chart is too large to show in full.
    constexpr int CutNoteWidth = 600;

    QColor ToQColor(TColour colour)
    {
        return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
            static_cast<int>((colour >> 16) & 0xFF));
    }

    TColour FromQColor(const QColor& colour)
    {
        return static_cast<TColour>(colour.red()) | (static_cast<TColour>(colour.green()) << 8)
            | (static_cast<TColour>(colour.blue()) << 16);
    }

    QFont ArialFont(int pixelSize, bool bold)
    {
        QFont font("Arial");
        font.setPixelSize(pixelSize);
        font.setBold(bold);
        return font;
    }

    // A cream panel with maroon Arial bold text, as every option page is.
    void MakeOptionPanel(QWidget* panel)
    {
        panel->setAutoFillBackground(true);
        QPalette palette = panel->palette();
        palette.setColor(QPalette::Window, ToQColor(CreamColour));
        palette.setColor(QPalette::WindowText, ToQColor(MaroonColour));
        panel->setPalette(palette);
        panel->setFont(ArialFont(17, true));
    }

    void SetTextColour(QWidget* widget, TColour colour)
    {
        QPalette palette = widget->palette();
        palette.setColor(QPalette::WindowText, ToQColor(colour));
        widget->setPalette(palette);
    }

    constexpr TColour Yellow = 0x0000FFFF;

} // namespace

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

    StartupUpdateDoneFlag = false;
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

TFxPSpinEdit* TWendleForm::CreateSpinField(QWidget* parent, const QString& name, double minimum,
    double maximum, int decimals, double value)
{
    auto* field = new TFxPSpinEdit(parent);
    field->setObjectName(name);
    field->SetMinValue(minimum);
    field->SetMaxValue(maximum);
    field->SetDecimals(decimals);
    field->SetIncrement(1.0);
    field->SetValue(value);
    field->SetAutoSize(true);
    return field;
}

void TWendleForm::CreateControls()
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(2, 2, 2, 0);
    outer->setSpacing(2);

    Notebook = new QTabWidget(this);
    Notebook->setObjectName("Notebook");
    QFont tabFont = ArialFont(15, true);
    Notebook->tabBar()->setFont(tabFont);
    Notebook->tabBar()->setPalette([&] {
        QPalette palette = Notebook->tabBar()->palette();
        palette.setColor(QPalette::WindowText, ToQColor(MaroonColour));
        palette.setColor(QPalette::ButtonText, ToQColor(MaroonColour));
        return palette;
    }());
    Notebook->addTab(CreateTextPage(), "Enter and Edit Text");
    Notebook->addTab(CreateStitchesPage(), "Specify Stitch Options");
    Notebook->addTab(CreateDisplayAndPrintPage(), "Specify Display and Print Options");

    HelpButton = new QPushButton(style()->standardIcon(QStyle::SP_DialogHelpButton), "&Help", this);
    HelpButton->setObjectName("HelpButton");
    Notebook->setCornerWidget(HelpButton, Qt::TopRightCorner);
    // The pages take the height their controls need; the chart gets the rest.
    const int pagesHeight
        = std::max(StitchesPanel->sizeHint().height(), DisplayAndPrintPanel->sizeHint().height());
    Notebook->setFixedHeight(pagesHeight + Notebook->tabBar()->sizeHint().height() + 6);
    outer->addWidget(Notebook, 0);

    StitchDisplayScrollBox = new QScrollArea(this);
    StitchDisplayScrollBox->setObjectName("StitchDisplayScrollBox");
    StitchDisplayScrollBox->setFrameShape(QFrame::NoFrame);
    StitchDisplayScrollBox->setWidgetResizable(false);
    StitchDisplayScrollBox->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette scrollPalette = StitchDisplayScrollBox->palette();
    scrollPalette.setColor(QPalette::Window, ToQColor(CreamColour));
    StitchDisplayScrollBox->setPalette(scrollPalette);
    // The viewport takes the cream by inheritance; the box itself shows it in the corner
    // between the scroll bars.
    StitchDisplayScrollBox->setAutoFillBackground(true);
    StitchDisplayArea = new TStitchDisplayArea;
    StitchDisplayArea->setObjectName("StitchDisplayArea");
    StitchDisplayArea->setAccessibleName("Stitch chart");
    StitchDisplayArea->setFixedSize(FormWidth - 4, 1);
    StitchDisplayScrollBox->setWidget(StitchDisplayArea);
    StitchDisplayScrollBox->setContentsMargins(2, 0, 0, 0);
    outer->addWidget(StitchDisplayScrollBox, 1);

    outer->addWidget(CreateBottomStrip(), 0);

    ColorDialog = new QColorDialog(this);
    ColorDialog->setObjectName("ColorDialog");
    ColorDialog->setOption(QColorDialog::DontUseNativeDialog);
}

QWidget* TWendleForm::CreateTextPage()
{
    auto* page = new QWidget;
    page->setObjectName("TextPage");
    MakeOptionPanel(page);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    PlainText = new TOvrInsMemo(page);
    PlainText->setObjectName("PlainText");
    PlainText->setAccessibleName("Message to knit");
    PlainText->clear();
    layout->addWidget(PlainText, 1);

    OvrLabel = new QLabel(" Insert", page);
    OvrLabel->setObjectName("OvrLabel");
    OvrLabel->setFont(ArialFont(15, false));
    OvrLabel->setFixedHeight(17);
    // The label's own text (" Insert" or " Overwrite") is what a screen reader reads.
    OvrLabel->setAccessibleDescription("Typing mode");
    // Yellow on the maroon of the window, as the size message below.
    OvrLabel->setAutoFillBackground(true);
    QPalette labelPalette = OvrLabel->palette();
    labelPalette.setColor(QPalette::Window, ToQColor(MaroonColour));
    labelPalette.setColor(QPalette::WindowText, ToQColor(Yellow));
    OvrLabel->setPalette(labelPalette);
    PlainText->SetModeLabel(OvrLabel);
    layout->addWidget(OvrLabel, 0);
    return page;
}

QWidget* TWendleForm::CreateStitchesPage()
{
    StitchesPanel = new QWidget;
    StitchesPanel->setObjectName("StitchesPanel");
    MakeOptionPanel(StitchesPanel);
    auto* grid = new QGridLayout(StitchesPanel);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);

    const auto label = [this](const QString& text) { return new QLabel(text, StitchesPanel); };
    const auto named = [](TFxPSpinEdit* field, const QString& name) {
        field->setAccessibleName(name);
        return field;
    };

    StitchesAcrossEdit = named(
        CreateSpinField(StitchesPanel, "StitchesAcrossEdit", 2, 16, 1, 6.0), "Stitches across");
    StitchesDownEdit
        = named(CreateSpinField(StitchesPanel, "StitchesDownEdit", 2, 16, 1, 7.5), "Stitches down");
    grid->addWidget(label("Stitches across"), 0, 0);
    grid->addWidget(StitchesAcrossEdit, 0, 1);
    grid->addWidget(label("per"), 0, 2);
    grid->addWidget(label("Stitches down"), 1, 0);
    grid->addWidget(StitchesDownEdit, 1, 1);
    grid->addWidget(label("per"), 1, 2);

    MeasureUnitGroup = new TRadioGroup("Unit", { "inch", "cm" }, 1, StitchesPanel);
    MeasureUnitGroup->setObjectName("MeasureUnitGroup");
    MeasureUnitGroup->SetItemIndex(0);
    grid->addWidget(MeasureUnitGroup, 0, 3, 2, 1);

    BlankRowsEdit = named(CreateSpinField(StitchesPanel, "BlankRowsEdit", 1, 10, 0, 2),
        "blank rows around lines of text");
    BlankStitchesAtEndsEdit
        = named(CreateSpinField(StitchesPanel, "BlankStitchesAtEndsEdit", 1, 10, 0, 1),
            "minimum blank stitches at row ends");
    BlankStitchesBetweenEdit
        = named(CreateSpinField(StitchesPanel, "BlankStitchesBetweenEdit", 2, 6, 0, 2),
            "minimum blank stitches between words");
    // The stitch counts sit under the gauge labels, right-aligned, so that their long
    // captions start where the gauge fields stand.
    int row = 2;
    for (TFxPSpinEdit* field :
        { BlankRowsEdit, BlankStitchesAtEndsEdit, BlankStitchesBetweenEdit }) {
        grid->addWidget(field, row, 0, Qt::AlignRight);
        grid->addWidget(label(field->accessibleName()), row, 1, 1, 3);
        ++row;
    }

    TextAlignmentGroup = new TRadioGroup("Text alignment",
        { "Left justified", "Right justified", "Centered", "Fully justified" }, 2, StitchesPanel);
    TextAlignmentGroup->setObjectName("TextAlignmentGroup");
    TextAlignmentGroup->SetItemIndex(0);
    StitchWidthGroup = new TRadioGroup("Font width (affects A,E,F,H,L,P,S,T,etc.)",
        { "Narrow font", "Wide font" }, 2, StitchesPanel);
    StitchWidthGroup->setObjectName("StitchWidthGroup");
    StitchWidthGroup->SetItemIndex(0);
    TextAlignmentGroup->setFont(ArialFont(15, true));
    // The long caption must fit beside the stitch counts.
    StitchWidthGroup->setFont(ArialFont(14, true));
    auto* groups = new QVBoxLayout;
    groups->setSpacing(2);
    groups->addWidget(TextAlignmentGroup);
    groups->addWidget(StitchWidthGroup);
    groups->addStretch(1);
    grid->addLayout(groups, 0, 4, 5, 1);
    grid->setColumnStretch(4, 1);
    grid->setRowStretch(5, 1);
    return StitchesPanel;
}

QWidget* TWendleForm::CreateDisplayAndPrintPage()
{
    DisplayAndPrintPanel = new QWidget;
    DisplayAndPrintPanel->setObjectName("DisplayAndPrintPanel");
    MakeOptionPanel(DisplayAndPrintPanel);
    auto* page = new QVBoxLayout(DisplayAndPrintPanel);
    page->setContentsMargins(8, 4, 8, 4);
    page->setSpacing(4);
    QWidget* panel = DisplayAndPrintPanel;

    auto* displayRow = new QHBoxLayout;
    displayRow->addWidget(new QLabel("Zoom out", panel));
    DisplayStitchWidthScroll = new QScrollBar(Qt::Horizontal, panel);
    DisplayStitchWidthScroll->setObjectName("DisplayStitchWidthScroll");
    DisplayStitchWidthScroll->setAccessibleName("Zoom");
    DisplayStitchWidthScroll->setRange(3, 12);
    // A page step of one: a click on the track and a wheel notch each move one position
    // (Qt bounds wheel steps by the page step, so zero would leave the wheel dead).
    DisplayStitchWidthScroll->setPageStep(1);
    DisplayStitchWidthScroll->setValue(4);
    DisplayStitchWidthScroll->setMinimumWidth(140);
    displayRow->addWidget(DisplayStitchWidthScroll, 1);
    displayRow->addWidget(new QLabel("Zoom in", panel));

    StitchDisplayColorsBox = new QGroupBox("Stitch display colors", panel);
    StitchDisplayColorsBox->setObjectName("StitchDisplayColorsBox");
    auto* colourButtons = new QHBoxLayout(StitchDisplayColorsBox);
    colourButtons->setContentsMargins(6, 2, 6, 4);
    TextButton = new QPushButton("Text", StitchDisplayColorsBox);
    TextButton->setObjectName("TextButton");
    BackgroundButton = new QPushButton("Background", StitchDisplayColorsBox);
    BackgroundButton->setObjectName("BackgroundButton");
    GridLinesButton = new QPushButton("Grid Lines", StitchDisplayColorsBox);
    GridLinesButton->setObjectName("GridLinesButton");
    TextButton->setAccessibleDescription("Choose the colour of text stitches");
    BackgroundButton->setAccessibleDescription("Choose the colour of background stitches");
    GridLinesButton->setAccessibleDescription("Choose the colour of the grid lines");
    for (QPushButton* button : { TextButton, BackgroundButton, GridLinesButton })
        colourButtons->addWidget(button);
    displayRow->addSpacing(12);
    displayRow->addWidget(StitchDisplayColorsBox);
    page->addLayout(displayRow);

    auto* bevel = new QFrame(panel);
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    page->addWidget(bevel);

    auto* scaleRow = new QHBoxLayout;
    scaleRow->addWidget(new QLabel("Print", panel));
    PrintedStitchPitchEdit = CreateSpinField(panel, "PrintedStitchPitchEdit", 5, 20, 1, 12.0);
    PrintedStitchPitchEdit->setAccessibleName("Print stitches per");
    scaleRow->addWidget(PrintedStitchPitchEdit);
    scaleRow->addWidget(new QLabel("stitches per", panel));
    PrintedStitchPitchGroup = new TRadioGroup(QString(), { "inch", "cm" }, 2, panel);
    PrintedStitchPitchGroup->setObjectName("PrintedStitchPitchGroup");
    PrintedStitchPitchGroup->setAccessibleName("Printed stitch unit");
    PrintedStitchPitchGroup->SetItemIndex(0);
    scaleRow->addWidget(PrintedStitchPitchGroup);
    PagesRequiredLabel = new QLabel("Pages required to print: ", panel);
    PagesRequiredLabel->setObjectName("PagesRequiredLabel");
    scaleRow->addWidget(PagesRequiredLabel, 1);
    PrintColorGroup = new TRadioGroup(
        "Print color", { "Black on white", "White on black", "Screen display colors" }, 3, panel);
    PrintColorGroup->setObjectName("PrintColorGroup");
    PrintColorGroup->SetItemIndex(0);
    PrintColorGroup->setFont(ArialFont(15, true));

    auto* numberRow = new QHBoxLayout;
    numberRow->addWidget(new QLabel("Call the first stitch #", panel));
    FirstStitchEdit = CreateSpinField(panel, "FirstStitchEdit", 1, 999, 0, 1);
    FirstStitchEdit->setAccessibleName("Call the first stitch #");
    numberRow->addWidget(FirstStitchEdit);
    numberRow->addSpacing(12);
    numberRow->addWidget(new QLabel("Call the first row #", panel));
    FirstRowEdit = CreateSpinField(panel, "FirstRowEdit", 1, 999, 0, 1);
    FirstRowEdit->setAccessibleName("Call the first row #");
    numberRow->addWidget(FirstRowEdit);
    numberRow->addStretch(1);
    PreviewButton = new QPushButton("Preview", panel);
    PreviewButton->setObjectName("PreviewButton");
    PrintButton = new QPushButton("Print", panel);
    PrintButton->setObjectName("PrintButton");
    numberRow->addWidget(PreviewButton);
    numberRow->addWidget(PrintButton);

    page->addLayout(scaleRow);
    page->addWidget(PrintColorGroup);
    page->addLayout(numberRow);
    page->addStretch(1);
    return DisplayAndPrintPanel;
}

QWidget* TWendleForm::CreateBottomStrip()
{
    Panel3 = new QWidget(this);
    Panel3->setObjectName("Panel3");
    Panel3->setFixedHeight(BottomStripHeight);
    auto* layout = new QHBoxLayout(Panel3);
    layout->setContentsMargins(4, 0, 4, 2);

    DimensionsMessage = new QLabel("Dimensions of formatted text", Panel3);
    DimensionsMessage->setObjectName("DimensionsMessage");
    DimensionsMessage->setAccessibleDescription("Chart size");
    DimensionsMessage->setAlignment(Qt::AlignCenter);
    DimensionsMessage->setWordWrap(true);
    DimensionsMessage->setFont(ArialFont(15, false));
    SetTextColour(DimensionsMessage, Yellow);
    layout->addWidget(DimensionsMessage, 1);

    CloseButton = new QPushButton("Exit", Panel3);
    CloseButton->setObjectName("CloseButton");
    layout->addWidget(CloseButton, 0);
    return Panel3;
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
}

void TWendleForm::PrepareUpdate()
{
    ++UpdateRuns;
    LayOutChart();
    RecomputePrintRequirements();
    DisplayStaleFlag = true;
}

void TWendleForm::IdleUpdate()
{
    if (StartupUpdateDoneFlag && !DisplayStaleFlag)
        return;
    StartupUpdateDoneFlag = true;
    PrepareUpdate();
    DisplayStaleFlag = false;
    SizeStitchDisplay();
    StitchDisplayArea->update();
}

void TWendleForm::LayOutChart()
{
    const auto options = MakeChartOptions(BlankRowsEdit->Value(), BlankStitchesAtEndsEdit->Value(),
        BlankStitchesBetweenEdit->Value(), TextAlignmentGroup->ItemIndex(),
        StitchWidthGroup->ItemIndex());
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
    const std::string unit = MeasureUnitGroup->SelectedCaption().toStdString();
    const std::string separator = QLocale().decimalPoint().toStdString();
    // Only a chart that is really too tall gets the too-many-rows warning: a blank pitch or
    // gauge also makes it unprintable, but the warning would name a false cause.
    ChartSizeInputs inputs { Layout.ChartWidth, Layout.ChartHeight, StitchesAcrossEdit->Value(),
        StitchesDownEdit->Value(), unit, Print.TooTall ? UnprintablePages : 0 };
    const SizeMessage message = MakeSizeMessage(inputs, separator);
    SetLabelText(DimensionsMessage, QString::fromStdString(message.Caption).replace('\r', '\n'));
    DescribeStitchDisplay(inputs, separator);
    SetTextColour(DimensionsMessage, message.Colour);
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
    const QString physical = caption.section('\r', 1);
    QString description = QString("%1 stitches wide by %2 rows deep, %3")
                              .arg(Layout.ChartWidth)
                              .arg(Layout.ChartHeight)
                              .arg(physical);
    if (DisplayCutFlag)
        description += QString(". ") + DisplayCutNote;
    SetAccessibleDescriptionText(StitchDisplayArea, description);
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

void TWendleForm::SetDisplayColour(int index, TColour colour)
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
            StitchesAcrossEdit->Value(), StitchesDownEdit->Value(), DisplayCellWidth()))
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
    if (cut != DisplayCutFlag) {
        DisplayCutFlag = cut;
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
    if (DisplayCutFlag)
        PaintCutNote(painter, area.rect());
    Painting = false;
    DisplayStaleFlag = false;
}

void TWendleForm::PaintCutNote(QPainter& painter, const QRect& area)
{
    // A band along the far edges, where the user who scrolls to the end arrives.
    constexpr int band = 24;
    painter.setPen(ToQColor(Yellow));
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

// The main window's construction: its three option pages, the chart area and the bottom
// strip, with every control named as the knitter's guide names it.
#include "app/WendleForm.h"

#include "app/OvrInsMemo.h"
#include "app/RadioGroup.h"
#include "app/StitchDisplayArea.h"
#include "app/StitchDisplayMenu.h"
#include "app/WindowStyle.h"
#include "chart/Settings.h"
#include "widgets/FxPSpinEdit.h"

#include <QColorDialog>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace wendle {

using namespace window_style;

namespace {

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

} // namespace

TFxPSpinEdit* TWendleForm::CreateSpinField(
    QWidget* parent, const QString& name, const NumberSetting& setting)
{
    auto* field = new TFxPSpinEdit(parent);
    field->setObjectName(name);
    field->SetMinValue(setting.Minimum);
    field->SetMaxValue(setting.Maximum);
    field->SetDecimals(setting.Decimals);
    field->SetIncrement(1.0);
    field->SetValue(setting.Default);
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
    // The chart takes the focus in the scroll box's place, one stop in the tab order, so that
    // a screen reader names the chart and the menu keys reach it.
    StitchDisplayScrollBox->setFocusProxy(StitchDisplayArea);
    StitchDisplayMenu = new TStitchDisplayMenu(*this);
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
    labelPalette.setColor(QPalette::WindowText, ToQColor(YellowColour));
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

    StitchesAcrossEdit
        = named(CreateSpinField(StitchesPanel, "StitchesAcrossEdit", StitchesAcrossSetting),
            "Stitches across");
    StitchesDownEdit = named(
        CreateSpinField(StitchesPanel, "StitchesDownEdit", StitchesDownSetting), "Stitches down");
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

    BlankRowsEdit = named(CreateSpinField(StitchesPanel, "BlankRowsEdit", BlankRowsSetting),
        "blank rows around lines of text");
    BlankStitchesAtEndsEdit
        = named(CreateSpinField(StitchesPanel, "BlankStitchesAtEndsEdit", EndBlanksSetting),
            "minimum blank stitches at row ends");
    BlankStitchesBetweenEdit
        = named(CreateSpinField(StitchesPanel, "BlankStitchesBetweenEdit", WordGapSetting),
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
    DisplayStitchWidthScroll->setRange(static_cast<int>(DisplayCellWidthSetting.Minimum),
        static_cast<int>(DisplayCellWidthSetting.Maximum));
    // A page step of one: a click on the track and a wheel notch each move one position
    // (Qt bounds wheel steps by the page step, so zero would leave the wheel dead).
    DisplayStitchWidthScroll->setPageStep(1);
    DisplayStitchWidthScroll->setValue(static_cast<int>(DisplayCellWidthSetting.Default));
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
    PrintedStitchPitchEdit
        = CreateSpinField(panel, "PrintedStitchPitchEdit", PrintPitchSetting(LengthUnit::Inch));
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
    FirstStitchEdit = CreateSpinField(panel, "FirstStitchEdit", FirstNumberSetting);
    FirstStitchEdit->setAccessibleName("Call the first stitch #");
    numberRow->addWidget(FirstStitchEdit);
    numberRow->addSpacing(12);
    numberRow->addWidget(new QLabel("Call the first row #", panel));
    FirstRowEdit = CreateSpinField(panel, "FirstRowEdit", FirstNumberSetting);
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
    SetTextColour(DimensionsMessage, YellowColour);
    layout->addWidget(DimensionsMessage, 1);

    CloseButton = new QPushButton("Exit", Panel3);
    CloseButton->setObjectName("CloseButton");
    layout->addWidget(CloseButton, 0);
    return Panel3;
}

} // namespace wendle

#pragma once

#include "chart/ChartLayout.h"
#include "chart/PrintLayout.h"
#include "chart/Settings.h"
#include "chart/SizeMessage.h"
#include "chart/StitchDisplay.h"
#include "chart/WendleFont.h"

#include <QDate>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QColorDialog;
class QPainter;
class QLabel;
class QPushButton;
class QScrollArea;
class QScrollBar;
class QTabWidget;
class QTimer;
class QGroupBox;

namespace wendle {

class TFxPSpinEdit;
class TPrintPreview;
struct TSpecialCanvas;
struct TPageInfo;
class TOvrInsMemo;
class TRadioGroup;
class TStitchDisplayArea;
class TStitchDisplayMenu;
class TWendleHelpForm;

/// The main window: the message field and the option pages above, the stitch chart in the
/// middle, the chart's size at the bottom. It owns every piece of the program's state and
/// keeps chart, size message and display in step with the text and the options.
class TWendleForm : public QWidget {
    Q_OBJECT

public:
    /// Builds the window with the sample text of \a today.
    explicit TWendleForm(const QDate& today = QDate::currentDate(), QWidget* parent = nullptr);
    ~TWendleForm() override;

    /// Where a window of \a size opens in the screen's \a available area: centred where it
    /// fits, else at the area's top-left corner.
    static QPoint StartPosition(const QSize& size, const QRect& available);

    /// The help window the Help button shows; owned elsewhere.
    void SetHelpForm(TWendleHelpForm* helpForm) { HelpForm = helpForm; }

    /// The one update: lays the chart out again, refreshes the size message and marks the
    /// display stale. Runs on every change of the text or of an option.
    void PrepareUpdate();
    /// Run when the event queue has emptied: one more update and one repaint request after
    /// each burst of changes, and the first real update after start-up.
    void IdleUpdate();

    const TChartLayout& Chart() const { return Layout; }
    std::int32_t ChartWidth() const { return Layout.ChartWidth; }
    std::int32_t ChartHeight() const { return Layout.ChartHeight; }
    Colour DisplayColour(int index) const { return Colours.Colours[index]; }
    void SetDisplayColour(int index, Colour colour);
    bool DisplayStale() const { return FDisplayStale; }
    bool StartupUpdateDone() const { return FStartupUpdateDone; }
    /// Cell size of the display in pixels.
    int DisplayCellWidth() const;
    int DisplayCellHeight() const;
    /// Works out the printed scale, the sections and pages and the paper orientation, and
    /// shows the result: the pages label, the Preview and Print buttons, the size message.
    void RecomputePrintRequirements();
    /// Sets the pitch field's limits for the chosen unit, then recomputes the print layout.
    void RecomputePrintScaleLimits();
    /// The print layout as last computed.
    const PrintLayout& PrintPlan() const { return Print; }
    void PreviewButtonClick();
    void PrintButtonClick();

    /// How many updates have run, so that tests can tell whether a change ran one.
    int UpdateCount() const { return FUpdateCount; }
    /// True while the chart is too large for the display, which then shows only its start.
    bool DisplayCut() const { return FDisplayCut; }
    static constexpr const char* DisplayCutNote
        = "The chart is too large to show in full: zoom out to see more of it";

    // Controls, named as the knitter's guide names them.
    QTabWidget* Notebook { nullptr };
    QPushButton* HelpButton { nullptr };
    QScrollArea* StitchDisplayScrollBox { nullptr };
    TStitchDisplayArea* StitchDisplayArea { nullptr };
    TStitchDisplayMenu* StitchDisplayMenu { nullptr };
    QWidget* Panel3 { nullptr };
    QLabel* DimensionsMessage { nullptr };
    QPushButton* CloseButton { nullptr };
    QColorDialog* ColorDialog { nullptr };

    TOvrInsMemo* PlainText { nullptr };
    QLabel* OvrLabel { nullptr };

    QWidget* StitchesPanel { nullptr };
    TFxPSpinEdit* StitchesAcrossEdit { nullptr };
    TFxPSpinEdit* StitchesDownEdit { nullptr };
    TRadioGroup* MeasureUnitGroup { nullptr };
    TFxPSpinEdit* BlankRowsEdit { nullptr };
    TFxPSpinEdit* BlankStitchesAtEndsEdit { nullptr };
    TFxPSpinEdit* BlankStitchesBetweenEdit { nullptr };
    TRadioGroup* TextAlignmentGroup { nullptr };
    TRadioGroup* StitchWidthGroup { nullptr };

    QWidget* DisplayAndPrintPanel { nullptr };
    QScrollBar* DisplayStitchWidthScroll { nullptr };
    QGroupBox* StitchDisplayColorsBox { nullptr };
    QPushButton* TextButton { nullptr };
    QPushButton* BackgroundButton { nullptr };
    QPushButton* GridLinesButton { nullptr };
    TFxPSpinEdit* PrintedStitchPitchEdit { nullptr };
    TRadioGroup* PrintedStitchPitchGroup { nullptr };
    QLabel* PagesRequiredLabel { nullptr };
    TRadioGroup* PrintColorGroup { nullptr };
    TFxPSpinEdit* FirstStitchEdit { nullptr };
    TFxPSpinEdit* FirstRowEdit { nullptr };
    QPushButton* PreviewButton { nullptr };
    QPushButton* PrintButton { nullptr };
    TPrintPreview* PrintPreview { nullptr };

signals:
    /// The window was closed; the program ends with it.
    void Closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate(const QDate& today);
    void CreateControls();
    QWidget* CreateTextPage();
    QWidget* CreateStitchesPage();
    QWidget* CreateDisplayAndPrintPage();
    QWidget* CreateBottomStrip();
    TFxPSpinEdit* CreateSpinField(
        QWidget* parent, const QString& name, const NumberSetting& setting);
    void ConnectHandlers();

    void LayOutChart();
    // The driver's three page callbacks: they describe the job, draw one page, end the job.
    void BeginPrinting(std::unique_ptr<TPageInfo>& Info);
    void PrintPage(std::unique_ptr<TPageInfo>& Info, TSpecialCanvas& SCanvas);
    void EndPrinting(std::unique_ptr<TPageInfo>& Info);
    void SetPrinterOrientation();
    void RunPrintCommand(void (TPrintPreview::*command)());
    void ReportPrintError(const std::exception& error);
    void ShowChartSize();
    void DescribeStitchDisplay(ChartSizeInputs inputs, const std::string& separator);
    void PaintCutNote(QPainter& painter, const QRect& area);
    void PlainTextChanged();
    void ColourSelectClick(int tag);
    void HelpButtonClick();
    void SizeStitchDisplay();
    void RepaintStitches(QWidget& area, const QRect& exposed);
    void FollowWrapping();

    TWendleHelpForm* HelpForm { nullptr };
    TWendleFont Font;
    TChartLayout Layout;
    // The field's lines as the chart was last laid out from them.
    std::vector<std::string> LaidOutLines;
    QTimer* RewrapTimer { nullptr };
    DisplayColours Colours;
    PrintLayout Print;
    bool FStartupUpdateDone { false };
    bool FDisplayStale { false };
    bool Painting { false };
    bool FDisplayCut { false };
    bool PrintCommandRunning { false };
    bool Normalising { false };
    int LastCellHeight { 3 };
    int FUpdateCount { 0 };
};

} // namespace wendle

#include "FormFixture.h"

#include "AccessibilityRecorder.h"
#include "BlankValue.h"
#include "StitchDisplayArea.h"
#include "WendleHelpForm.h"

#include <QClipboard>
#include <QColorDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

#include <functional>

using namespace wendle;

namespace {

using WendleFormTest = test::FormFixture;

const QString SampleMessage = "Area shown is 124 stitches wide by 37 stitches deep,\n"
                              "or 20.7 inches wide by 4.9 inches deep";

TEST(WendleFormStartTest, SampleTextFollowsTheDate)
{
    EXPECT_EQ(TWendleForm(QDate(2027, 2, 2)).PlainText->toPlainText(),
        "HAPPY GROUNDHOG DAY 2027\nFROM QUILLON");
    EXPECT_EQ(TWendleForm(QDate(2027, 2, 3)).PlainText->toPlainText(),
        "$ % &   STITCH SAMPLER   & % $\nABCDEFGHIJKLMNOPQRSTUVWXYZ\n12345 ... 67890\n"
        "!@#^*()_-+=[]:;\"'<,>.?/\\  $%&\nSHE SAID, \"HELLO, WORLD!\"");
}

TEST_F(WendleFormTest, ControlsStartWithTheirRangesAndDefaults)
{
    EXPECT_TRUE(form->StartupUpdateDone());
    EXPECT_EQ(Message(), SampleMessage);
    EXPECT_EQ(form->DimensionsMessage->palette().color(QPalette::WindowText), QColor(255, 255, 0));
    const std::tuple<TFxPSpinEdit*, double, double, double, int, QString> fields[] = {
        { form->StitchesAcrossEdit, 2, 16, 6.0, 1, "Stitches across" },
        { form->StitchesDownEdit, 2, 16, 7.5, 1, "Stitches down" },
        { form->BlankRowsEdit, 1, 10, 2, 0, "blank rows around lines of text" },
        { form->BlankStitchesAtEndsEdit, 1, 10, 1, 0, "minimum blank stitches at row ends" },
        { form->BlankStitchesBetweenEdit, 2, 6, 2, 0, "minimum blank stitches between words" },
        { form->PrintedStitchPitchEdit, 5, 20, 12.0, 1, "Print stitches per" },
        { form->FirstStitchEdit, 1, 999, 1, 0, "Call the first stitch #" },
        { form->FirstRowEdit, 1, 999, 1, 0, "Call the first row #" },
    };
    for (const auto& [field, minimum, maximum, value, decimals, name] : fields) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(std::tuple(field->MinValue(), field->MaxValue(), field->Value(),
                      field->Decimals(), field->Increment()),
            std::tuple(minimum, maximum, value, decimals, 1.0));
        EXPECT_EQ(test::ReadAccessible(field), name);
    }
    EXPECT_EQ(
        std::tuple(form->DisplayStitchWidthScroll->minimum(),
            form->DisplayStitchWidthScroll->maximum(), form->DisplayStitchWidthScroll->value()),
        std::tuple(3, 12, 4));
}

TEST_F(WendleFormTest, EveryChangeLaysTheChartOutAgain)
{
    struct Step {
        const char* Name;
        std::function<void()> Change;
        int Width, Height;
        QString SecondLine; // of the size message; empty: not checked
        bool Updates { true }; // the print colour and numbers are only read when printing
    };
    const Step steps[] = {
        { "typing upper-cases", [&] { SetText(""), QTest::keyClicks(form->PlainText, "hi"); }, 7, 9,
            "or 1.2 inches wide by 1.2 inches deep" },
        { "a second line", [&] { QTest::keyClicks(form->PlainText, "\ri"); }, 7, 16, {} },
        { "a paste is normalised",
            [&] {
                form->PlainText->selectAll();
                QApplication::clipboard()->setText("  hello");
                QTest::keyClick(form->PlainText, Qt::Key_V, Qt::ControlModifier);
            },
            22, 9, {} },
        { "empty text", [&] { SetText(""); }, 2, 2, "or 0.3 inches wide by 0.3 inches deep" },
        { "wide font", [&] { SetText("HI"), ClickItem(form->StitchWidthGroup, 1); }, 8, 9, {} },
        { "cm", [&] { ClickItem(form->MeasureUnitGroup, 1); }, 8, 9,
            "or 1.3 cm wide by 1.2 cm deep" },
        { "across up", [&] { KeyInField(form->StitchesAcrossEdit, Qt::Key_Up); }, 8, 9,
            "or 1.1 cm wide by 1.2 cm deep" },
        { "blank rows down", [&] { KeyInField(form->BlankRowsEdit, Qt::Key_Down); }, 8, 7, {} },
        { "end blanks up", [&] { KeyInField(form->BlankStitchesAtEndsEdit, Qt::Key_Up); }, 10, 7,
            {} },
        // Word gap 3: two I glyphs three apart, five wide, and two end blanks each side.
        { "word gap up",
            [&] { SetText("I I"), KeyInField(form->BlankStitchesBetweenEdit, Qt::Key_Up); }, 9, 7,
            {} },
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.Name);
        const int updates = form->UpdateCount();
        step.Change();
        EXPECT_EQ(form->UpdateCount() > updates, step.Updates);
        Idle();
        EXPECT_EQ(
            std::pair(form->ChartWidth(), form->ChartHeight()), std::pair(step.Width, step.Height));
        if (!step.SecondLine.isEmpty()) {
            EXPECT_EQ(Message().section('\n', 1), step.SecondLine);
        }
    }
    // A line too long for the field is laid out as the lines the field shows.
    SetText(QString(80, 'W'));
    EXPECT_EQ(form->ChartHeight(), 5 * 2 + 1 * 3);
    // Right justified: the wide H and I make the first line 6 wide; the lone I of the second
    // line (top row 1 + 5 + 1) ends in the text area's last column, 2 + 6 - 1.
    SetText("HI\nI");
    ClickItem(form->TextAlignmentGroup, 1);
    EXPECT_TRUE(form->Chart().IsTextStitch(7, 7));
    EXPECT_FALSE(form->Chart().IsTextStitch(7, 2));
}

TEST_F(WendleFormTest, CellSizeFollowsZoomAndGauge)
{
    EXPECT_EQ(form->StitchDisplayArea->size(), QSize(124 * 4 + 1, 37 * 3 + 1));
    form->Notebook->setCurrentIndex(2);
    const int updates = form->UpdateCount();
    form->DisplayStitchWidthScroll->setFocus();
    QTest::keyClick(form->DisplayStitchWidthScroll, Qt::Key_End);
    EXPECT_GT(form->UpdateCount(), updates);
    EXPECT_TRUE(form->DisplayStale());
    Idle();
    EXPECT_EQ(form->StitchDisplayArea->size(), QSize(124 * 12 + 1, 37 * 10 + 1));
    const std::tuple<double, double, int, int> cases[]
        = { { 2.0, 16.0, 3, 1 }, { 16.0, 2.0, 12, 96 }, { 6.0, 7.5, 12, 10 } };
    for (const auto& [across, down, zoom, height] : cases) {
        form->StitchesAcrossEdit->SetValue(across);
        form->StitchesDownEdit->SetValue(down);
        form->DisplayStitchWidthScroll->setValue(zoom);
        Idle();
        EXPECT_EQ(form->DisplayCellHeight(), height) << across << "/" << down;
        EXPECT_EQ(form->StitchDisplayArea->height(), 37 * height + 1);
    }
}

TEST_F(WendleFormTest, BlankNumbersKeepTheLastChartAndDisplay)
{
    KeyInField(form->StitchesAcrossEdit, Qt::Key_Escape);
    ASSERT_TRUE(IsBlankValue(form->StitchesAcrossEdit->Value()));
    Idle();
    EXPECT_EQ(Message().section('\n', 1), "or ? inches wide by 4.9 inches deep");
    EXPECT_EQ(form->DisplayCellHeight(), 3);
    KeyInField(form->StitchesAcrossEdit, Qt::Key_Escape);
    Idle();
    EXPECT_EQ(Message(), SampleMessage);

    KeyInField(form->BlankRowsEdit, Qt::Key_Escape);
    SetText("HI");
    EXPECT_EQ(std::pair(form->ChartWidth(), form->ChartHeight()), std::pair(124, 37));
    QTest::keyClick(form->BlankRowsEdit, Qt::Key_3);
    Idle();
    EXPECT_EQ(form->ChartHeight(), 3 + 5 + 3);
}

TEST_F(WendleFormTest, DisplayShowsEveryCellInItsColours)
{
    SetText("HI");
    const QColor maroon(128, 0, 0), cream(255, 251, 240), black(0, 0, 0);
    // Column 1, row 2 is H's first stitch; column 2, row 2 is background inside the H.
    const std::tuple<int, int, QColor, QColor> pixels[] = { { 0, 0, maroon, cream },
        { 28, 26, maroon, cream }, { 1, 1, cream, cream }, { 6, 7, black, black },
        { 10, 7, cream, cream }, { 4, 7, maroon, black }, { 6, 9, maroon, black } };
    const QImage gridded = form->StitchDisplayArea->grab().toImage();
    ASSERT_EQ(gridded.size(), QSize(7 * 4 + 1, 9 * 3 + 1));
    // With the grid in the background colour each outline takes its cell's colour.
    form->SetDisplayColour(2, form->DisplayColour(0));
    form->PrepareUpdate();
    Idle();
    const QImage plain = form->StitchDisplayArea->grab().toImage();
    for (const auto& [x, y, withGrid, withoutGrid] : pixels) {
        EXPECT_EQ(gridded.pixelColor(x, y), withGrid) << x << "," << y;
        EXPECT_EQ(plain.pixelColor(x, y), withoutGrid) << x << "," << y;
    }
}

TEST_F(WendleFormTest, ColourButtonsChooseThroughTheDialog)
{
    form->Notebook->setCurrentIndex(2);
    // Each click answers the dialog as soon as it is up; cancelling changes nothing.
    const std::tuple<QPushButton*, bool, QColor, int, TColour> clicks[] = {
        { form->BackgroundButton, false, Qt::red, 0, 0x02F0FBFFu },
        { form->TextButton, true, QColor(0, 0, 255), 1, 0x00FF0000u },
        // Cream chosen for the grid lacks the palette flag: it is not the background.
        { form->GridLinesButton, true, QColor(255, 251, 240), 2, 0x00F0FBFFu },
    };
    for (const auto& [button, accept, colour, index, expected] : clicks) {
        const int updates = form->UpdateCount();
        QTimer::singleShot(0, form.get(), [&] {
            form->ColorDialog->setCurrentColor(colour);
            accept ? form->ColorDialog->accept() : form->ColorDialog->reject();
        });
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(form->DisplayColour(index), expected);
        EXPECT_EQ(form->UpdateCount() > updates, accept);
    }
}

TEST_F(WendleFormTest, IdleRunsOneUpdateAfterABurstAndThenRests)
{
    form->PrepareUpdate();
    form->PrepareUpdate();
    EXPECT_TRUE(form->DisplayStale());
    int updates = form->UpdateCount();
    form->IdleUpdate();
    EXPECT_EQ(form->UpdateCount(), updates + 1);
    EXPECT_FALSE(form->DisplayStale());
    form->IdleUpdate();
    EXPECT_EQ(form->UpdateCount(), updates + 1);
}

TEST_F(WendleFormTest, HelpShowsAndExitCloses)
{
    TWendleHelpForm help;
    form->SetHelpForm(&help);
    QTest::mouseClick(form->HelpButton, Qt::LeftButton);
    EXPECT_TRUE(help.isVisible());
    bool closed = false;
    QObject::connect(form.get(), &TWendleForm::Closed, [&closed] { closed = true; });
    QTest::mouseClick(form->CloseButton, Qt::LeftButton);
    EXPECT_TRUE(closed);
    EXPECT_FALSE(form->isVisible());
}

TEST_F(WendleFormTest, ScreenReaderReadsWhatIsOnScreenAndHearsItChange)
{
    for (QWidget* page : { form->Notebook->widget(0), form->StitchesPanel,
             form->DisplayAndPrintPanel, form->Panel3 }) {
        for (QLabel* label : page->findChildren<QLabel*>())
            EXPECT_EQ(test::ReadAccessible(label), label->text());
        for (QAbstractButton* button : page->findChildren<QAbstractButton*>())
            EXPECT_EQ(test::ReadAccessible(button), QString(button->text()).remove('&'));
    }
    EXPECT_EQ(test::ReadAccessible(form->DimensionsMessage), SampleMessage);
    EXPECT_EQ(test::ReadAccessible(form->StitchDisplayArea, QAccessible::Description),
        "124 stitches wide by 37 rows deep, or 20.7 inches wide by 4.9 inches deep");

    test::AccessibilityRecorder recorder;
    SetText("HI");
    form->PlainText->setFocus();
    QTest::keyClick(form->PlainText, Qt::Key_Insert);
    EXPECT_TRUE(recorder.Saw(form->DimensionsMessage, QAccessible::NameChanged));
    EXPECT_EQ(test::ReadAccessible(form->DimensionsMessage), Message());
    EXPECT_TRUE(recorder.Saw(form->OvrLabel, QAccessible::NameChanged));
    EXPECT_EQ(test::ReadAccessible(form->OvrLabel), "Overwrite");
    EXPECT_TRUE(recorder.Saw(form->StitchDisplayArea, QAccessible::DescriptionChanged));
    EXPECT_EQ(test::ReadAccessible(form->StitchDisplayArea, QAccessible::Description),
        "7 stitches wide by 9 rows deep, or 1.2 inches wide by 1.2 inches deep");
}

TEST_F(WendleFormTest, OneWheelNotchMovesTheZoomByOne)
{
    form->Notebook->setCurrentIndex(2);
    QScrollBar* zoom = form->DisplayStitchWidthScroll;
    const std::tuple<int, int, int> cases[] = { { 4, -120, 5 }, { 4, 120, 3 }, { 12, -120, 12 } };
    for (const auto& [start, delta, expected] : cases) {
        zoom->setValue(start);
        const QPointF centre = zoom->rect().center();
        QWheelEvent wheel(centre, zoom->mapToGlobal(centre), {}, { 0, delta }, Qt::NoButton,
            Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(zoom, &wheel);
        EXPECT_EQ(zoom->value(), expected) << start << " " << delta;
    }
}

TEST_F(WendleFormTest, AChartTooTallToShowSaysSo)
{
    EXPECT_FALSE(form->DisplayCut());
    // At the largest cell (12 wide, 96 high) 180,000 rows pass the widget size limit.
    form->StitchesAcrossEdit->SetValue(16);
    form->StitchesDownEdit->SetValue(2);
    form->BlankRowsEdit->SetValue(10);
    form->DisplayStitchWidthScroll->setValue(12);
    SetText(QString("I\n").repeated(12000));
    ASSERT_GT(std::int64_t { form->ChartHeight() } * 96, QWIDGETSIZE_MAX);
    EXPECT_TRUE(form->DisplayCut());
    EXPECT_EQ(form->StitchDisplayArea->height(), QWIDGETSIZE_MAX);
    EXPECT_TRUE(test::ReadAccessible(form->StitchDisplayArea, QAccessible::Description)
                    .endsWith(TWendleForm::DisplayCutNote));
    // The note stands in the last pixels the user can scroll to.
    const QImage end
        = form->StitchDisplayArea
              ->grab(QRect(0, QWIDGETSIZE_MAX - 24, form->StitchDisplayArea->width(), 24))
              .toImage();
    EXPECT_EQ(end.pixelColor(0, 12), QColor(128, 0, 0));
    SetText("I");
    EXPECT_FALSE(form->DisplayCut());
}

} // namespace

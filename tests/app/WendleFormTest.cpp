#include "app/WendleForm.h"

#include "app/RadioGroup.h"
#include "app/StitchDisplayArea.h"
#include "help/WendleHelpForm.h"
#include "tests/app/FormFixture.h"
#include "tests/support/AccessibilityRecorder.h"
#include "widgets/FxPSpinEdit.h"

using namespace wendle;
using namespace wendle::test;

namespace {

using WendleFormTest = FormFixture;

TEST_F(WendleFormTest, StartsWithTheSampleOfTheDayToTypeAfterAndEveryFieldNamed)
{
    EXPECT_EQ(TWendleForm(QDate(2027, 2, 2)).PlainText->toPlainText(),
        "HAPPY GROUNDHOG DAY 2027\nFROM QUILLON");
    // Any other day has the stitch sampler, as the window of 6 December has.
    EXPECT_EQ(
        TWendleForm(QDate(2027, 2, 3)).PlainText->toPlainText(), form->PlainText->toPlainText());
    // Typing goes into the message at once, after the sample (keys go to the focus, as a user's).
    QTest::keyClicks(static_cast<QWidget*>(nullptr), "hi");
    EXPECT_TRUE(form->PlainText->toPlainText().endsWith("WORLD!\"HI"));
    // Each number field is named for a screen reader by its caption. (Ranges, defaults and
    // decimals are the shared settings', which the layout and the tool's tests hold to.)
    const std::pair<TFxPSpinEdit*, QString> names[]
        = { { form->StitchesAcrossEdit, "Stitches across" },
              { form->StitchesDownEdit, "Stitches down" },
              { form->BlankRowsEdit, "blank rows around lines of text" },
              { form->BlankStitchesAtEndsEdit, "minimum blank stitches at row ends" },
              { form->BlankStitchesBetweenEdit, "minimum blank stitches between words" },
              { form->PrintedStitchPitchEdit, "Print stitches per" },
              { form->FirstStitchEdit, "Call the first stitch #" },
              { form->FirstRowEdit, "Call the first row #" } };
    for (const auto& [edit, name] : names)
        EXPECT_EQ(test::ReadAccessible(edit), name);
    // Options run down the first column, then the next.
    form->Notebook->setCurrentIndex(1);
    const TRadioGroup* alignment = form->TextAlignmentGroup;
    EXPECT_EQ(alignment->Item(2)->y(), alignment->Item(0)->y());
    EXPECT_GT(alignment->Item(1)->y(), alignment->Item(0)->y());
    // The option pages show every control whole.
    for (QWidget* page : { form->StitchesPanel, form->DisplayAndPrintPanel }) {
        form->Notebook->setCurrentWidget(page);
        EXPECT_GE(page->height(), page->sizeHint().height());
    }
    // It opens centred in the screen's free area, or at its top-left corner when larger (as on
    // 1280 by 960 scaled by 2, where centring put it at x = -55).
    EXPECT_EQ(TWendleForm::StartPosition({ 750, 450 }, { 0, 0, 1280, 1024 }), QPoint(265, 287));
    EXPECT_EQ(TWendleForm::StartPosition({ 750, 450 }, { 0, 0, 640, 480 }), QPoint(0, 0));
    EXPECT_EQ(TWendleForm::StartPosition({ 750, 450 }, { 100, 50, 1000, 449 }), QPoint(100, 50));
}

TEST_F(WendleFormTest, EveryChangeLaysTheChartOutAgain)
{
    // Each step's chart size, then the size message's second line if it is to be checked.
    const std::pair<std::function<void()>, QString> steps[] = {
        { [&] { SetText(""), QTest::keyClicks(form->PlainText, "hi"); },
            "7x9 1.2 inches wide by 1.2 inches deep" },
        { [&] { QTest::keyClicks(form->PlainText, "\ri"); }, "7x16" },
        { [&] { SetText("  hello"); }, "22x9" },
        { [&] { SetText(""); }, "2x2 0.3 inches wide by 0.3 inches deep" },
        { [&] { SetText("HI"), form->StitchWidthGroup->Item(1)->click(); }, "8x9" },
        { [&] { form->MeasureUnitGroup->Item(1)->click(); }, "8x9 1.3 cm wide by 1.2 cm deep" },
        { [&] { Key(form->StitchesAcrossEdit, Qt::Key_Up); }, "8x9 1.1 cm wide by 1.2 cm deep" },
        { [&] { Key(form->StitchesDownEdit, Qt::Key_Up); }, "8x9 1.1 cm wide by 1.1 cm deep" },
        { [&] { Key(form->BlankRowsEdit, Qt::Key_Down); }, "8x7" },
        { [&] { Key(form->BlankStitchesAtEndsEdit, Qt::Key_Up); }, "10x7" },
        // Word gap 3: two I glyphs three apart, five wide, and two end blanks each side.
        { [&] { SetText("I I"), Key(form->BlankStitchesBetweenEdit, Qt::Key_Up); }, "9x7" },
    };
    for (const auto& [change, expected] : steps) {
        change();
        Idle();
        // As many words of "WxH 1.2 inches wide by 1.2 inches deep" as expected has.
        const QString actual = QString("%1x%2").arg(form->ChartWidth()).arg(form->ChartHeight())
            + Message().section('\n', 1).mid(2);
        EXPECT_EQ(actual.section(' ', 0, expected.count(' ')), expected);
    }
    // Right justified: the wide H and I make the first line 6 wide; the lone I of the second
    // line (top row 1 + 5 + 1) ends in the text area's last column, 2 + 6 - 1.
    SetText("HI\nI");
    form->TextAlignmentGroup->Item(1)->click();
    EXPECT_TRUE(form->Chart().IsTextStitch(7, 7));
    EXPECT_FALSE(form->Chart().IsTextStitch(7, 2));
}

// Each wrapped piece of a line is a chart line: the chart follows a burst of resizes that rewraps
// the field with one update once it is over (and the idle one after it), else runs none.
TEST_F(WendleFormTest, ChartFollowsTheFieldsWrappingAcrossResizes)
{
    SetText(QString("KNIT ").repeated(40));
    for (const int width : { 1000, 1004, 750 }) {
        const int before = form->UpdateCount();
        form->resize(width - 100, 450), form->resize(width, 450), Idle();
        EXPECT_EQ(std::tuple(width, form->ChartHeight() - 2, form->UpdateCount() - before),
            std::tuple(width, 7 * form->PlainText->LineCount(), width == 1004 ? 0 : 2));
    }
}

TEST_F(WendleFormTest, ZoomAndGaugeSizeTheCellsUpToTheWidgetLimit)
{
    form->Notebook->setCurrentIndex(2);
    QScrollBar* zoom = form->DisplayStitchWidthScroll;
    // A wheel notch moves the zoom one step within its ends; the gauge shapes the cell.
    struct Case {
        int zoom, wheel;
        double across, down;
        int cellWidth, cellHeight;
    } const cases[] = { { 4, -120, 6.0, 7.5, 5, 4 }, { 12, -120, 6.0, 7.5, 12, 10 },
        { 4, 120, 2.0, 16.0, 3, 1 }, { 3, 120, 6.0, 7.5, 3, 2 }, { 11, -120, 16.0, 2.0, 12, 96 } };
    for (const Case& c : cases) {
        form->StitchesAcrossEdit->SetValue(c.across);
        form->StitchesDownEdit->SetValue(c.down);
        zoom->setValue(c.zoom);
        const QPointF centre = zoom->rect().center();
        QWheelEvent wheel(centre, zoom->mapToGlobal(centre), {}, { 0, c.wheel }, Qt::NoButton,
            Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(zoom, &wheel);
        Idle();
        EXPECT_EQ(
            form->StitchDisplayArea->size(), QSize(124 * c.cellWidth + 1, 37 * c.cellHeight + 1))
            << c.zoom << " " << c.wheel;
    }
    // At the largest cell (12 wide, 96 high) 180,000 rows pass the widget size limit: the
    // chart is shown up to there, wide enough for the note that says so.
    form->BlankRowsEdit->SetValue(10);
    SetText(QString("I\n").repeated(12000));
    EXPECT_TRUE(form->DisplayCut());
    EXPECT_EQ(form->StitchDisplayArea->size(), QSize(600, QWIDGETSIZE_MAX));
    EXPECT_TRUE(test::ReadAccessible(form->StitchDisplayArea, QAccessible::Description)
                    .endsWith(TWendleForm::DisplayCutNote));
    // The note fills the last pixels the user can scroll to, and no more.
    const QImage end
        = form->StitchDisplayArea->grab(QRect(0, QWIDGETSIZE_MAX - 25, 600, 25)).toImage();
    EXPECT_EQ(std::tuple(end.pixelColor(1, 0), end.pixelColor(1, 1), end.pixelColor(1, 24)),
        std::tuple(Cream, Maroon, Maroon));
    SetText("I");
    EXPECT_FALSE(form->DisplayCut());
}

TEST_F(WendleFormTest, DisplayShowsEveryCellInTheColoursChosen)
{
    SetText("HI");
    const QImage gridded = form->StitchDisplayArea->grab().toImage();
    ASSERT_EQ(gridded.size(), QSize(7 * 4 + 1, 9 * 3 + 1));
    form->Notebook->setCurrentIndex(2);
    // Each click answers the dialog as soon as it is up; cancelling changes nothing. A colour
    // chosen through the dialog, even the cream it offers, lacks the palette flag.
    struct Click {
        QPushButton* button;
        bool accept;
        QColor chosen;
        int index;
        Colour colour;
    } const clicks[] = { { form->BackgroundButton, false, Qt::red, 0, CreamColour },
        { form->TextButton, true, Qt::blue, 1, { 0, 0, 255 } },
        { form->GridLinesButton, true, Qt::green, 2, { 0, 255, 0 } },
        { form->BackgroundButton, true, QColor(), 0, { 255, 251, 240 } } };
    for (const Click& c : clicks) {
        const int updates = form->UpdateCount();
        QTimer::singleShot(0, form.get(), [&] {
            if (c.chosen.isValid())
                form->ColorDialog->setCurrentColor(c.chosen);
            c.accept ? form->ColorDialog->accept() : form->ColorDialog->reject();
        });
        QTest::mouseClick(c.button, Qt::LeftButton);
        EXPECT_EQ(form->DisplayColour(c.index), c.colour);
        EXPECT_EQ(form->UpdateCount() > updates, c.accept);
    }
    // With the grid in the background colour each outline takes its cell's colour. A burst
    // of changes makes one update when the events have run out, shown by the next repaint.
    form->SetDisplayColour(0, WhiteColour), form->SetDisplayColour(2, WhiteColour);
    form->SetDisplayColour(-1, BlackColour), form->SetDisplayColour(3, BlackColour); // ignored
    form->PrepareUpdate();
    const int updates = form->UpdateCount();
    form->IdleUpdate();
    EXPECT_FALSE(form->DisplayStale());
    QApplication::processEvents(); // the repaint
    form->IdleUpdate();
    EXPECT_EQ(std::pair(form->UpdateCount(), form->DisplayStale()), std::pair(updates + 1, false));
    // Column 1, row 2 is H's first stitch; column 2, row 2 is background inside the H.
    const QImage plain = form->StitchDisplayArea->grab().toImage();
    const std::tuple<int, int, QColor, QColor> pixels[] = { { 0, 0, Maroon, White },
        { 28, 26, Maroon, White }, { 1, 1, Cream, White }, { 6, 7, Black, Qt::blue },
        { 10, 7, Cream, White }, { 4, 7, Maroon, Qt::blue }, { 6, 9, Maroon, Qt::blue } };
    for (const auto& [x, y, withGrid, withoutGrid] : pixels) {
        EXPECT_EQ(gridded.pixelColor(x, y), withGrid) << x << "," << y;
        EXPECT_EQ(plain.pixelColor(x, y), withoutGrid) << x << "," << y;
    }
}

TEST_F(WendleFormTest, ScreenReaderFollowsTheScreenAndHelpAndExitAnswer)
{
    for (QWidget* page : { form->Notebook->widget(0), form->StitchesPanel,
             form->DisplayAndPrintPanel, form->Panel3 }) {
        for (QLabel* label : page->findChildren<QLabel*>())
            EXPECT_EQ(test::ReadAccessible(label), label->text());
        for (QAbstractButton* button : page->findChildren<QAbstractButton*>())
            EXPECT_EQ(test::ReadAccessible(button), QString(button->text()).remove('&'));
    }
    // The mode and the chart's description follow the field. (Qt itself tells a screen reader
    // when a label's text or a widget's description changes.)
    SetText("HI");
    Key(form->PlainText, Qt::Key_Insert);
    EXPECT_EQ(test::ReadAccessible(form->OvrLabel), "Overwrite");
    QTest::keyClick(form->PlainText, Qt::Key_Insert);
    EXPECT_EQ(test::ReadAccessible(form->OvrLabel), "Insert");
    EXPECT_EQ(test::ReadAccessible(form->StitchDisplayArea, QAccessible::Description),
        "7 stitches wide by 9 rows deep, or 1.2 inches wide by 1.2 inches deep");
    // Alt+H reaches Help from the message field, which keeps only its own keys; Exit closes.
    TWendleHelpForm help;
    form->SetHelpForm(&help);
    QTest::keyClick(form->PlainText, Qt::Key_H, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return help.isVisible(); }));
    QSignalSpy closed(form.get(), &TWendleForm::Closed);
    form->CloseButton->click();
    EXPECT_TRUE(closed.count() == 1 && !form->isVisible());
}

} // namespace

#include "WendleForm.h"

#include "AccessibilityRecorder.h"
#include "BlankValue.h"
#include "FxPSpinEdit.h"
#include "OvrInsMemo.h"
#include "RadioGroup.h"
#include "StitchDisplayArea.h"
#include "WendleHelpForm.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <QWheelEvent>

#include <memory>

using namespace wendle;

namespace {

const char* const SampleMessage = "Area shown is 124 stitches wide by 37 stitches deep,\n"
                                  "or 20.7 inches wide by 4.9 inches deep";

class WendleFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale::c());
        form = std::make_unique<TWendleForm>(QDate(2026, 12, 6));
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        Idle();
    }

    // Lets the event loop run dry, as after a burst of the user's events.
    void Idle()
    {
        QApplication::processEvents();
        form->IdleUpdate();
        QApplication::processEvents();
    }

    void ReplaceText(const QString& text)
    {
        form->PlainText->setFocus();
        form->PlainText->selectAll();
        QTest::keyClick(form->PlainText, Qt::Key_Delete);
        const QStringList lines = text.split('\n');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0)
                QTest::keyClick(form->PlainText, Qt::Key_Return);
            QTest::keyClicks(form->PlainText, lines[i]);
        }
        Idle();
    }

    QString Message() const { return form->DimensionsMessage->text(); }

    // Presses \a key in a number field, as the user would.
    void KeyInField(
        TFxPSpinEdit* field, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        field->setFocus();
        QTest::keyClick(field, key, modifiers);
    }

    // Clicks item \a index of a radio group.
    void ClickItem(TRadioGroup* group, int index)
    {
        QRadioButton* button = group->Item(index);
        form->Notebook->setCurrentWidget(group->parentWidget());
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }

    std::unique_ptr<TWendleForm> form;
};

TEST_F(WendleFormTest, StartsWithTheSampleTextAndItsSize)
{
    EXPECT_EQ(form->windowTitle(), "Wendle");
    EXPECT_EQ(form->minimumSize(), QSize(750, 450));
    EXPECT_EQ(form->Notebook->currentIndex(), 0);
    EXPECT_EQ(form->Notebook->tabText(0), "Enter and Edit Text");
    EXPECT_EQ(form->Notebook->tabText(1), "Specify Stitch Options");
    EXPECT_EQ(form->Notebook->tabText(2), "Specify Display and Print Options");
    EXPECT_EQ(form->PlainText->toPlainText(),
        "$ % &   STITCH SAMPLER   & % $\nABCDEFGHIJKLMNOPQRSTUVWXYZ\n12345 ... 67890\n"
        "!@#^*()_-+=[]:;\"'<,>.?/\\  $%&\nSHE SAID, \"HELLO, WORLD!\"");
    EXPECT_TRUE(form->StartupUpdateDone());
    EXPECT_EQ(form->ChartWidth(), 124);
    EXPECT_EQ(form->ChartHeight(), 37);
    EXPECT_EQ(Message(), SampleMessage);
    EXPECT_EQ(form->DimensionsMessage->palette().color(QPalette::WindowText), QColor(255, 255, 0));
    EXPECT_EQ(form->OvrLabel->text(), " Insert");
    EXPECT_EQ(form->CloseButton->text(), "Exit");
    EXPECT_EQ(form->DisplayColour(0), 0x02F0FBFFu);
    EXPECT_EQ(form->DisplayColour(1), 0x00000000u);
    EXPECT_EQ(form->DisplayColour(2), 0x00000080u);
}

TEST(WendleFormStartTest, GroundhogDayGreetsWithTheYear)
{
    TWendleForm form(QDate(2027, 2, 2));
    EXPECT_EQ(form.PlainText->toPlainText(), "HAPPY GROUNDHOG DAY 2027\nFROM QUILLON");
    TWendleForm dayAfter(QDate(2027, 2, 3));
    EXPECT_TRUE(dayAfter.PlainText->toPlainText().startsWith("$ % &   STITCH SAMPLER"));
}

TEST_F(WendleFormTest, ControlsHaveTheirRangesAndDefaults)
{
    struct Field {
        TFxPSpinEdit* Edit;
        double Min, Max, Value;
        int Decimals;
        const char* Name;
    };
    const Field fields[] = {
        { form->StitchesAcrossEdit, 2, 16, 6.0, 1, "Stitches across" },
        { form->StitchesDownEdit, 2, 16, 7.5, 1, "Stitches down" },
        { form->BlankRowsEdit, 1, 10, 2, 0, "blank rows around lines of text" },
        { form->BlankStitchesAtEndsEdit, 1, 10, 1, 0, "minimum blank stitches at row ends" },
        { form->BlankStitchesBetweenEdit, 2, 6, 2, 0, "minimum blank stitches between words" },
        { form->PrintedStitchPitchEdit, 5, 20, 12.0, 1, "Print stitches per" },
        { form->FirstStitchEdit, 1, 999, 1, 0, "Call the first stitch #" },
        { form->FirstRowEdit, 1, 999, 1, 0, "Call the first row #" },
    };
    for (const Field& f : fields) {
        EXPECT_EQ(f.Edit->MinValue(), f.Min) << f.Name;
        EXPECT_EQ(f.Edit->MaxValue(), f.Max) << f.Name;
        EXPECT_EQ(f.Edit->Value(), f.Value) << f.Name;
        EXPECT_EQ(f.Edit->Decimals(), f.Decimals) << f.Name;
        EXPECT_EQ(f.Edit->Increment(), 1.0) << f.Name;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(f.Edit);
        ASSERT_NE(accessible, nullptr) << f.Name;
        EXPECT_EQ(accessible->text(QAccessible::Name), f.Name);
    }
    EXPECT_EQ(form->TextAlignmentGroup->title(), "Text alignment");
    EXPECT_EQ(form->TextAlignmentGroup->Item(3)->text(), "Fully justified");
    EXPECT_EQ(form->StitchWidthGroup->title(), "Font width (affects A,E,F,H,L,P,S,T,etc.)");
    EXPECT_EQ(form->PrintColorGroup->Item(2)->text(), "Screen display colors");
    EXPECT_EQ(form->DisplayStitchWidthScroll->minimum(), 3);
    EXPECT_EQ(form->DisplayStitchWidthScroll->maximum(), 12);
    EXPECT_EQ(form->DisplayStitchWidthScroll->value(), 4);
}

TEST_F(WendleFormTest, TypingUpdatesTheChartAndTheMessage)
{
    ReplaceText("hi");
    EXPECT_EQ(form->PlainText->toPlainText(), "HI");
    EXPECT_EQ(form->ChartWidth(), 7);
    EXPECT_EQ(form->ChartHeight(), 9);
    EXPECT_EQ(Message(),
        "Area shown is 7 stitches wide by 9 stitches deep,\n"
        "or 1.2 inches wide by 1.2 inches deep");
    QTest::keyClick(form->PlainText, Qt::Key_Return);
    QTest::keyClicks(form->PlainText, "i");
    Idle();
    EXPECT_EQ(form->ChartHeight(), 16);

    // Pasted lower case is upper-cased by the normalisation and laid out.
    form->PlainText->selectAll();
    QApplication::clipboard()->setText("  hello");
    QTest::keyClick(form->PlainText, Qt::Key_V, Qt::ControlModifier);
    Idle();
    EXPECT_EQ(form->PlainText->toPlainText(), "HELLO");
    EXPECT_EQ(form->ChartWidth(), 22);
}

TEST_F(WendleFormTest, EmptyTextStillGivesAMessage)
{
    ReplaceText("");
    EXPECT_EQ(form->ChartWidth(), 2);
    EXPECT_EQ(form->ChartHeight(), 2);
    EXPECT_EQ(Message(),
        "Area shown is 2 stitches wide by 2 stitches deep,\n"
        "or 0.3 inches wide by 0.3 inches deep");
}

TEST_F(WendleFormTest, LayoutOptionsRunTheUpdate)
{
    int updates = form->UpdateCount();
    ClickItem(form->StitchWidthGroup, 1);
    EXPECT_GT(form->UpdateCount(), updates);
    EXPECT_EQ(form->ChartWidth(), 134);
    EXPECT_EQ(Message(),
        "Area shown is 134 stitches wide by 37 stitches deep,\n"
        "or 22.3 inches wide by 4.9 inches deep");

    ClickItem(form->MeasureUnitGroup, 1);
    EXPECT_EQ(Message(),
        "Area shown is 134 stitches wide by 37 stitches deep,\n"
        "or 22.3 cm wide by 4.9 cm deep");

    updates = form->UpdateCount();
    KeyInField(form->StitchesAcrossEdit, Qt::Key_Up);
    EXPECT_EQ(form->StitchesAcrossEdit->Value(), 7.0);
    EXPECT_GT(form->UpdateCount(), updates);
    EXPECT_EQ(Message(),
        "Area shown is 134 stitches wide by 37 stitches deep,\n"
        "or 19.1 cm wide by 4.9 cm deep");

    KeyInField(form->BlankRowsEdit, Qt::Key_Down);
    EXPECT_EQ(form->ChartHeight(), 6 * 6 - 5);
    KeyInField(form->BlankStitchesAtEndsEdit, Qt::Key_Up);
    EXPECT_EQ(form->ChartWidth(), 136);

    ReplaceText("I I");
    KeyInField(form->BlankStitchesBetweenEdit, Qt::Key_Up);
    // Word gap 3: two I glyphs 3 stitches apart, 5 wide, and two end blanks each side.
    EXPECT_EQ(form->ChartWidth(), 5 + 2 * 2);

    ReplaceText("HI\nI");
    ClickItem(form->TextAlignmentGroup, 1);
    // Wide H and I make the first line 6 wide; the lone I of the second line (top row
    // 1 + 6) ends in the text area's last column, 2 + 6 - 1.
    EXPECT_TRUE(form->Chart().IsTextStitch(7, 7));
    EXPECT_FALSE(form->Chart().IsTextStitch(7, 2));
}

TEST_F(WendleFormTest, PrintSettingsRunNoUpdate)
{
    const int updates = form->UpdateCount();
    ClickItem(form->PrintColorGroup, 1);
    EXPECT_EQ(form->PrintColorGroup->ItemIndex(), 1);
    KeyInField(form->FirstStitchEdit, Qt::Key_Up);
    KeyInField(form->FirstRowEdit, Qt::Key_Up);
    EXPECT_EQ(form->FirstStitchEdit->Value(), 2);
    EXPECT_EQ(form->FirstRowEdit->Value(), 2);
    EXPECT_EQ(form->UpdateCount(), updates);
    EXPECT_FALSE(form->DisplayStale());
}

TEST_F(WendleFormTest, ZoomSetsTheCellSizeAndRunsTheUpdate)
{
    EXPECT_EQ(form->DisplayCellWidth(), 4);
    EXPECT_EQ(form->DisplayCellHeight(), 3);
    EXPECT_EQ(form->StitchDisplayArea->size(), QSize(124 * 4 + 1, 37 * 3 + 1));

    const int updates = form->UpdateCount();
    form->Notebook->setCurrentIndex(2);
    form->DisplayStitchWidthScroll->setFocus();
    QTest::keyClick(form->DisplayStitchWidthScroll, Qt::Key_End);
    EXPECT_EQ(form->DisplayStitchWidthScroll->value(), 12);
    EXPECT_GT(form->UpdateCount(), updates);
    EXPECT_TRUE(form->DisplayStale());
    Idle();
    EXPECT_EQ(form->DisplayCellHeight(), 10);
    EXPECT_EQ(form->StitchDisplayArea->size(), QSize(124 * 12 + 1, 37 * 10 + 1));
}

TEST_F(WendleFormTest, CellHeightFollowsTheGauge)
{
    struct Case {
        double Across, Down;
        int Zoom, Height;
    };
    for (const Case& c :
        { Case { 2.0, 16.0, 3, 1 }, Case { 16.0, 2.0, 12, 96 }, Case { 6.0, 7.5, 12, 10 } }) {
        form->StitchesAcrossEdit->SetValue(c.Across);
        form->StitchesDownEdit->SetValue(c.Down);
        form->DisplayStitchWidthScroll->setValue(c.Zoom);
        Idle();
        EXPECT_EQ(form->DisplayCellHeight(), c.Height) << c.Across << "/" << c.Down;
        EXPECT_EQ(form->StitchDisplayArea->height(), 37 * c.Height + 1);
    }
}

TEST_F(WendleFormTest, BlankGaugeKeepsTheDisplayAndShowsNoSize)
{
    KeyInField(form->StitchesAcrossEdit, Qt::Key_Escape);
    ASSERT_TRUE(IsBlankValue(form->StitchesAcrossEdit->Value()));
    Idle();
    EXPECT_EQ(Message(),
        "Area shown is 124 stitches wide by 37 stitches deep,\n"
        "or ? inches wide by 4.9 inches deep");
    EXPECT_EQ(form->DisplayCellHeight(), 3);
    EXPECT_EQ(form->StitchDisplayArea->size(), QSize(124 * 4 + 1, 37 * 3 + 1));
    // Esc again restores the value the field had.
    QTest::keyClick(form->StitchesAcrossEdit, Qt::Key_Escape);
    Idle();
    EXPECT_EQ(Message(), SampleMessage);
}

TEST_F(WendleFormTest, BlankStitchCountKeepsThePreviousChart)
{
    KeyInField(form->BlankRowsEdit, Qt::Key_Escape);
    ASSERT_TRUE(IsBlankValue(form->BlankRowsEdit->Value()));
    ReplaceText("HI");
    EXPECT_EQ(form->ChartWidth(), 124);
    EXPECT_EQ(form->ChartHeight(), 37);
    EXPECT_EQ(Message(), SampleMessage);
    QTest::keyClick(form->BlankRowsEdit, Qt::Key_3);
    Idle();
    EXPECT_EQ(form->ChartHeight(), 3 + 5 + 3);
}

TEST_F(WendleFormTest, DisplayShowsEveryCellInItsColours)
{
    ReplaceText("HI");
    const QImage picture = form->StitchDisplayArea->grab().toImage();
    ASSERT_EQ(picture.size(), QSize(7 * 4 + 1, 9 * 3 + 1));
    const QColor maroon(128, 0, 0), cream(255, 251, 240), black(0, 0, 0);
    EXPECT_EQ(picture.pixelColor(0, 0), maroon);
    EXPECT_EQ(picture.pixelColor(28, 26), maroon);
    EXPECT_EQ(picture.pixelColor(1, 1), cream);
    // Column 1, row 2 is H's first stitch; column 2, row 2 is background inside the H.
    EXPECT_EQ(picture.pixelColor(1 * 4 + 2, 2 * 3 + 1), black);
    EXPECT_EQ(picture.pixelColor(2 * 4 + 2, 2 * 3 + 1), cream);
    EXPECT_EQ(picture.pixelColor(1 * 4, 2 * 3 + 1), maroon);

    form->SetDisplayColour(2, form->DisplayColour(0));
    form->PrepareUpdate();
    Idle();
    const QImage plain = form->StitchDisplayArea->grab().toImage();
    EXPECT_EQ(plain.pixelColor(0, 0), cream);
    // Column 1 rows 2 to 6 are all text: no line between them.
    EXPECT_EQ(plain.pixelColor(1 * 4 + 2, 3 * 3), black);
}

// Answers the colour dialog as soon as it is up.
void AnswerColourDialog(TWendleForm& form, bool accept, const QColor& colour)
{
    QTimer::singleShot(0, &form, [&form, accept, colour] {
        form.ColorDialog->setCurrentColor(colour);
        if (accept)
            form.ColorDialog->accept();
        else
            form.ColorDialog->reject();
    });
}

TEST_F(WendleFormTest, ColourButtonsChooseThroughTheDialog)
{
    int updates = form->UpdateCount();
    form->Notebook->setCurrentIndex(2);
    AnswerColourDialog(*form, false, Qt::red);
    QTest::mouseClick(form->BackgroundButton, Qt::LeftButton);
    EXPECT_EQ(form->DisplayColour(0), 0x02F0FBFFu);
    EXPECT_EQ(form->UpdateCount(), updates);

    AnswerColourDialog(*form, true, QColor(0, 0, 255));
    QTest::mouseClick(form->TextButton, Qt::LeftButton);
    EXPECT_EQ(form->DisplayColour(1), 0x00FF0000u);
    EXPECT_GT(form->UpdateCount(), updates);

    // Cream chosen for the grid lacks the palette flag, so it does not count as the
    // background and the grid is still drawn.
    AnswerColourDialog(*form, true, QColor(255, 251, 240));
    QTest::mouseClick(form->GridLinesButton, Qt::LeftButton);
    EXPECT_EQ(form->DisplayColour(2), 0x00F0FBFFu);
    EXPECT_NE(form->DisplayColour(2), form->DisplayColour(0));
}

TEST_F(WendleFormTest, IdleRunsOneUpdateAfterABurstAndThenRests)
{
    ReplaceText("HELLO");
    form->PrepareUpdate();
    form->PrepareUpdate();
    EXPECT_TRUE(form->DisplayStale());
    int updates = form->UpdateCount();
    form->IdleUpdate();
    EXPECT_EQ(form->UpdateCount(), updates + 1);
    EXPECT_FALSE(form->DisplayStale());
    updates = form->UpdateCount();
    form->IdleUpdate();
    EXPECT_EQ(form->UpdateCount(), updates);
}

TEST_F(WendleFormTest, HelpButtonShowsTheHelpWindow)
{
    TWendleHelpForm help;
    form->SetHelpForm(&help);
    QTest::mouseClick(form->HelpButton, Qt::LeftButton);
    EXPECT_TRUE(help.isVisible());
}

TEST_F(WendleFormTest, ExitClosesTheWindow)
{
    bool closed = false;
    QObject::connect(form.get(), &TWendleForm::Closed, [&closed] { closed = true; });
    QTest::mouseClick(form->CloseButton, Qt::LeftButton);
    EXPECT_TRUE(closed);
    EXPECT_FALSE(form->isVisible());
}

QString Read(QObject* object, QAccessible::Text what = QAccessible::Name)
{
    return test::ReadAccessible(object, what);
}

TEST_F(WendleFormTest, ScreenReaderReadsWhatIsOnScreen)
{
    // Every label and button reads as the text it shows.
    for (QWidget* page : { form->Notebook->widget(0), form->StitchesPanel,
             form->DisplayAndPrintPanel, form->Panel3 }) {
        for (QLabel* label : page->findChildren<QLabel*>()) {
            SCOPED_TRACE(label->text().toStdString());
            EXPECT_EQ(Read(label), label->text());
        }
        for (QAbstractButton* button : page->findChildren<QAbstractButton*>()) {
            SCOPED_TRACE(button->text().toStdString());
            EXPECT_EQ(Read(button), QString(button->text()).remove('&'));
        }
    }
    EXPECT_EQ(Read(form->HelpButton), "Help");
    EXPECT_EQ(Read(form->DimensionsMessage), SampleMessage);
    EXPECT_EQ(Read(form->OvrLabel), " Insert");
    EXPECT_EQ(Read(form->StitchDisplayArea, QAccessible::Description),
        "124 stitches wide by 37 rows deep, or 20.7 inches wide by 4.9 inches deep");
}

TEST_F(WendleFormTest, ScreenReaderHearsTheChanges)
{
    test::AccessibilityRecorder recorder;
    ReplaceText("HI");
    form->PlainText->setFocus();
    QTest::keyClick(form->PlainText, Qt::Key_Insert);

    EXPECT_TRUE(recorder.Saw(form->DimensionsMessage, QAccessible::NameChanged));
    EXPECT_EQ(Read(form->DimensionsMessage), Message());
    EXPECT_TRUE(recorder.Saw(form->OvrLabel, QAccessible::NameChanged));
    EXPECT_EQ(Read(form->OvrLabel), "Overwrite");
    EXPECT_TRUE(recorder.Saw(form->StitchDisplayArea, QAccessible::DescriptionChanged));
    EXPECT_EQ(Read(form->StitchDisplayArea, QAccessible::Description),
        "7 stitches wide by 9 rows deep, or 1.2 inches wide by 1.2 inches deep");
}

TEST_F(WendleFormTest, OneWheelNotchMovesTheZoomByOne)
{
    form->Notebook->setCurrentIndex(2);
    QScrollBar* zoom = form->DisplayStitchWidthScroll;
    struct Case {
        int Start, Delta, Expected;
    };
    for (const Case& c : { Case { 4, -120, 5 }, Case { 4, 120, 3 }, Case { 12, -120, 12 },
             Case { 3, 120, 3 }, Case { 7, -240, 8 } }) {
        SCOPED_TRACE(c.Start * 1000 + c.Delta);
        zoom->setValue(c.Start);
        const QPointF centre = zoom->rect().center();
        QWheelEvent wheel(centre, zoom->mapToGlobal(centre), {}, { 0, c.Delta }, Qt::NoButton,
            Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(zoom, &wheel);
        EXPECT_EQ(zoom->value(), c.Expected);
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
    form->PlainText->setPlainText(QString("I\n").repeated(12000));
    Idle();
    ASSERT_GT(std::int64_t { form->ChartHeight() } * 96, QWIDGETSIZE_MAX);
    EXPECT_TRUE(form->DisplayCut());
    EXPECT_EQ(form->StitchDisplayArea->height(), QWIDGETSIZE_MAX);
    EXPECT_TRUE(Read(form->StitchDisplayArea, QAccessible::Description)
                    .endsWith(TWendleForm::DisplayCutNote));
    // The note stands in the last pixels the user can scroll to.
    const int width = form->StitchDisplayArea->width();
    const QImage end
        = form->StitchDisplayArea->grab(QRect(0, QWIDGETSIZE_MAX - 24, width, 24)).toImage();
    EXPECT_EQ(end.pixelColor(0, 12), QColor(128, 0, 0));

    form->PlainText->setPlainText("I");
    Idle();
    EXPECT_FALSE(form->DisplayCut());
    EXPECT_FALSE(Read(form->StitchDisplayArea, QAccessible::Description)
                     .contains(TWendleForm::DisplayCutNote));
}

} // namespace

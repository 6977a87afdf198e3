#include "app/WendleForm.h"
#include "app/OvrInsMemo.h"
#include "app/RadioGroup.h"
#include "app/StitchDisplayArea.h"
#include "help/WendleHelpForm.h"
#include "preview/PrintPreview.h"
#include "tests/support/AccessibilityRecorder.h"
#include "widgets/FxPSpinEdit.h"

#include <QPrinter>
#include <QtTest>
#include <QtWidgets>
#include <gtest/gtest.h>

#include <map>

using namespace wendle;

namespace {

// The main window with the sample text of 6 December 2026, shown, active and idle.
class FormFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale::c());
        form = std::make_unique<TWendleForm>(QDate(2026, 12, 6));
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        Idle();
    }

    // Lets the event loop run dry, as after a burst of the user's events.
    void Idle()
    {
        QApplication::processEvents();
        form->IdleUpdate();
        QApplication::processEvents();
    }

    void SetText(const QString& text) { form->PlainText->setPlainText(text), Idle(); }
    // Presses \a key in a field, as the user would.
    void Key(QWidget* field, Qt::Key key) { field->setFocus(), QTest::keyClick(field, key); }
    QString Message() const { return form->DimensionsMessage->text(); }
    // The colour the window shows at (x, y) of \a widget.
    QColor Pixel(QWidget* widget, int x, int y) const
    {
        const QImage image
            = form->grab(QRect(widget->mapTo(form.get(), QPoint(x, y)), QSize(1, 1))).toImage();
        return image.pixelColor(0, 0);
    }

    std::unique_ptr<TWendleForm> form;
};

using WendleFormTest = FormFixture;

const QColor Maroon(128, 0, 0), Cream(255, 251, 240), Black(Qt::black), White(Qt::white);

TEST_F(WendleFormTest, StartsWithTheSampleOfTheDayToTypeAfterAndEveryFieldInRange)
{
    EXPECT_EQ(TWendleForm(QDate(2027, 2, 2)).PlainText->toPlainText(),
        "HAPPY GROUNDHOG DAY 2027\nFROM QUILLON");
    // Any other day has the stitch sampler, as the window of 6 December has.
    EXPECT_EQ(
        TWendleForm(QDate(2027, 2, 3)).PlainText->toPlainText(), form->PlainText->toPlainText());
    // Typing goes into the message at once, after the sample (keys go to the focus, as a user's).
    QTest::keyClicks(static_cast<QWidget*>(nullptr), "hi");
    EXPECT_TRUE(form->PlainText->toPlainText().endsWith("WORLD!\"HI"));
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
        EXPECT_EQ(std::tuple(field->MinValue(), field->MaxValue(), field->Value(),
                      field->Decimals(), test::ReadAccessible(field).toStdString()),
            std::tuple(minimum, maximum, value, decimals, name.toStdString()));
    }
    // Options run down the first column, then the next.
    form->Notebook->setCurrentIndex(1);
    const TRadioGroup* alignment = form->TextAlignmentGroup;
    EXPECT_EQ(alignment->Item(2)->y(), alignment->Item(0)->y());
    EXPECT_GT(alignment->Item(1)->y(), alignment->Item(0)->y());
    // A bold window 750 pixels wide, whose cream option pages show every control whole; the
    // chart's area is cream beyond the chart.
    EXPECT_EQ(std::pair(form->width(), form->font().bold()), std::pair(750, true));
    for (QWidget* page : { form->StitchesPanel, form->DisplayAndPrintPanel }) {
        form->Notebook->setCurrentWidget(page);
        EXPECT_GE(page->height(), page->sizeHint().height());
        EXPECT_EQ(Pixel(page, 1, 1), Cream);
    }
    QWidget* view = form->StitchDisplayScrollBox->viewport();
    EXPECT_EQ(Pixel(view, view->width() - 2, view->height() - 2), Cream);
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
    const std::tuple<int, int, double, double, int, int> cases[] = { { 4, -120, 6.0, 7.5, 5, 4 },
        { 12, -120, 6.0, 7.5, 12, 10 }, { 4, 120, 2.0, 16.0, 3, 1 }, { 3, 120, 6.0, 7.5, 3, 2 },
        { 11, -120, 16.0, 2.0, 12, 96 } };
    for (const auto& [start, delta, across, down, width, height] : cases) {
        form->StitchesAcrossEdit->SetValue(across);
        form->StitchesDownEdit->SetValue(down);
        zoom->setValue(start);
        const QPointF centre = zoom->rect().center();
        QWheelEvent wheel(centre, zoom->mapToGlobal(centre), {}, { 0, delta }, Qt::NoButton,
            Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(zoom, &wheel);
        Idle();
        EXPECT_EQ(form->StitchDisplayArea->size(), QSize(124 * width + 1, 37 * height + 1))
            << start << " " << delta;
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
    using Click = std::tuple<QPushButton*, bool, QColor, int, TColour>;
    const Click clicks[] = { { form->BackgroundButton, false, Qt::red, 0, 0x02F0FBFFu },
        { form->TextButton, true, Qt::blue, 1, 0x00FF0000u },
        { form->GridLinesButton, true, Qt::green, 2, 0x0000FF00u },
        { form->BackgroundButton, true, QColor(), 0, 0x00F0FBFFu } };
    for (const auto& [button, accept, colour, index, expected] : clicks) {
        const int updates = form->UpdateCount();
        QTimer::singleShot(0, form.get(), [&] {
            if (colour.isValid())
                form->ColorDialog->setCurrentColor(colour);
            accept ? form->ColorDialog->accept() : form->ColorDialog->reject();
        });
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(form->DisplayColour(index), expected);
        EXPECT_EQ(form->UpdateCount() > updates, accept);
    }
    // With the grid in the background colour each outline takes its cell's colour. A burst
    // of changes makes one update when the events have run out, shown by the next repaint.
    form->SetDisplayColour(0, 0x00FFFFFFu), form->SetDisplayColour(2, 0x00FFFFFFu);
    form->SetDisplayColour(-1, 0), form->SetDisplayColour(3, 0); // no such colours: ignored
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
    test::AccessibilityRecorder recorder;
    SetText("HI");
    Key(form->PlainText, Qt::Key_Insert);
    EXPECT_TRUE(recorder.Saw(form->DimensionsMessage, QAccessible::NameChanged));
    EXPECT_EQ(test::ReadAccessible(form->DimensionsMessage), Message());
    EXPECT_TRUE(recorder.Saw(form->OvrLabel, QAccessible::NameChanged));
    EXPECT_EQ(test::ReadAccessible(form->OvrLabel), "Overwrite");
    QTest::keyClick(form->PlainText, Qt::Key_Insert);
    EXPECT_EQ(test::ReadAccessible(form->OvrLabel), "Insert");
    EXPECT_TRUE(recorder.Saw(form->StitchDisplayArea, QAccessible::DescriptionChanged));
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

const QString TooTall = "The design has too many rows to print\nat the current print settings!";

using WendlePrintTest = FormFixture;

const QString Fox = "THE QUICK BROWN FOX JUMPS OVER THE LAZY DOG\n";

TEST_F(WendlePrintTest, PagesFollowTheChart)
{
    // A blank pitch makes the chart unprintable without blaming its rows; Esc brings it back.
    Key(form->PrintedStitchPitchEdit, Qt::Key_Escape), Idle();
    EXPECT_EQ(form->PagesRequiredLabel->text() + "|" + Message().section('\n', 1),
        "Unprintable|or 20.7 inches wide by 4.9 inches deep");
    Key(form->PrintedStitchPitchEdit, Qt::Key_Escape), Idle();
    // Pages required (0: unprintable) and whether they are printed landscape. 20 lines of I make
    // 142 rows, just printable; 21 make 149. A fox line is 173 stitches wide: three portrait
    // sections of 70 or two landscape ones of 110. One such line fits a page either way, and
    // landscape has fewer sections; ten (72 rows) make one section a page, three portrait pages
    // against two landscape; nineteen (135 rows) fit no landscape page. The field wraps a line at
    // its width, each piece a chart line of its own: 5,000 characters on one line make dozens,
    // too tall to print; so does the largest paste, 10,000 lines of 200 characters.
    const std::tuple<QString, int, bool> cases[]
        = { { "HI", 1, false }, { QString("I\n").repeated(19) + "I", 1, false },
              { QString("I\n").repeated(20) + "I", 0, false }, { Fox, 1, true },
              { Fox.repeated(10), 2, true }, { Fox.repeated(19), 3, false },
              { QString(5000, 'I'), 0, false },
              { (QString(200, 'W') + '\n').repeated(10000), 0, false } };
    for (const auto& [text, pages, landscape] : cases) {
        SCOPED_TRACE(text.left(40).toStdString());
        SetText(text);
        EXPECT_EQ(form->PagesRequiredLabel->text(),
            pages ? QString("Pages required to print: %1").arg(pages) : "Unprintable");
        EXPECT_EQ(std::pair(form->PreviewButton->isEnabled(), form->PrintButton->isEnabled()),
            std::pair(pages > 0, pages > 0));
        EXPECT_EQ(form->PrintPlan().PrintLandscape, landscape);
        // Only then does the size message turn to the warning, in bold red.
        const QLabel* message = form->DimensionsMessage;
        EXPECT_EQ(std::tuple(message->text() == TooTall, message->font().bold(),
                      message->palette().color(QPalette::WindowText)),
            std::tuple(!pages, !pages, QColor(pages ? Qt::yellow : Qt::red)));
    }
    // Another unit keeps the pitch within its new limits: 12 per inch becomes the most per cm.
    TFxPSpinEdit* pitch = form->PrintedStitchPitchEdit;
    form->PrintedStitchPitchGroup->Item(1)->click();
    EXPECT_EQ(pitch->Model().Text(), "7.9");
    EXPECT_FLOAT_EQ(form->PrintPlan().PrintStitchesPerInch, 20.0f);
    form->PrintedStitchPitchGroup->Item(0)->click();
    EXPECT_DOUBLE_EQ(pitch->Value(), 20 / 2.54);
    EXPECT_FLOAT_EQ(form->PrintPlan().PrintStitchesPerInch, 7.874016f);
}

TEST_F(WendlePrintTest, PrintButtonPrintsTheAnnouncedPages)
{
    SetText(Fox.repeated(10));
    QTemporaryDir folder; // if it fails, so does reading the file
    QPrinter& printer = form->PrintPreview->Printer();
    printer.setOutputFileName(folder.filePath("chart.pdf"));
    printer.setPageSize(QPageSize(QPageSize::A4));
    int dialogs = 0;
    // A second click while the job runs must not start another job inside it. The dialog
    // offers the pages there are.
    form->PrintPreview->SetPrintDialog([&](TPageRange& range) {
        if (++dialogs == 1)
            form->PrintButton->click();
        return range.MaxPage == 2 && range.ToPage == 2;
    });
    form->PrintButton->click();
    EXPECT_EQ(dialogs, 1);
    QFile pdf(printer.outputFileName());
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_EQ(bytes.count("/Type /Page\n"), 2);
    // Landscape A4, 842 by 595 points.
    EXPECT_TRUE(bytes.contains("/MediaBox [0 0 842.000000 595.000000]"));
    // Once done, the button prints again.
    form->PrintButton->click();
    EXPECT_EQ(dialogs, 2);
}

// The message field in the main window, which has shortcuts on Tab, Shift+Tab and Insert that must
// not take them from the field.
class OvrInsMemoTest : public FormFixture {
protected:
    void SetUp() override
    {
        FormFixture::SetUp();
        memo = form->PlainText;
        for (const char* keys : { "Tab", "Shift+Tab", "Ins" })
            new QShortcut(QKeySequence(keys), form.get()); // owned by the window
        memo->setFocus();
    }
    void Select(int anchor, int caret)
    {
        QTextCursor cursor = memo->textCursor();
        cursor.setPosition(anchor);
        cursor.setPosition(caret, QTextCursor::KeepAnchor);
        memo->setTextCursor(cursor);
    }
    TOvrInsMemo* memo { nullptr };
};

// Keys beyond plain typing (a capital is typed with Shift): \b Backspace, \t Tab, \1 Shift+Tab,
// \n Enter, \6 Shift+Enter, \2 Insert, \3 Shift+Insert, \16 Ctrl+Insert, \17 Alt+Insert, \33
// Escape, \177 Delete, \4 Ctrl+Delete, \5 Ctrl+End, \21 Ctrl+Backspace, \26 Ctrl+V, \32 Ctrl+Z.
// Ctrl+letters are characters of their own, which overwrite mode prepares; other Ctrl keys are not.
TEST_F(OvrInsMemoTest, EditingUpperCasesOverwritesAndNormalisesLineByLine)
{
    const std::map<char, QKeyCombination> keys { { '\b', Qt::Key_Backspace }, { '\t', Qt::Key_Tab },
        { '\1', Qt::SHIFT | Qt::Key_Backtab }, { '\n', Qt::Key_Return },
        { '\6', Qt::SHIFT | Qt::Key_Return }, { '\2', Qt::Key_Insert },
        { '\3', Qt::SHIFT | Qt::Key_Insert }, { '\16', Qt::CTRL | Qt::Key_Insert },
        { '\17', Qt::ALT | Qt::Key_Insert }, { '\33', Qt::Key_Escape }, { '\177', Qt::Key_Delete },
        { '\4', Qt::CTRL | Qt::Key_Delete }, { '\5', Qt::CTRL | Qt::Key_End },
        { '\21', Qt::CTRL | Qt::Key_Backspace }, { '\26', Qt::CTRL | Qt::Key_V },
        { '\32', Qt::CTRL | Qt::Key_Z } };
    // Text, selection, clipboard, keys; the text and caret after them (-1: not checked).
    using Case = std::tuple<const char*, int, int, const char*, const char*, const char*, int>;
    const Case cases[] = { { "", 0, 0, "", "hello, world!", "HELLO, WORLD!", 13 },
        { "A", 1, 1, "", "{~`|}", "A     ", 6 }, { "", 0, 0, "", "  AB", "AB", 2 },
        { "AB\nCD", 2, 2, "", "\n   ", "AB\n\nCD", 3 }, { "AB\nX", 3, 3, "", "{\5Y", "AB\nXY", 5 },
        { "ABCD", 2, 2, "", "{", "AB CD", 3 }, { "X\nAB", 0, 0, "", "\t\5C", "X\nABC", 5 },
        { "AB", 1, 1, "", "\t\1", "A  B", 3 }, { "AB", 1, 1, "", "\6", "A\nB", 2 },
        { "AB\n", 3, 3, "   cd", "\26", "AB\nCD", 5 }, { "AB", 2, 2, "c{d", "\26\32", "AB", -1 },
        { "ABC", 1, 1, "", "X\b\b", "BC", 0 }, { "A BC", 0, 0, "", "\177\32", "A BC", -1 },
        { "AB CD", 0, 0, "", "\4\32", "AB CD", -1 }, { "ABC", 1, 1, "", "\2x\32", "ABC", -1 },
        { "AB\nCD", 2, 2, "", "\2X", "ABX\nCD", 3 }, { "ABC\nD", 3, 3, "", "\2\b", "AB\nD", 2 },
        { "ABCD", 1, 3, "", "\2X", "AXD", 2 }, { "ABC", 1, 1, "", "\2\n", "A\nC", 2 },
        { "ABC", 1, 1, "xy", "\2\26", "AXYC", 3 }, { "ABC", 1, 1, "", "\2\t", "A C", 2 },
        { "AB", 1, 1, "XY", "\2\3Z", "AXYZ", 4 },
        // Insert alone toggles the mode, with or without Alt.
        { "AB", 1, 1, "", "\2\17X", "AXB", 2 }, { "AB", 1, 1, "", "\2\16X", "AX", 2 },
        { "AB CD", 4, 4, "", "\2\21", "AB D", 3 }, { "ABC", 1, 1, "", "\2\33", "ABC", 1 },
        // One blank for each character the font lacks, even one of two code units.
        { "AC", 1, 1, "\357\277\277B", "\26", "A BC", 3 },
        { "A", 1, 1, "\303\251\342\202\254\360\237\230\200", "\26", "A   ", 4 } };
    for (const auto& [text, anchor, caret, clipboard, script, result, resultCaret] : cases) {
        SCOPED_TRACE(script);
        form->OvrLabel->setText(" Insert");
        memo->setPlainText(text);
        Select(anchor, caret);
        QApplication::clipboard()->setText(QString::fromUtf8(clipboard));
        for (const char key : std::string(script)) {
            const auto special = keys.find(key);
            if (special != keys.end())
                QTest::keyClick(memo, special->second.key(), special->second.keyboardModifiers());
            else
                QTest::keyClick(memo, QChar(key).toLower().toLatin1(),
                    QChar(key).isUpper() ? Qt::ShiftModifier : Qt::NoModifier);
        }
        EXPECT_EQ(memo->toPlainText(), result);
        EXPECT_TRUE(memo->hasFocus()) << "Tab stays in the field";
        // After an undo the caret is the editor's own business.
        EXPECT_EQ(resultCaret < 0 ? -1 : memo->textCursor().position(), resultCaret);
    }
    // The lines as shown, each replaceable on its own; lines out of range are empty and left
    // alone. Normalise says whether it changed the text.
    const QSignalBlocker quiet(memo); // the window would normalise every change
    memo->setPlainText("ab\n\nCD\n");
    EXPECT_EQ(memo->LineCount(), 3);
    EXPECT_EQ(
        QStringList({ memo->Line(-1), memo->Line(0), memo->Line(1), memo->Line(2), memo->Line(3) }),
        QStringList({ "", "ab", "", "CD", "" }));
    Select(2, 2);
    memo->ReplaceLine(0, "xyz"); // a caret at the line's end stays at its end
    EXPECT_EQ(memo->textCursor().position(), 3);
    Select(2, 2);
    memo->ReplaceLine(0, "q"), memo->ReplaceLine(-1, "!"), memo->ReplaceLine(3, "!");
    EXPECT_EQ(memo->textCursor().position(), 1);
    EXPECT_TRUE(memo->Normalise());
    EXPECT_FALSE(memo->Normalise());
    EXPECT_EQ(memo->toPlainText(), "Q\n\nCD\n");
}

} // namespace

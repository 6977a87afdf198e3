#include "FormFixture.h"

#include "AccessibilityRecorder.h"
#include "PrintPreview.h"

#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace wendle;

namespace {

const QString TooTallWarning
    = "The design has too many rows to print\nat the current print settings!";

class WendlePrintTest : public test::FormFixture {
protected:
    void SetUp() override
    {
        FormFixture::SetUp();
        form->Notebook->setCurrentIndex(2);
    }

    QString PagesLabel() const { return form->PagesRequiredLabel->text(); }
    bool ButtonsEnabled() const
    {
        EXPECT_EQ(form->PreviewButton->isEnabled(), form->PrintButton->isEnabled());
        return form->PrintButton->isEnabled();
    }
};

TEST_F(WendlePrintTest, PagesFollowTheChart)
{
    struct Case {
        const char* Name;
        QString Text;
        QString Label;
        bool Printable;
        bool Landscape;
    };
    // 173 stitches wide: three portrait sections of 70 or two landscape ones of 110.
    const auto fox = [](int lines) {
        return QString("THE QUICK BROWN FOX JUMPS OVER THE LAZY DOG\n").repeated(lines).trimmed();
    };
    const Case cases[] = {
        { "the sample", QString(), "Pages required to print: 1", true, false },
        { "one short line", "HI", "Pages required to print: 1", true, false },
        // 20 lines make 142 rows, just printable; 21 make 149.
        { "tallest printable", QString("I\n").repeated(19) + "I", "Pages required to print: 1",
            true, false },
        { "too tall", QString("I\n").repeated(20) + "I", "Unprintable", false, false },
        // One page either way; landscape has fewer sections.
        { "a long line", fox(1), "Pages required to print: 1", true, true },
        // 72 rows: one section a page, three portrait pages against two landscape.
        { "ten long lines", fox(10), "Pages required to print: 2", true, true },
        // 135 rows: no landscape page holds a section.
        { "nineteen long lines", fox(19), "Pages required to print: 3", true, false },
        // The field wraps a line at its width, each piece a chart line of its own: 5,000
        // characters on one line make dozens, too tall to print; so does the largest
        // paste, 10,000 lines of 200 characters (70,002 rows).
        { "one line of 5,000 characters", QString(5000, 'I'), "Unprintable", false, false },
        { "10,000 lines of 200 characters", (QString(200, 'W') + '\n').repeated(10000),
            "Unprintable", false, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        if (!c.Text.isNull())
            SetText(c.Text);
        EXPECT_EQ(PagesLabel(), c.Label);
        EXPECT_EQ(ButtonsEnabled(), c.Printable);
        EXPECT_EQ(form->PrintPlan().PrintLandscape, c.Landscape);
        const QString message = form->DimensionsMessage->text();
        EXPECT_EQ(message == TooTallWarning, !c.Printable) << message.toStdString();
        EXPECT_EQ(form->DimensionsMessage->font().bold(), !c.Printable);
        EXPECT_EQ(form->DimensionsMessage->palette().color(QPalette::WindowText),
            c.Printable ? QColor(255, 255, 0) : QColor(255, 0, 0));
    }
}

TEST_F(WendlePrintTest, UnitKeepsTheNumberWithinTheNewLimits)
{
    TFxPSpinEdit* pitch = form->PrintedStitchPitchEdit;
    ClickItem(form->PrintedStitchPitchGroup, 1);
    EXPECT_DOUBLE_EQ(pitch->Value(), 20 / 2.54);
    EXPECT_EQ(pitch->Model().Text(), "7.9");
    EXPECT_FLOAT_EQ(form->PrintPlan().PrintStitchesPerInch, 20.0f);
    ClickItem(form->PrintedStitchPitchGroup, 0);
    EXPECT_DOUBLE_EQ(pitch->Value(), 20 / 2.54);
    EXPECT_EQ(pitch->MinValue(), 5.0);
    EXPECT_EQ(pitch->MaxValue(), 20.0);
    EXPECT_FLOAT_EQ(form->PrintPlan().PrintStitchesPerInch, 7.874016f);
}

TEST_F(WendlePrintTest, BlankNumbersMakeItUnprintableWithoutBlamingTheRows)
{
    for (TFxPSpinEdit* field :
        { form->PrintedStitchPitchEdit, form->StitchesAcrossEdit, form->StitchesDownEdit }) {
        SCOPED_TRACE(field->objectName().toStdString());
        test::AccessibilityRecorder recorder;
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Escape);
        Idle();
        EXPECT_EQ(PagesLabel(), "Unprintable");
        EXPECT_TRUE(recorder.Saw(form->PagesRequiredLabel, QAccessible::NameChanged));
        EXPECT_EQ(test::ReadAccessible(form->PagesRequiredLabel), "Unprintable");
        EXPECT_FALSE(ButtonsEnabled());
        EXPECT_TRUE(form->DimensionsMessage->text().startsWith("Area shown is 124 stitches"));
        QTest::keyClick(field, Qt::Key_Escape);
        Idle();
        EXPECT_EQ(PagesLabel(), "Pages required to print: 1");
        EXPECT_TRUE(ButtonsEnabled());
    }
}

TEST_F(WendlePrintTest, PrintButtonPrintsTheAnnouncedPages)
{
    const QString pdfinfo = QStandardPaths::findExecutable("pdfinfo");
    if (pdfinfo.isEmpty())
        GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
    SetText(QString("THE QUICK BROWN FOX JUMPS OVER THE LAZY DOG\n").repeated(10).trimmed());
    ASSERT_EQ(form->ChartWidth(), 173);
    ASSERT_EQ(form->PrintPlan().PagesRequired, 2);
    ASSERT_TRUE(form->PrintPlan().PrintLandscape);

    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString file = folder.filePath("chart.pdf");
    QPrinter& printer = form->PrintPreview->Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setResolution(300);
    printer.setPageSize(QPageSize(QPageSize::A4));
    int dialogs = 0;
    // A second click while the job runs must not start another job inside it.
    form->PrintPreview->SetPrintDialog([&](TPageRange&) {
        if (++dialogs == 1)
            QTest::mouseClick(form->PrintButton, Qt::LeftButton);
        return true;
    });
    QTest::mouseClick(form->PrintButton, Qt::LeftButton);
    EXPECT_EQ(dialogs, 1);

    QProcess info;
    info.start(pdfinfo, { file });
    ASSERT_TRUE(info.waitForFinished());
    const QString text = QString::fromUtf8(info.readAllStandardOutput());
    EXPECT_TRUE(text.contains(QRegularExpression("Pages:\\s+2\\n"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression("Page size:\\s+842 x 595"))) << text.toStdString();
}

} // namespace

#include "app/WendleForm.h"

#include "app/RadioGroup.h"
#include "preview/PageRange.h"
#include "preview/PrintPreview.h"
#include "tests/app/FormFixture.h"
#include "widgets/FxPSpinEdit.h"

#include <QPrinter>

using namespace wendle;
using namespace wendle::test;

namespace {

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
    // Pages required (0: unprintable) and whether they are printed landscape: a fox line is 173
    // stitches wide, three portrait sections of 70 or two landscape ones of 110. (Where the
    // pages turn and how many there are is the print layout's, tested with it.) The field
    // wraps a line at its width, each piece a chart line of its own: 5,000 characters on one
    // line make dozens, too tall to print; so does the largest paste, 10,000 lines of 200.
    const std::tuple<QString, int, bool> cases[]
        = { { "HI", 1, false }, { Fox, 1, true }, { QString(5000, 'I'), 0, false },
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

} // namespace

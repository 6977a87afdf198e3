#include "tests/preview/PreviewTest.h"

#include <QtPrintSupport>

using namespace wendle;
using QtPrinterPortTest = test::PrintJobTest;

// The real printer writing a PDF: letter paper with margins of half an inch across and a
// quarter inch down, so that its own numbers can be checked.
TEST_F(QtPrinterPortTest, WritesOnlyAFinishedJobWithItsOwnGeometry)
{
    // The drafts go into this test's own folder: other tests print at the same time.
    QTemporaryDir dir;
    const QByteArray tmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", dir.path().toUtf8());
    driver.SetPrinterPort(nullptr), driver.SetUseDialog(false);
    QPrinter& printer = driver.Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageMargins(QMarginsF(0.5, 0.25, 0.5, 0.25), QPageLayout::Inch);
    // A file stands at the name. A job cancelled on its first page, or one whose folder is
    // missing, leaves it byte for byte; a finished job replaces it (how, keeping its mode, is
    // the output file's, tested through the tool). No draft is left behind either way. A PDF
    // without a file name does not begin.
    const QString old = dir.filePath("chart.pdf"), missing = dir.filePath("no/chart.pdf");
    struct Case {
        QString file;
        int cancelOn { 0 };
        std::string log;
    } const cases[] {
        { .file = old, .cancelOn = 1, .log = "B|p1|E Cancelling..." },
        { .file = missing,
            .log = "B|p1|p2|E Doc|Cannot finish printing the document: " + missing.toStdString()
                + ": No such file or directory" },
        { .file = old, .log = "B|p1|p2|E Doc" },
        { .file = "", .log = "B|E Initializing|Cannot start printing: no file name to print to" },
    };
    for (const Case& c : cases) {
        QFile file(old);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("old") == 3);
        file.close();
        printer.setOutputFileName(c.file), printer.setOutputFormat(QPrinter::PdfFormat);
        job = { .pages = 2, .cancelOn = c.cancelOn }, Print();
        EXPECT_EQ(job.log, c.log);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll().left(4), c.log.ends_with("E Doc") ? "%PDF" : "old");
        EXPECT_EQ(QDir(dir.path()).entryList({ "wendle-*" }), QStringList());
        EXPECT_EQ(printer.outputFileName(), c.file) << "the printer keeps its destination";
    }
    const TSpecialCanvas& c = canvases.front();
    const TPrintableRect& area = c.PrintableRect;
    EXPECT_EQ((std::array { c.PixelsPerInchX, c.PixelsPerInchY, c.PhysWidth, c.PhysHeight,
                  area.Left, area.Top, area.Right, area.Bottom }),
        (std::array { 1200, 1200, 10200, 13200, 600, 300, 9600, 12900 }));
    qputenv("TMPDIR", tmp);
}

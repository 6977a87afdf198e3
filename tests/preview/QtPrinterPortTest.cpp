#include "PrintException.h"
#include "PrintPreview.h"
#include "PrintStatusForm.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <vector>

using namespace wendle;

namespace {

// The real QPrinter writing a PDF: letter paper, margins of half an inch across and a
// quarter inch down, so the printer's own numbers can be checked.
class QtPrinterPortTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QPrinter& printer = driver.Printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        printer.setPageSize(QPageSize(QPageSize::Letter));
        printer.setPageMargins(QMarginsF(0.5, 0.25, 0.5, 0.25), QPageLayout::Inch);
        driver.SetUseDialog(false);
        driver.SetOnBeginPrint(
            [](std::unique_ptr<TPageInfo>& info) { info = std::make_unique<TPageInfo>(); });
        driver.SetOnPrintPage([this](std::unique_ptr<TPageInfo>& info, TSpecialCanvas& canvas) {
            canvases.push_back(canvas);
            canvas.Canvas->fillRect(QRect(600, 300, 1200, 1200), Qt::black);
            if (info->PageNumber == cancelOnPage)
                QTest::mouseClick(driver.StatusForm()->CancelBtn(), Qt::LeftButton);
            info->LastPage = info->PageNumber == 2;
        });
        driver.SetOnEndPrint([this](std::unique_ptr<TPageInfo>& info) {
            ++endCalls;
            info.reset();
        });
    }

    QTemporaryDir dir;
    QString file { dir.filePath(QStringLiteral("chart.pdf")) };
    TPrintPreview driver { nullptr };
    std::vector<TSpecialCanvas> canvases;
    std::int32_t cancelOnPage { 0 };
    int endCalls { 0 };
};

TEST_F(QtPrinterPortTest, WritesTwoPagesWithThePrintersGeometry)
{
    driver.Print();
    ASSERT_EQ(canvases.size(), 2u);
    const TSpecialCanvas& c = canvases.front();
    const TPrintableRect& area = c.PrintableRect;
    EXPECT_EQ((std::vector { c.PixelsPerInchX, c.PixelsPerInchY, c.PhysWidth, c.PhysHeight }),
        (std::vector { 1200, 1200, 10200, 13200 }));
    EXPECT_EQ((std::vector { area.Left, area.Top, area.Right, area.Bottom }),
        (std::vector { 600, 300, 9600, 12900 }));

    QFile pdf(file);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_EQ(pdf.read(4), QByteArray("%PDF"));
    if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
        GTEST_SKIP() << "pdfinfo is not installed: the page count is not checked";
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), { file });
    ASSERT_TRUE(info.waitForFinished());
    const QByteArray report = info.readAllStandardOutput();
    EXPECT_TRUE(
        QString::fromUtf8(report).contains(QRegularExpression(QStringLiteral("Pages: +2\\n"))))
        << report.toStdString();
}

TEST_F(QtPrinterPortTest, CancelledJobLeavesNoFile)
{
    cancelOnPage = 1;
    driver.Print();
    EXPECT_EQ(canvases.size(), 1u);
    EXPECT_EQ(endCalls, 1);
    EXPECT_FALSE(QFile::exists(file));
}

TEST_F(QtPrinterPortTest, FileThatCannotBeWrittenIsReported)
{
    driver.Printer().setOutputFileName(dir.filePath(QStringLiteral("missing/chart.pdf")));
    try {
        driver.Print();
        ADD_FAILURE() << "no exception";
    } catch (const PrintException& error) {
        EXPECT_EQ(QString::fromStdString(error.what()),
            QStringLiteral("Cannot start printing: cannot write the file \"%1\"")
                .arg(dir.filePath(QStringLiteral("missing/chart.pdf"))));
    }
    EXPECT_EQ(endCalls, 1);
    EXPECT_TRUE(canvases.empty());
}

TEST_F(QtPrinterPortTest, PlatformDialogDecidesWhetherToPrint)
{
    driver.SetUseDialog(true);
    for (const bool accept : { false, true }) {
        SCOPED_TRACE(accept);
        QTimer::singleShot(0, [accept] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            accept ? dialog->accept() : dialog->reject();
        });
        driver.Print();
        EXPECT_EQ(canvases.size(), accept ? 2u : 0u);
        EXPECT_EQ(QFile::exists(file), accept);
    }
    EXPECT_EQ(endCalls, 2);
}

} // namespace

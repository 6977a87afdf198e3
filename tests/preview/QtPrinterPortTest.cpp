#include "PrintException.h"
#include "PrintPreview.h"
#include "PrintStatusForm.h"

#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <vector>

using namespace wendle;

namespace {

// The real QPrinter writing a two-page PDF: letter paper, margins of half an inch across and
// a quarter inch down, so the printer's own numbers can be checked.
TEST(QtPrinterPortTest, OnlyAFinishedJobIsWrittenWithThePrintersGeometry)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TPrintPreview driver { nullptr };
    std::vector<TSpecialCanvas> canvases;
    int cancelOnPage = 1, endCalls = 0;
    QPrinter& printer = driver.Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageMargins(QMarginsF(0.5, 0.25, 0.5, 0.25), QPageLayout::Inch);
    driver.SetUseDialog(false);
    driver.SetOnBeginPrint(
        [](std::unique_ptr<TPageInfo>& info) { info = std::make_unique<TPageInfo>(); });
    driver.SetOnPrintPage([&](std::unique_ptr<TPageInfo>& info, TSpecialCanvas& canvas) {
        canvases.push_back(canvas);
        canvas.Canvas->fillRect(QRect(600, 300, 1200, 1200), Qt::black);
        if (info->PageNumber == cancelOnPage)
            QTest::mouseClick(driver.StatusForm()->CancelBtn(), Qt::LeftButton);
        info->LastPage = info->PageNumber == 2;
    });
    driver.SetOnEndPrint([&](std::unique_ptr<TPageInfo>& info) { ++endCalls, info.reset(); });
    // Prints into `file`; returns the error message, if any.
    const auto print = [&](const QString& file) {
        printer.setOutputFileName(file);
        canvases.clear();
        try {
            driver.Print();
        } catch (const PrintException& error) {
            return QString::fromStdString(error.what());
        }
        return QString();
    };

    const QString unwritable = dir.filePath(QStringLiteral("missing/chart.pdf"));
    EXPECT_EQ(
        print(unwritable), "Cannot start printing: cannot write the file \"" + unwritable + "\"");
    EXPECT_TRUE(canvases.empty());
    const QString file = dir.filePath(QStringLiteral("chart.pdf"));
    EXPECT_EQ(print(file), "");
    EXPECT_EQ(canvases.size(), 1u);
    EXPECT_FALSE(QFile::exists(file)) << "a cancelled job is aborted";
    cancelOnPage = 0;
    EXPECT_EQ(print(file), "");
    ASSERT_EQ(canvases.size(), 2u);
    EXPECT_EQ(endCalls, 3);

    const TSpecialCanvas& c = canvases.front();
    const TPrintableRect& area = c.PrintableRect;
    EXPECT_EQ((std::vector { c.PixelsPerInchX, c.PixelsPerInchY, c.PhysWidth, c.PhysHeight }),
        (std::vector { 1200, 1200, 10200, 13200 }));
    EXPECT_EQ((std::vector { area.Left, area.Top, area.Right, area.Bottom }),
        (std::vector { 600, 300, 9600, 12900 }));
    QFile pdf(file);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(pdf.readAll());
    EXPECT_TRUE(text.startsWith("%PDF"));
    EXPECT_EQ(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page\\b(?!s)"))), 2);
}

} // namespace

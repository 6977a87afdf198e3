#include "PrintException.h"
#include "PrintPreview.h"
#include "PrintStatusForm.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <vector>

using namespace wendle;

namespace {

// The real QPrinter writing a two-page PDF: letter paper, margins of half an inch across and
// a quarter inch down, so the printer's own numbers can be checked.
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
        driver.SetOnEndPrint(
            [this](std::unique_ptr<TPageInfo>& info) { ++endCalls, info.reset(); });
    }

    // Prints without the print dialog (0) or declining (-1) or accepting (1) it; returns the
    // error message, if any.
    QString Print(int dialog = 0)
    {
        driver.SetUseDialog(dialog != 0);
        if (dialog != 0)
            QTimer::singleShot(0, [dialog] {
                auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                ASSERT_NE(box, nullptr);
                dialog > 0 ? box->accept() : box->reject();
            });
        canvases.clear();
        try {
            driver.Print();
        } catch (const PrintException& error) {
            return QString::fromStdString(error.what());
        }
        return {};
    }

    QTemporaryDir dir;
    QString file { dir.filePath(QStringLiteral("chart.pdf")) };
    TPrintPreview driver { nullptr };
    std::vector<TSpecialCanvas> canvases;
    std::int32_t cancelOnPage { 1 };
    int endCalls { 0 };
};

TEST_F(QtPrinterPortTest, OnlyAFinishedJobIsWrittenWithThePrintersGeometry)
{
    const QString unwritable = dir.filePath(QStringLiteral("missing/chart.pdf"));
    driver.Printer().setOutputFileName(unwritable);
    EXPECT_EQ(Print(), "Cannot start printing: cannot write the file \"" + unwritable + "\"");
    EXPECT_TRUE(canvases.empty());
    driver.Printer().setOutputFileName(file);
    EXPECT_EQ(Print(), "");
    EXPECT_EQ(canvases.size(), 1u);
    EXPECT_FALSE(QFile::exists(file)) << "a cancelled job is aborted";
    cancelOnPage = 0;
    EXPECT_EQ(Print(-1), "");
    EXPECT_TRUE(canvases.empty());
    EXPECT_FALSE(QFile::exists(file)) << "the print dialog was declined";
    EXPECT_EQ(Print(1), "");
    ASSERT_EQ(canvases.size(), 2u);
    EXPECT_EQ(endCalls, 4);

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

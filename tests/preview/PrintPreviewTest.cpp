#include "FakePrinterPort.h"

#include "PrintException.h"
#include "PrintPreview.h"
#include "PrintStatusForm.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <array>
#include <functional>

using namespace wendle;
using wendle::testing::FakePrinterPort;

namespace {

constexpr std::int32_t Unlimited = 2147483647;

// The handlers log "m<page>" for a measured page and "p<page>" for a printed one, with a "!"
// for a page that got the wrong surface, geometry or status lines, and "E <job line>" at the
// end ("E -" when no status dialog is up).
class PrintPreviewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto fake = std::make_unique<FakePrinterPort>(log);
        port = fake.get();
        driver.SetPrinterPort(std::move(fake));
        driver.SetPrintDialog([this](TPageRange& range) {
            port->Add("D" + std::to_string(range.MinPage) + "," + std::to_string(range.MaxPage)
                + "," + std::to_string(range.FromPage) + "," + std::to_string(range.ToPage));
            range.FromPage = fromPage, range.ToPage = toPage;
            return dialogAccepted;
        });
        InstallHandlers();
    }

    void InstallHandlers()
    {
        driver.SetOnBeginPrint([this](std::unique_ptr<TPageInfo>& info) {
            port->Add("B"), info = std::make_unique<TPageInfo>();
            info->DocTitle = QStringLiteral("Doc"), info->MaxPage = maxPage;
        });
        driver.SetOnPrintPage([this](std::unique_ptr<TPageInfo>& info, TSpecialCanvas& canvas) {
            const std::int32_t page = info->PageNumber;
            const QString job = driver.StatusForm()->TitleLabel()->text();
            const TPrintableRect& area = canvas.PrintableRect;
            bool good = canvas.PhysWidth == 2550 && canvas.PhysHeight == 2200
                && canvas.PixelsPerInchX == 300 && canvas.PixelsPerInchY == 200 && area.Left == 25
                && area.Top == 30 && area.Right == 2525 && area.Bottom == 2130;
            if (canvas.Mode == smPaginate) {
                good = good && canvas.Canvas != port->Painter()
                    && canvas.Canvas->device()->logicalDpiX() == 300
                    && canvas.Canvas->device()->logicalDpiY() == 200
                    && job == QStringLiteral("Paginating Page %1").arg(page);
            } else {
                good = good && canvas.Mode == smPrint && canvas.Canvas == port->Painter()
                    && canvas.Canvas->transform().map(QPointF(25, 30)) == QPointF(0, 0)
                    && job == QStringLiteral("Doc")
                    && driver.StatusForm()->PageNumLabel()->text() == QString::number(page);
                canvas.Canvas->translate(7, 7); // the next page must start from the sheet again
            }
            port->Add(
                (canvas.Mode == smPaginate ? "m" : "p") + std::to_string(page) + (good ? "" : "!"));
            info->LastPage = page >= documentPages;
            if (page == cancelOnPage)
                QTest::mouseClick(driver.StatusForm()->CancelBtn(), Qt::LeftButton);
            if (page == throwOnPage)
                throw std::runtime_error("ink ran out");
        });
        driver.SetOnEndPrint([this](std::unique_ptr<TPageInfo>& info) {
            TPrintStatusForm* status = driver.StatusForm();
            port->Add("E " + (status ? status->TitleLabel()->text().toStdString() : "-"));
            info.reset();
        });
    }

    std::string log;
    FakePrinterPort* port { nullptr };
    TPrintPreview driver { nullptr };
    std::int32_t maxPage { 40 }, documentPages { 3 }, fromPage { 1 }, toPage { Unlimited };
    std::int32_t cancelOnPage { 0 }, throwOnPage { 0 };
    bool dialogAccepted { true };
};

const std::string Started = "B|title Doc|begin|", Chosen = "B|D1,40,1,40|title Doc|begin|";

TEST_F(PrintPreviewTest, PrintsTheChosenRangeAfterMeasuringThePagesBeforeIt)
{
    // Print dialog used and accepted, pages chosen from and to, pages in the document, page
    // cancelled on: what the printer and handlers saw.
    const std::tuple<const char*, bool, bool, std::int32_t, std::int32_t, std::int32_t,
        std::int32_t, std::string>
        cases[] {
            { "range 3 to 5", true, true, 3, 5, 9, 0, Chosen + "m1|m2|p3|new|p4|new|p5|end|E Doc" },
            { "no dialog: all", false, true, 3, 3, 3, 0, Started + "p1|new|p2|new|p3|end|E Doc" },
            { "one page", true, true, 1, Unlimited, 1, 0, Chosen + "p1|end|E Doc" },
            { "range starts after the end", true, true, 4, 6, 2, 0,
                Chosen + "m1|m2|m3|p4|end|E Doc" },
            { "from page 0 is page 1", true, true, 0, 1, 5, 0, Chosen + "p1|end|E Doc" },
            { "a single page inside", true, true, 2, 2, 5, 0, Chosen + "m1|p2|end|E Doc" },
            { "dialog cancelled", true, false, 1, 1, 5, 0, "B|D1,40,1,40|E -" },
            { "cancel before page 3", false, true, 1, 1, 5, 2,
                Started + "p1|new|p2|new|abort|E Cancelling..." },
            { "cancel on the last", false, true, 1, 1, 2, 2,
                Started + "p1|new|p2|end|E Cancelling..." },
        };
    for (const auto& [name, useDialog, accepted, from, to, pages, cancelOn, expected] : cases) {
        SCOPED_TRACE(name);
        log.clear(), driver.SetUseDialog(useDialog), dialogAccepted = accepted;
        fromPage = from, toPage = to, documentPages = pages, cancelOnPage = cancelOn;
        driver.Print();
        EXPECT_EQ(log, expected);
        EXPECT_EQ(driver.StatusForm(), nullptr) << "the status dialog is closed";
    }
}

TEST_F(PrintPreviewTest, FailuresAbortTheJobRunTheEndHandlerAndReachTheCaller)
{
    // What goes wrong: what the printer and handlers saw, and the message.
    const std::tuple<const char*, std::function<void()>, std::string, const char*> cases[] {
        { "no handlers",
            [&] {
                driver.SetOnBeginPrint({}), driver.SetOnPrintPage({}), driver.SetOnEndPrint({});
            },
            "", "Begin Print Function Not Assigned!" },
        { "no page handler", [&] { driver.SetOnPrintPage({}), driver.SetOnEndPrint({}); }, "",
            "Print Page Function Not Assigned!" },
        { "no end", [&] { driver.SetOnEndPrint({}); }, "", "End Print Function Not Assigned!" },
        { "throws on 2", [&] { throwOnPage = 2; }, Started + "p1|new|p2|abort|E Doc",
            "ink ran out" },
        { "printer cannot begin", [&] { port->BeginSucceeds = false; }, Started + "E Initializing",
            "Cannot start printing: disk full" },
        { "no new sheet", [&] { port->NewPageSucceeds = false; }, Started + "p1|new|abort|E Doc",
            "Cannot start a new sheet" },
        { "document cannot end", [&] { port->EndSucceeds = false; },
            Started + "p1|new|p2|new|p3|end|E Doc", "Cannot finish printing the document" },
        { "begin handler makes no page info",
            [&] { driver.SetOnBeginPrint([](std::unique_ptr<TPageInfo>&) {}); }, "",
            "Page Info Not Assigned!" },
    };
    driver.SetUseDialog(false);
    for (const auto& [name, arrange, expected, message] : cases) {
        SCOPED_TRACE(name);
        log.clear(), throwOnPage = 0;
        port->BeginSucceeds = port->NewPageSucceeds = port->EndSucceeds = true;
        InstallHandlers(), arrange();
        try {
            driver.Print();
            ADD_FAILURE() << "no exception";
        } catch (const std::exception& error) {
            EXPECT_STREQ(error.what(), message);
        }
        EXPECT_EQ(log, expected);
        EXPECT_EQ(driver.StatusForm(), nullptr) << "the status dialog is closed";
    }
}

TEST(ZoomOptionsTest, ClampsEveryValueAtBothEndsAlsoWhenCopied)
{
    // Each value is given as minimum, maximum and step alike; each reads back clamped.
    const std::array<std::int32_t, 4> cases[] { { -5, 1, 100, 0 }, { 0, 1, 100, 0 },
        { 1, 1, 100, 1 }, { 100, 100, 100, 100 }, { 101, 100, 101, 101 }, { 5000, 100, 5000, 5000 },
        { 5001, 100, 5000, 5000 } };
    for (const auto& [value, min, max, step] : cases) {
        SCOPED_TRACE(value);
        TZoomOptions options;
        options.SetMinZoom(value);
        options.SetMaxZoom(value);
        options.SetZoomStep(value);
        TPrintPreview driver(nullptr);
        driver.SetZoomOptions(options);
        EXPECT_EQ(driver.ZoomOptions().MinZoom(), min);
        EXPECT_EQ(driver.ZoomOptions().MaxZoom(), max);
        EXPECT_EQ(driver.ZoomOptions().ZoomStep(), step);
    }
}

} // namespace

#include "FakePrinterPort.h"

#include "PrintException.h"
#include "PrintPreview.h"
#include "PrintStatusForm.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

using namespace wendle;
using wendle::testing::FakePrinterPort;

namespace {

constexpr std::int32_t Unlimited = 2147483647;

bool StatusFormExists()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (qobject_cast<TPrintStatusForm*>(widget))
            return true;
    return false;
}

// The handlers log "m<page>" for a measured page and "p<page>" for a printed one; a "!"
// after it marks a page that got the wrong surface, geometry or status lines.
class PrintPreviewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto fake = std::make_unique<FakePrinterPort>(log);
        port = fake.get();
        driver.SetPrinterPort(std::move(fake));
        driver.SetPrintDialog([this](TPageRange& range) {
            port->Add("D" + Range(range));
            range.FromPage = fromPage;
            range.ToPage = toPage;
            return dialogAccepted;
        });
        driver.SetOnBeginPrint([this](std::unique_ptr<TPageInfo>& info) {
            port->Add("B");
            info = std::make_unique<TPageInfo>();
            info->DocTitle = QStringLiteral("Doc");
            info->MaxPage = maxPage;
        });
        driver.SetOnPrintPage([this](std::unique_ptr<TPageInfo>& info, TSpecialCanvas& canvas) {
            PageHandler(*info, canvas);
        });
        driver.SetOnEndPrint([this](std::unique_ptr<TPageInfo>& info) {
            port->Add("E");
            jobLineAtEnd = driver.StatusForm()->TitleLabel()->text();
            info.reset();
        });
    }

    static std::string Range(const TPageRange& r)
    {
        return std::to_string(r.MinPage) + "," + std::to_string(r.MaxPage) + ","
            + std::to_string(r.FromPage) + "," + std::to_string(r.ToPage);
    }

    void PageHandler(TPageInfo& info, TSpecialCanvas& canvas)
    {
        const std::int32_t page = info.PageNumber;
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
            port->Add("m" + std::to_string(page) + (good ? "" : "!"));
        } else {
            good = good && canvas.Mode == smPrint && canvas.Canvas == port->Painter()
                && canvas.Canvas->transform().map(QPointF(25, 30)) == QPointF(0, 0)
                && job == QStringLiteral("Doc")
                && driver.StatusForm()->PageNumLabel()->text() == QString::number(page);
            port->Add("p" + std::to_string(page) + (good ? "" : "!"));
            canvas.Canvas->translate(7, 7); // the next page must start from the sheet again
        }
        info.LastPage = page >= documentPages;
        if (onPage)
            onPage(page);
    }

    std::string log;
    FakePrinterPort* port { nullptr };
    TPrintPreview driver { nullptr };
    std::int32_t maxPage { Unlimited };
    std::int32_t documentPages { 5 };
    std::int32_t fromPage { 1 };
    std::int32_t toPage { Unlimited };
    bool dialogAccepted { true };
    std::function<void(std::int32_t)> onPage;
    QString jobLineAtEnd;
};

TEST_F(PrintPreviewTest, PrintsTheChosenRangeAfterMeasuringThePagesBeforeIt)
{
    struct Case {
        const char* name;
        bool useDialog;
        std::int32_t from, to, pages;
        std::string pagesLog;
    } cases[] = {
        { "range 3 to 5", true, 3, 5, 9, "m1|m2|p3|new|p4|new|p5|end" },
        { "no dialog: all until the last", false, 3, 3, 3, "p1|new|p2|new|p3|end" },
        { "one page", true, 1, Unlimited, 1, "p1|end" },
        { "range ends before the document", true, 1, 2, 5, "p1|new|p2|end" },
        { "range starts after the end", true, 4, 6, 2, "m1|m2|m3|p4|end" },
        { "from page 0 is page 1", true, 0, 1, 5, "p1|end" },
        { "a single page inside", true, 2, 2, 5, "m1|p2|end" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        log.clear();
        driver.SetUseDialog(c.useDialog);
        fromPage = c.from;
        toPage = c.to;
        documentPages = c.pages;
        maxPage = 40;
        driver.Print();
        const std::string dialog = c.useDialog ? "D1,40,1,40|" : "";
        EXPECT_EQ(log, "B|" + dialog + "title Doc|begin|" + c.pagesLog + "|E");
        EXPECT_EQ(jobLineAtEnd, QStringLiteral("Doc"));
        EXPECT_FALSE(StatusFormExists());
    }
}

TEST_F(PrintPreviewTest, CancelledDialogPrintsNothingAndEndsTheDocument)
{
    dialogAccepted = false;
    driver.SetOnEndPrint([this](std::unique_ptr<TPageInfo>& info) {
        port->Add(driver.StatusForm() || StatusFormExists() ? "E with status" : "E");
        info.reset();
    });
    driver.Print();
    EXPECT_EQ(log, "B|D1,2147483647,1,2147483647|E");
}

TEST_F(PrintPreviewTest, MissingHandlerStopsBeforeAnythingHappens)
{
    const char* messages[] = { "Begin Print Function Not Assigned!",
        "Print Page Function Not Assigned!", "End Print Function Not Assigned!" };
    for (int present = 0; present < 3; ++present) {
        TPrintPreview bare(nullptr);
        if (present > 0)
            bare.SetOnBeginPrint(driver.OnBeginPrint());
        if (present > 1)
            bare.SetOnPrintPage(driver.OnPrintPage());
        bare.SetPrintDialog([](TPageRange&) { return true; });
        try {
            bare.Print();
            ADD_FAILURE() << "no exception with " << present << " handlers";
        } catch (const PrintException& error) {
            EXPECT_STREQ(error.what(), messages[present]);
        }
    }
    EXPECT_EQ(log, "");
}

TEST_F(PrintPreviewTest, CancelIsLookedAtBeforeEachPageOnly)
{
    struct Case {
        const char* name;
        std::int32_t cancelOnPage;
        std::string expected;
    } cases[] = {
        { "cancel on page 2", 2, "p1|new|p2|new|abort|E" },
        { "cancel on the last page", 3, "p1|new|p2|new|p3|end|E" },
    };
    driver.SetUseDialog(false);
    documentPages = 3;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        log.clear();
        onPage = [&](std::int32_t page) {
            if (page == c.cancelOnPage)
                QTest::mouseClick(driver.StatusForm()->CancelBtn(), Qt::LeftButton);
        };
        driver.Print();
        EXPECT_EQ(log, "B|title Doc|begin|" + c.expected);
        EXPECT_EQ(jobLineAtEnd, QStringLiteral("Cancelling..."));
        EXPECT_FALSE(StatusFormExists());
    }
}

TEST_F(PrintPreviewTest, FailuresAbortTheJobRunTheEndHandlerAndReachTheCaller)
{
    struct Case {
        const char* name;
        std::function<void()> arrange;
        std::string expected;
        const char* message;
    } cases[] = {
        { "handler throws on page 2",
            [&] {
                onPage = [](std::int32_t page) {
                    if (page == 2)
                        throw std::runtime_error("ink ran out");
                };
            },
            "B|title Doc|begin|p1|new|p2|abort|E", "ink ran out" },
        { "printer cannot begin", [&] { port->BeginSucceeds = false; }, "B|title Doc|begin|E",
            "Cannot start printing: disk full" },
        { "no new sheet", [&] { port->NewPageSucceeds = false; },
            "B|title Doc|begin|p1|new|abort|E", "Cannot start a new sheet" },
        { "document cannot end", [&] { port->EndSucceeds = false; },
            "B|title Doc|begin|p1|new|p2|new|p3|end|E", "Cannot finish printing the document" },
        { "begin handler makes no page info",
            [&] { driver.SetOnBeginPrint([](std::unique_ptr<TPageInfo>&) {}); }, "",
            "Page Info Not Assigned!" },
    };
    driver.SetUseDialog(false);
    documentPages = 3;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        log.clear();
        onPage = nullptr;
        port->BeginSucceeds = port->NewPageSucceeds = port->EndSucceeds = true;
        c.arrange();
        try {
            driver.Print();
            ADD_FAILURE() << "no exception";
        } catch (const std::exception& error) {
            EXPECT_STREQ(error.what(), c.message);
        }
        EXPECT_EQ(log, c.expected);
        EXPECT_FALSE(StatusFormExists());
        EXPECT_EQ(driver.StatusForm(), nullptr);
    }
}

TEST(ZoomOptionsTest, ClampsEveryValueAtBothEndsAlsoWhenCopied)
{
    struct Case {
        void (TZoomOptions::*set)(std::int32_t);
        std::int32_t (TZoomOptions::*get)() const;
        std::int32_t value, expected;
    } cases[] = {
        { &TZoomOptions::SetMinZoom, &TZoomOptions::MinZoom, 0, 1 },
        { &TZoomOptions::SetMinZoom, &TZoomOptions::MinZoom, 1, 1 },
        { &TZoomOptions::SetMinZoom, &TZoomOptions::MinZoom, 100, 100 },
        { &TZoomOptions::SetMinZoom, &TZoomOptions::MinZoom, 101, 100 },
        { &TZoomOptions::SetMaxZoom, &TZoomOptions::MaxZoom, 99, 100 },
        { &TZoomOptions::SetMaxZoom, &TZoomOptions::MaxZoom, 100, 100 },
        { &TZoomOptions::SetMaxZoom, &TZoomOptions::MaxZoom, 5000, 5000 },
        { &TZoomOptions::SetMaxZoom, &TZoomOptions::MaxZoom, 9000, 5000 },
        { &TZoomOptions::SetZoomStep, &TZoomOptions::ZoomStep, -5, 0 },
        { &TZoomOptions::SetZoomStep, &TZoomOptions::ZoomStep, 0, 0 },
        { &TZoomOptions::SetZoomStep, &TZoomOptions::ZoomStep, 5000, 5000 },
        { &TZoomOptions::SetZoomStep, &TZoomOptions::ZoomStep, 5001, 5000 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        TZoomOptions options;
        (options.*c.set)(c.value);
        EXPECT_EQ((options.*c.get)(), c.expected);
        TPrintPreview driver(nullptr);
        driver.SetZoomOptions(options);
        EXPECT_EQ((driver.ZoomOptions().*c.get)(), c.expected);
    }
}

} // namespace

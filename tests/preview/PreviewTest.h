#pragma once

// What the tests of the print preview share: the test and widget libraries, and a driver
// whose printer, print dialog and handlers log what happens to the job.

#include "preview/PreviewForm.h"
#include "preview/PrintException.h"
#include "preview/PrintPreview.h"
#include "preview/PrintStatusForm.h"
#include "preview/PrinterPort.h"
#include "tests/support/AccessibilityRecorder.h"

#include <QtTest>
#include <QtWidgets>
#include <gtest/gtest.h>

#include <array>

namespace wendle::test {

// What a job is set up to do (whether Print shows the print dialog included), and the
// "|"-separated log of what happened to it.
struct Job {
    std::string log {};
    std::int32_t pages { 3 }, from { 1 }, to { 2147483647 }, cancelOn { 0 }, throwOn { 0 };
    bool dialog { true }, accepted { true }, begins { true }, newPages { true }, ends { true };

    // A view painted again at once, as after a resize, is logged once.
    void Log(const std::string& entry)
    {
        if (log != entry && !log.ends_with("|" + entry))
            log += (log.empty() ? "" : "|") + entry;
    }
};

// A printer that logs every call and fails when the job says so: an 8.5 x 11 inch sheet of
// 2550 x 2200 pixels at 300 x 200 per inch, with margins of 25, 30, 25 and 70 pixels.
struct FakePrinterPort : TPrinterPort {
    void SetJobTitle(const QString& title) override { job->Log("title " + title.toStdString()); }
    bool BeginDocument(QString& why) override { return job->Log("begin"), Reply(why, job->begins); }
    QPainter* Painter() override { return &painter; }
    bool NewPage() override { return job->Log("new"), job->newPages; }
    bool EndDocument(QString& why) override { return job->Log("end"), Reply(why, job->ends); }
    void Abort() override { job->Log("abort"); }
    int PixelsPerInchX() const override { return 300; }
    int PixelsPerInchY() const override { return 200; }
    QSize PhysicalPageSize() const override { return { 2550, 2200 }; }
    QRect PrintableArea() const override { return { 25, 30, 2500, 2100 }; }
    // Says why the printer would refuse; whether it does is the job's to say.
    static bool Reply(QString& why, bool ok) { return why = QStringLiteral("disk full"), ok; }

    Job* job { nullptr };
    QImage sheet { 16, 16, QImage::Format_ARGB32_Premultiplied };
    QPainter painter { &sheet };
};

// A driver printing to the fake printer through the fake print dialog. The handlers log "B"
// at the beginning, "m<page>" for a measured page, "d<page>" for a displayed one and
// "p<page>" for a printed one, with a "!" for a page that got the wrong surface or job line,
// and "E <job line>" at the end ("E -" without a status dialog).
class PrintJobTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto fake = std::make_unique<FakePrinterPort>();
        fake->job = &job;
        driver.SetPrinterPort(std::move(fake)), driver.SetUseDialog(job.dialog);
        driver.SetPrintDialog([this](TPageRange& range) {
            job.Log("D" + std::to_string(range.MaxPage) + "," + std::to_string(range.ToPage));
            return range.FromPage = job.from, range.ToPage = job.to, job.accepted;
        });
        driver.SetOnBeginPrint([this](std::unique_ptr<TPageInfo>& info) {
            job.Log("B"), info.reset(new TPageInfo { .MaxPage = 40, .DocTitle = "Doc" });
        });
        driver.SetOnPrintPage([this](std::unique_ptr<TPageInfo>& info, TSpecialCanvas& canvas) {
            const std::int32_t page = info->PageNumber;
            const TPrintableRect& area = canvas.PrintableRect;
            // The job line by mode (display, print, paginate), on the screen; a printed page
            // starts at the sheet's corner and its number is shown.
            const QString lines[] { {}, "Doc", QStringLiteral("Paginating Page %1").arg(page) };
            const bool good = (!driver.StatusForm()
                                  || (StatusLine() == lines[canvas.Mode]
                                      && driver.StatusForm()->windowHandle()->isExposed()))
                && (canvas.Mode != smPrint
                    || (canvas.Canvas->transform().map(QPointF(area.Left, area.Top)) == QPointF()
                        && driver.StatusForm()->PageNumLabel->text() == QString::number(page)));
            job.Log("dpm"[canvas.Mode] + std::to_string(page) + (good ? "" : "!"));
            info->LastPage = page >= job.pages, draw(*canvas.Canvas), canvases.push_back(canvas);
            if (page == job.cancelOn) // the close box on a two-page job, Escape on others
                job.pages == 2 ? (void)driver.StatusForm()->close()
                               : QTest::keyClick(driver.StatusForm(), Qt::Key_Escape);
            if (page == job.throwOn)
                throw std::runtime_error("boom");
        });
        driver.SetOnEndPrint([this](std::unique_ptr<TPageInfo>& info) {
            job.Log("E " + (driver.StatusForm() ? StatusLine().toStdString() : "-")), info.reset();
        });
    }

    QString StatusLine() const { return driver.StatusForm()->TitleLabel->text(); }

    // Prints; the message of an error that reaches the caller goes into the log.
    void Print()
    {
        try {
            driver.Print();
        } catch (const std::exception& error) {
            job.Log(error.what());
        }
        EXPECT_EQ(driver.StatusForm(), nullptr) << "the status dialog is closed";
    }

    // Opens the preview, lets `body` drive the shown window, then closes it.
    void Run(const std::function<void(TPreviewForm&)>& body)
    {
        driver.SetPreviewModalRun([&](TPreviewForm& form) {
            form.show(), form.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
            body(form), form.close();
        });
        driver.Preview();
    }

    // '1' for each enabled widget, '0' for each disabled one.
    static std::string Enabled(std::initializer_list<QWidget*> widgets)
    {
        std::string flags;
        for (QWidget* widget : widgets)
            flags += widget->isEnabled() ? '1' : '0';
        return flags;
    }

    Job job;
    TPrintPreview driver { nullptr };
    std::vector<TSpecialCanvas> canvases;
    std::function<void(QPainter&)> draw { [](QPainter&) {} };
};

} // namespace wendle::test

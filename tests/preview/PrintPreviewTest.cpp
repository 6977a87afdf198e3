#include "tests/preview/PreviewTest.h"

using namespace wendle;
using PrintPreviewTest = test::PrintJobTest;

TEST_F(PrintPreviewTest, PrintsTheChosenRangeAndAbortsTheJobOnAnyFailure)
{
    // How the job and the driver differ from three pages, all chosen in the print dialog;
    // what the printer and handlers saw, and the message that reached the caller. A leading
    // "*" stands for the dialog accepted and the job begun.
    const std::string chosen = "B|D40,40|title Doc|begin|";
    struct Case {
        test::Job job {};
        std::string log;
        std::function<void()> set { [] {} };
    } const cases[] {
        { .job = { .pages = 9, .from = 3, .to = 5 }, .log = "*m1|m2|p3|new|p4|new|p5|end|E Doc" },
        { .job = { .dialog = false }, .log = "B|title Doc|begin|p1|new|p2|new|p3|end|E Doc" },
        { .job = { .pages = 2, .from = 4, .to = 6 }, .log = "*m1|m2|m3|p4|end|E Doc" },
        { .job = { .from = 0, .to = 1 }, .log = "*p1|end|E Doc" },
        { .job = { .accepted = false }, .log = "B|D40,40|E -" },
        { .job = { .pages = 5, .cancelOn = 2 }, .log = "*p1|new|p2|new|abort|E Cancelling..." },
        { .job = { .pages = 2, .cancelOn = 2 }, .log = "*p1|new|p2|end|E Cancelling..." },
        { .log = "Begin Print Function Not Assigned!", .set = [&] { driver.SetOnBeginPrint({}); } },
        { .log = "Print Page Function Not Assigned!", .set = [&] { driver.SetOnPrintPage({}); } },
        { .log = "End Print Function Not Assigned!", .set = [&] { driver.SetOnEndPrint({}); } },
        { .log = "Page Info Not Assigned!", .set = [&] { driver.SetOnBeginPrint([](auto&) {}); } },
        { .job = { .throwOn = 2 }, .log = "*p1|new|p2|abort|E Doc|boom" },
        { .job = { .begins = false }, .log = "*E Initializing|Cannot start printing: disk full" },
        { .job = { .newPages = false }, .log = "*p1|new|abort|E Doc|Cannot start a new sheet" },
        { .job = { .ends = false },
            .log = "*p1|new|p2|new|p3|end|E Doc|Cannot finish printing the document: disk full" },
    };
    for (const Case& c : cases) {
        job = c.job, SetUp(), c.set(), Print();
        EXPECT_EQ(job.log, c.log.starts_with('*') ? chosen + c.log.substr(1) : c.log);
    }
}

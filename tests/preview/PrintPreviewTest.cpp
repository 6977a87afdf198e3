#include "preview/PrintPreview.h"

#include "preview/AboutBox.h"
#include "preview/PreviewForm.h"
#include "preview/PrintException.h"
#include "preview/PrintStatusForm.h"
#include "preview/PrinterPort.h"
#include "tests/support/AccessibilityRecorder.h"

#include <QtPrintSupport>
#include <QtTest>
#include <QtWidgets>
#include <gtest/gtest.h>

#include <array>
#include <filesystem>

using namespace wendle;

namespace {

constexpr std::int32_t Unlimited = 2147483647;

// What a job is set up to do, and the "|"-separated log of what happened to it.
struct Job {
    std::string log;
    std::int32_t pages { 3 }, from { 1 }, to { Unlimited }, cancelOn { 0 }, throwOn { 0 };
    bool accepted { true }, begins { true }, newPages { true }, ends { true };

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
    bool BeginDocument(QString& reason) override
    {
        return job->Log("begin"), reason = QStringLiteral("disk full"), job->begins;
    }
    QPainter* Painter() override { return &SheetPainter; }
    bool NewPage() override { return job->Log("new"), job->newPages; }
    bool EndDocument(QString& reason) override
    {
        return job->Log("end"), reason = QStringLiteral("disk full"), job->ends;
    }
    void Abort() override { job->Log("abort"); }
    int PixelsPerInchX() const override { return 300; }
    int PixelsPerInchY() const override { return 200; }
    QSize PhysicalPageSize() const override { return { 2550, 2200 }; }
    QRect PrintableArea() const override { return { 25, 30, 2500, 2100 }; }

    Job* job { nullptr };
    QImage Sheet { 16, 16, QImage::Format_ARGB32_Premultiplied };
    QPainter SheetPainter { &Sheet };
};

// The handlers log "B" at the beginning, "m<page>" for a measured page, "d<page>" for a
// displayed one and "p<page>" for a printed one, with a "!" for a page that got the wrong
// surface or job line, and "E <job line>" at the end ("E -" without a status dialog).
class PrintPreviewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto fake = std::make_unique<FakePrinterPort>();
        fake->job = &job;
        driver.SetPrinterPort(std::move(fake));
        driver.SetPrintDialog([this](TPageRange& range) {
            job.Log("D" + std::to_string(range.MaxPage) + "," + std::to_string(range.ToPage));
            range.FromPage = job.from, range.ToPage = job.to;
            return job.accepted;
        });
        driver.SetOnBeginPrint([this](std::unique_ptr<TPageInfo>& info) {
            job.Log("B"), info = std::make_unique<TPageInfo>();
            info->DocTitle = QStringLiteral("Doc"), info->MaxPage = 40;
        });
        driver.SetOnPrintPage([this](std::unique_ptr<TPageInfo>& info, TSpecialCanvas& canvas) {
            const std::int32_t page = info->PageNumber;
            const TPrintableRect& area = canvas.PrintableRect;
            canvases.push_back(canvas);
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
            info->LastPage = page >= job.pages;
            draw(*canvas.Canvas);
            if (page == job.cancelOn) // the close box on a two-page job, Escape on others
                job.pages == 2 ? (void)driver.StatusForm()->close()
                               : QTest::keyClick(driver.StatusForm(), Qt::Key_Escape);
            if (page == job.throwOn)
                throw std::runtime_error("boom");
        });
        driver.SetOnEndPrint([this](std::unique_ptr<TPageInfo>& info) {
            job.Log("E " + (driver.StatusForm() ? StatusLine().toStdString() : "-"));
            info.reset();
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

TEST_F(PrintPreviewTest, PrintsTheChosenRangeAndAbortsTheJobOnAnyFailure)
{
    // How the job differs from three pages, all chosen in the print dialog; what the printer
    // and handlers saw, and the message that reached the caller.
    const std::string Chosen = "B|D40,40|title Doc|begin|";
    const std::pair<std::function<void()>, std::string> cases[] {
        { [&] { job.from = 3, job.to = 5, job.pages = 9; },
            Chosen + "m1|m2|p3|new|p4|new|p5|end|E Doc" },
        { [&] { driver.SetUseDialog(false); }, "B|title Doc|begin|p1|new|p2|new|p3|end|E Doc" },
        { [&] { job.from = 4, job.to = 6, job.pages = 2; }, Chosen + "m1|m2|m3|p4|end|E Doc" },
        { [&] { job.from = 0, job.to = 1; }, Chosen + "p1|end|E Doc" },
        { [&] { job.accepted = false; }, "B|D40,40|E -" },
        { [&] { job.pages = 5, job.cancelOn = 2; },
            Chosen + "p1|new|p2|new|abort|E Cancelling..." },
        { [&] { job.pages = 2, job.cancelOn = 2; }, Chosen + "p1|new|p2|end|E Cancelling..." },
        { [&] { driver.SetOnBeginPrint({}); }, "Begin Print Function Not Assigned!" },
        { [&] { driver.SetOnPrintPage({}); }, "Print Page Function Not Assigned!" },
        { [&] { driver.SetOnEndPrint({}); }, "End Print Function Not Assigned!" },
        { [&] { driver.SetOnBeginPrint([](std::unique_ptr<TPageInfo>&) {}); },
            "Page Info Not Assigned!" },
        { [&] { job.throwOn = 2; }, Chosen + "p1|new|p2|abort|E Doc|boom" },
        { [&] { job.begins = false; }, Chosen + "E Initializing|Cannot start printing: disk full" },
        { [&] { job.newPages = false; }, Chosen + "p1|new|abort|E Doc|Cannot start a new sheet" },
        { [&] { job.ends = false; },
            Chosen + "p1|new|p2|new|p3|end|E Doc|Cannot finish printing the document: disk full" },
    };
    for (const auto& [arrange, expected] : cases) {
        job = {}, driver.SetUseDialog(true), SetUp(), arrange();
        Print();
        EXPECT_EQ(job.log, expected);
    }
}

// The real printer writing a PDF: letter paper with margins of half an inch across and a
// quarter inch down, so that its own numbers can be checked.
TEST_F(PrintPreviewTest, QtPrinterWritesOnlyAFinishedJobWithItsOwnGeometry)
{
    QTemporaryDir dir;
    driver.SetPrinterPort(nullptr), driver.SetUseDialog(false);
    QPrinter& printer = driver.Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageMargins(QMarginsF(0.5, 0.25, 0.5, 0.25), QPageLayout::Inch);
    // A file of mode 0600 stands at the name. A job cancelled on its first page, or one whose
    // folder is missing, leaves it byte for byte; a finished job replaces it, mode and all.
    // No draft is left behind either way.
    const QString old = dir.filePath("chart.pdf"), missing = dir.filePath("no/chart.pdf");
    struct Case {
        QString file;
        int cancelOn;
        std::string log;
    } const cases[] {
        { .file = old, .cancelOn = 1, .log = "B|p1|E Cancelling..." },
        { .file = missing,
            .cancelOn = 0,
            .log = "B|p1|p2|E Doc|Cannot finish printing the document: " + missing.toStdString()
                + ": No such file or directory" },
        { .file = old, .cancelOn = 0, .log = "B|p1|p2|E Doc" },
    };
    const QStringList drafts = QDir::temp().entryList({ "wendle-*" });
    for (const Case& c : cases) {
        QFile file(old);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("old") == 3);
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        printer.setOutputFileName(c.file);
        job = {}, job.pages = 2, job.cancelOn = c.cancelOn;
        Print();
        EXPECT_EQ(job.log, c.log);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        EXPECT_EQ(bytes.startsWith("%PDF"), c.log.ends_with("E Doc")) << bytes.left(8).data();
        EXPECT_EQ(std::filesystem::status(old.toStdString()).permissions(),
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
        EXPECT_EQ(QDir::temp().entryList({ "wendle-*" }), drafts);
        EXPECT_EQ(printer.outputFileName(), c.file) << "the printer keeps its destination";
    }
    const TSpecialCanvas& c = canvases.front();
    const TPrintableRect& area = c.PrintableRect;
    EXPECT_EQ((std::array { c.PixelsPerInchX, c.PixelsPerInchY, c.PhysWidth, c.PhysHeight,
                  area.Left, area.Top, area.Right, area.Bottom }),
        (std::array { 1200, 1200, 10200, 13200, 600, 300, 9600, 12900 }));
}

TEST_F(PrintPreviewTest, ZoomButtonsAndToolStepWithinTheLimitsAndAnnounceTheLabel)
{
    // Minimum, maximum, step; clicks to zoom in and out, 'i' and 'o' by button, 'I' and 'O' by
    // the zoom tool; the labels shown; whether zooming in and out is left enabled.
    const std::tuple<int, int, int, const char*, QString, std::string> cases[] {
        { 50, 2000, 50, "iiiiiii", "150 225 338 506 759 1139 1709 ", "01" },
        { 50, 2000, 50, "o", "67 ", "10" },
        { 50, 2000, 0, "iO", "100 100 ", "11" }, // step 0: no change
        { 50, 150, 50, "iI", "150 150 ", "01" }, // the top reached exactly
        { 25, 2000, 100, "ooOI", "50 25 25 50 ", "11" }, // the bottom reached exactly
    };
    test::AccessibilityRecorder recorder;
    TZoomOptions& zoom = driver.ZoomOptions();
    for (const auto& [minZoom, maxZoom, step, clicks, expected, enabled] : cases) {
        zoom.SetMinZoom(minZoom), zoom.SetMaxZoom(maxZoom), zoom.SetZoomStep(step);
        Run([&](TPreviewForm& form) {
            QWidget* viewport = form.ScrollBox1->viewport();
            QString labels;
            recorder.Clear();
            for (const char* click = clicks; *click != 0; ++click) {
                if (*click == 'i' || *click == 'o')
                    (*click == 'i' ? form.ZoomInBut : form.ZoomOutBut)->click();
                else // the middle of the page view's visible part, with the zoom tool
                    QTest::mouseClick(form.PB1, *click == 'I' ? Qt::LeftButton : Qt::RightButton,
                        {}, form.PB1->mapFrom(viewport, viewport->rect().center()));
                labels += form.ZoomLabel->text().mid(7).chopped(1) + ' ';
                EXPECT_GE(form.ZoomLabel->width(), form.ZoomLabel->sizeHint().width()) << "cut off";
            }
            EXPECT_EQ(labels, expected);
            EXPECT_EQ(Enabled({ form.ZoomInBut, form.ZoomOutBut }), enabled);
            EXPECT_EQ(recorder.Saw(form.ZoomLabel, QAccessible::NameChanged),
                form.ZoomLabel->text() != "Zoom = 100%")
                << "a changed label is announced, an unchanged one is not";
        });
    }
    // Limits asked for one past their ends are held there.
    zoom.SetMinZoom(101), zoom.SetMaxZoom(99), zoom.SetZoomStep(5001);
    EXPECT_EQ((std::array { zoom.MinZoom(), zoom.MaxZoom(), zoom.ZoomStep() }),
        (std::array { 100, 100, 5000 }));
}

TEST_F(PrintPreviewTest, NavigationMeasuresOnlyThePagesItSkips)
{
    // Key; page shown; what the handler was asked for; Prev, Next, zoom in and out, the page
    // view and the tools enabled.
    const std::tuple<QKeyCombination, QString, const char*, std::string> steps[] {
        { {}, "Page 3", "B|m1|m2|d3", "1111111" }, // opened at page 3, measuring 1 and 2
        { Qt::Key_Return, "Page 3", "", "1111111" }, // no default button to press
        { Qt::Key_Home, "Page 1", "d1", "0111111" },
        { Qt::Key_End, "Page 5", "m4|m5|d5", "1011111" },
        // Two pages side by side: the label follows the view painted last, the view beyond
        // the last page stays blank, and Next steps by one.
        { Qt::ALT | Qt::Key_2, "Page 5", "d5", "1000000" },
        { Qt::ALT | Qt::Key_V, "Page 5", "d4|d5", "1000000" },
        { Qt::ALT | Qt::Key_V, "Page 4", "d3|d4", "1100000" },
        { Qt::ALT | Qt::Key_N, "Page 5", "d4|d5", "1000000" },
        { Qt::ALT | Qt::Key_1, "Page 4", "d4", "1111111" },
        { Qt::Key_PageUp, "Page 3", "d3", "1111111" },
        { Qt::Key_PageDown, "Page 4", "d4", "1111111" },
    };
    job.pages = 5;
    driver.SetCurrentPage(3);
    Run([&](TPreviewForm& form) {
        for (const auto& [key, page, asked, enabled] : steps) {
            if (key.key() != Qt::Key_unknown)
                QTest::keyClick(&form, key.key(), key.keyboardModifiers());
            const auto shown
                = [&] { return job.log == asked && form.CurPageLabel->text() == page; };
            EXPECT_TRUE(QTest::qWaitFor(shown)) << asked << " " << job.log;
            job.log.clear();
            if (!form.PB1->isEnabled()) // the mouse onto the page while it is disabled
                QTest::mouseMove(form.PB1);
            // The mode's button is down; two pages sit side by side in the middle.
            const bool one = form.PB1->isEnabled();
            const int sides = form.PagePanel->x() + form.PagePanel2->geometry().right();
            EXPECT_TRUE(form.OnePageBut->isChecked() == one && form.TwoPageBut->isChecked() != one);
            EXPECT_TRUE(
                one || std::abs(sides - form.ScrollBox1->maximumViewportSize().width()) < 12);
            EXPECT_EQ(Enabled({ form.PrevPageBut, form.NextPageBut, form.ZoomInBut, form.ZoomOutBut,
                          form.PB1, form.ZoomCursorBut, form.HandCursorBut }),
                enabled)
                << asked;
        }
        // Back to one page by keyboard, the mouse still over the page shows the zoom tool.
        EXPECT_EQ(form.windowHandle()->cursor().hotSpot(), QPoint(10, 10));
    });
    EXPECT_EQ(job.log, "E -");
    EXPECT_EQ(driver.CurrentPage(), 3) << "the driver's page is not written back";
}

TEST_F(PrintPreviewTest, HandlerErrorsAreReportedAndMissingHandlersStopTheRun)
{
    job.throwOn = 2;
    QString shown;
    Run([&](TPreviewForm& form) {
        QTimer reader; // the message comes up once the paint is over
        QObject::connect(&reader, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                shown = box->text(), box->close();
        });
        reader.start(10);
        QTest::mouseClick(form.NextPageBut, Qt::LeftButton);
        EXPECT_TRUE(QTest::qWaitFor([&] { return form.PB1->isHidden(); }, 2000));
        EXPECT_EQ(shown, "Printing cannot complete.\rThis was the last error message:\rboom");
        EXPECT_EQ(form.CurPageLabel->text(), "Page 2");
    });
    EXPECT_EQ(job.log, "B|d1|d2|E -");

    job.log.clear(), driver.SetOnPrintPage({}), driver.SetCurrentPage(2);
    EXPECT_THROW(Run([](TPreviewForm&) { FAIL() << "shown"; }), PrintException);
    EXPECT_EQ(job.log, "B|E -") << "the end handler still releases the page description";
    driver.SetOnEndPrint({});
    EXPECT_THROW(Run([](TPreviewForm&) { FAIL() << "shown"; }), PrintException);
    driver.SetOnBeginPrint({});
    EXPECT_THROW(Run([](TPreviewForm&) { FAIL() << "shown"; }), PrintException);
}

TEST_F(PrintPreviewTest, OnePageMapsOntoACentredViewThatTheToolsZoomAndPan)
{
    // Blue over the whole sheet, black over 0.2 .. 0.4 of its width and height.
    draw = [](QPainter& painter) {
        painter.fillRect(0, 0, 2550, 2200, Qt::blue);
        painter.fillRect(510, 440, 510, 440, Qt::black);
    };
    // Zoom clicks, or the grid button, after the case before; the scroll bars across and down
    // shown; the one-inch lines seen across the top margin.
    struct Case {
        const char* clicks;
        std::pair<bool, bool> bars;
        int lines;
    } cases[] {
        { .clicks = "", .bars = { false, false }, .lines = 8 }, // 100%
        { .clicks = "o", .bars = { false, false }, .lines = 8 }, // 67%
        // 150%: taller than the view, and narrow enough to fit beside the vertical bar.
        { .clicks = "ii", .bars = { false, true }, .lines = 8 },
        { .clicks = "iiii", .bars = { true, true }, .lines = 1 }, // 759%
        { .clicks = "gooooo", .bars = { false, false }, .lines = 0 }, // 100%, no grid
    };
    job.pages = 1;
    driver.SetShowGrid(true);
    Run([&](TPreviewForm& form) {
        form.resize(1000, form.height()); // wide enough for the page at 150%
        QWidget* viewport = form.ScrollBox1->viewport();
        QScrollBar* across = form.ScrollBox1->horizontalScrollBar();
        QScrollBar* down = form.ScrollBox1->verticalScrollBar();
        QPushButton* const buttons[] { form.ZoomInBut, form.ZoomOutBut, form.GridBut };
        for (const Case& c : cases) {
            for (const char click : std::string_view(c.clicks))
                buttons[std::string_view("iog").find(click)]->click();
            SCOPED_TRACE(form.ZoomLabel->text().toStdString() + " " + c.clicks);
            QCoreApplication::processEvents(); // the scroll bars show or hide
            EXPECT_EQ(std::pair(across->isVisible(), down->isVisible()), c.bars);
            // Across the top margin: white paper on the button shadow, crossed by lines of
            // the grid colour, 2 printer pixels wide but never under one screen pixel.
            const QImage view = viewport->grab().toImage();
            EXPECT_EQ(view.pixel(1, 1), form.palette().color(QPalette::Dark).rgb());
            const QPoint at = form.PB1->mapTo(viewport, QPoint(0, 1));
            QString row; // '.' white, 'g' grid colour, '?' anything else
            for (int x = at.x(); x < std::min(view.width(), at.x() + form.PB1->width()); ++x) {
                const QRgb pixel = view.pixel(x, at.y());
                row += pixel == 0xFFFFFFFF ? '.' : pixel == 0xFFC0C0C0 ? 'g' : '?';
            }
            const long width = std::max(1L, std::lround(2.0 * form.PB1->width() / 2550));
            EXPECT_EQ(row.split('.', Qt::SkipEmptyParts), QStringList(c.lines, QString(width, 'g')))
                << row.toStdString();
        }
        const QImage image = form.PB1->grab().toImage();
        const int w = image.width(), h = image.height();
        // Margins on the sheet: left 25, top 30, right 25, bottom 70 printer pixels.
        const QRgb white = qRgb(255, 255, 255), blue = qRgb(0, 0, 255);
        const std::tuple<double, double, QRgb> probes[] { { 0.3, 0.3, qRgb(0, 0, 0) },
            { 0.17, 0.3, blue }, { 0.3, 0.43, blue }, { 0.5, 0.025, blue }, { 0.003, 0.5, white },
            { 0.997, 0.5, white }, { 0.985, 0.5, blue }, { 0.5, 0.985, white },
            { 0.5, 0.96, blue } };
        for (const auto& [x, y, colour] : probes)
            EXPECT_EQ(image.pixel(static_cast<int>(x * w), static_cast<int>(y * h)), colour)
                << x << "," << y;
        // A one-page document leaves nowhere to go.
        EXPECT_EQ(Enabled({ form.PrevPageBut, form.NextPageBut, form.FirstPageSpeed,
                      form.PrevPageSpeed, form.NextPageSpeed, form.LastPageSpeed }),
            "000000");

        const QSize box = form.ScrollBox1->maximumViewportSize();
        const auto page = [&] { return form.PagePanel->geometry(); };
        // At 100% the page is 8 pixels short of the view's height, in the sheet's proportions,
        // and centred on a container just inside the view.
        EXPECT_EQ(page().height(), box.height() - 8);
        EXPECT_NEAR(page().width(), page().height() * 8.5 / 11, 0.5);
        EXPECT_EQ(form.ContainPanel->size(), box - QSize(1, 1));
        EXPECT_LE((page().center() - form.ContainPanel->rect().center()).manhattanLength(), 1);
        // The zoom tool at the page's middle: the page outgrows the view, keeps its middle in
        // the view's middle, and sits 3 pixels inside a container 6 pixels larger.
        EXPECT_EQ(form.PB1->cursor().hotSpot(), QPoint(10, 10));
        QTest::mouseMove(form.PB1);
        EXPECT_TRUE(form.HintLabel->text().contains(".  Click & drag with")) << "the hint line";
        QTest::mouseClick(form.PB1, Qt::LeftButton, {}, form.PB1->rect().center());
        EXPECT_EQ(form.ContainPanel->height(), page().height() + 6);
        const QPoint middle(std::max(0, page().width() - box.width()) / 2,
            std::max(0, page().height() - box.height()) / 2);
        EXPECT_LE((QPoint(across->value(), down->value()) - middle).manhattanLength(), 6);
        form.ZoomInBut->click();
        EXPECT_EQ(
            QRect(3, 3, form.ContainPanel->width() - 6, form.ContainPanel->height() - 6), page());
        // The tools' glyphs are their cursors: a black, a white and a see-through cell of the
        // lens's cross hairs and of the open hand.
        const QImage lens = form.ZoomCursorBut->icon().pixmap(32).toImage();
        const QImage hand = form.HandCursorBut->icon().pixmap(32).toImage();
        EXPECT_EQ((std::array { lens.pixel(10, 10), lens.pixel(5, 10), lens.pixel(31, 31),
                      hand.pixel(4, 14), hand.pixel(7, 14), hand.pixel(0, 14) }),
            (std::array<QRgb, 6> { 0xFF000000, 0xFFFFFFFF, 0, 0xFF000000, 0xFFFFFFFF, 0 }));
        // The hand tool drags the page along.
        QTest::mouseClick(form.HandCursorBut, Qt::LeftButton);
        EXPECT_EQ(form.PB1->cursor().hotSpot(), QPoint(7, 14));
        const QPoint start = form.PB1->mapFrom(viewport, QPoint(99, 99));
        const QPoint scrolled(across->value(), down->value());
        QTest::mousePress(form.PB1, Qt::LeftButton, {}, start);
        QTest::mouseMove(form.PB1, start - QPoint(20, 10));
        QTest::mouseRelease(form.PB1, Qt::LeftButton, {}, start - QPoint(20, 10));
        EXPECT_EQ(QPoint(across->value(), down->value()), scrolled + QPoint(20, 10));
        job.log.clear(), form.PrintBut->click();
    });
    EXPECT_FALSE(driver.ShowGrid());
    EXPECT_EQ(job.log, "E -|B|D40,40|title Doc|begin|p1|end|E Doc") << "printed once closed";
}

TEST(PrintStatusFormTest, LinesAreReadAndAnnounced)
{
    const TAboutBox about; // the about box, too, names the component in bold over its OK
    EXPECT_TRUE(about.findChild<QLabel*>("ProductName")->font().bold()
        && about.findChild<QPushButton*>()->isDefault());
    test::AccessibilityRecorder recorder;
    TPrintStatusForm form;
    form.show();
    // What a screen reader reads for the two lines.
    const auto read = [&] {
        return test::ReadAccessible(form.TitleLabel) + "|"
            + test::ReadAccessible(form.PageNumLabel);
    };
    EXPECT_EQ(read(), "(No Title)|Initializing...");
    recorder.Clear();
    form.SetJobText(QStringLiteral("Hardcopy of knitting pattern")), form.SetPageNumber(Unlimited);
    EXPECT_EQ(read(), "Hardcopy of knitting pattern|2147483647");
    EXPECT_TRUE(recorder.Saw(form.TitleLabel, QAccessible::NameChanged)
        && recorder.Saw(form.PageNumLabel, QAccessible::NameChanged));
}

} // namespace

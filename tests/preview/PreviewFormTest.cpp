#include "tests/preview/PreviewTest.h"

using namespace wendle;
using PreviewFormTest = test::PrintJobTest;

TEST_F(PreviewFormTest, ZoomButtonsAndToolStepWithinTheLimits)
{
    // Minimum, maximum, step; clicks to zoom in and out, 'i' and 'o' by button, 'I' and 'O' by
    // the zoom tool; the labels a screen reader reads; whether zooming in and out is left
    // enabled.
    struct Case {
        int min { 50 }, max { 2000 }, step { 50 };
        const char *clicks, *reads, *enabled;
    } const cases[] {
        { .clicks = "iiiiiii", .reads = "150 225 338 506 759 1139 1709 ", .enabled = "01" },
        { .clicks = "o", .reads = "67 ", .enabled = "10" },
        // Limits asked for beyond their ends are held there; a step of 0 changes nothing.
        { .min = 101, .max = 99, .step = -5, .clicks = "iO", .reads = "100 100 ", .enabled = "11" },
        { .min = 0, .step = 9000, .clicks = "oo", .reads = "2 2 ", .enabled = "10" },
        { .max = 9000, .step = 9000, .clicks = "i", .reads = "100 ", .enabled = "00" },
        { .max = 150, .clicks = "iI", .reads = "150 150 ", .enabled = "01" }, // the top exactly
        { .min = 25, .step = 100, .clicks = "ooOI", .reads = "50 25 25 50 ", .enabled = "11" },
    };
    TZoomOptions& zoom = driver.ZoomOptions();
    for (const Case& c : cases) {
        zoom.SetMinZoom(c.min), zoom.SetMaxZoom(c.max), zoom.SetZoomStep(c.step);
        Run([&](TPreviewForm& form) {
            QString labels;
            for (const char* click = c.clicks; *click != 0; ++click) {
                if (*click == 'i' || *click == 'o')
                    (*click == 'i' ? form.ZoomInBut : form.ZoomOutBut)->click();
                else // the zoom tool on the page
                    QTest::mouseClick(form.PB1, *click == 'I' ? Qt::LeftButton : Qt::RightButton);
                labels += test::ReadAccessible(form.ZoomLabel).mid(7).chopped(1) + ' ';
                EXPECT_GE(form.ZoomLabel->width(), form.ZoomLabel->sizeHint().width()) << "cut off";
            }
            EXPECT_EQ(labels, c.reads);
            EXPECT_EQ(Enabled({ form.ZoomInBut, form.ZoomOutBut }), c.enabled);
        });
    }
}

TEST_F(PreviewFormTest, NavigationMeasuresOnlyThePagesItSkips)
{
    // Key; page shown; what the handler was asked for; Prev, Next, zoom in and out, the page
    // view and the tools enabled. Opened at page 3, it measures pages 1 and 2 first.
    struct Step {
        QKeySequence key {};
        const char *page, *asked = "", *enabled;
    } const steps[] {
        { .page = "Page 3", .asked = "B|m1|m2|d3", .enabled = "1111111" },
        { .key = Qt::Key_Return, .page = "Page 3", .enabled = "1111111" }, // no default button
        { .key = Qt::Key_Home, .page = "Page 1", .asked = "d1", .enabled = "0111111" },
        { .key = Qt::Key_End, .page = "Page 5", .asked = "m4|m5|d5", .enabled = "1011111" },
        // Two pages side by side: the label follows the view painted last, the view beyond
        // the last page stays blank, and Next steps by one.
        { .key = Qt::ALT | Qt::Key_2, .page = "Page 5", .asked = "d5", .enabled = "1000000" },
        { .key = Qt::ALT | Qt::Key_V, .page = "Page 5", .asked = "d4|d5", .enabled = "1000000" },
        { .key = Qt::ALT | Qt::Key_V, .page = "Page 4", .asked = "d3|d4", .enabled = "1100000" },
        { .key = Qt::ALT | Qt::Key_N, .page = "Page 5", .asked = "d4|d5", .enabled = "1000000" },
        { .key = Qt::ALT | Qt::Key_1, .page = "Page 4", .asked = "d4", .enabled = "1111111" },
        { .key = Qt::Key_PageUp, .page = "Page 3", .asked = "d3", .enabled = "1111111" },
        { .key = Qt::Key_PageDown, .page = "Page 4", .asked = "d4", .enabled = "1111111" },
    };
    job.pages = 5, driver.SetCurrentPage(3);
    Run([&](TPreviewForm& form) {
        for (const Step& s : steps) {
            QTest::keySequence(&form, s.key);
            const auto shown
                = [&] { return job.log == s.asked && form.CurPageLabel->text() == s.page; };
            EXPECT_TRUE(QTest::qWaitFor(shown)) << s.asked << " " << job.log;
            job.log.clear();
            if (!form.PB1->isEnabled()) // the mouse onto the page while it is disabled
                QTest::mouseMove(form.PB1);
            // The mode's button is down; two pages sit side by side in the middle.
            const bool one = form.PB1->isEnabled();
            const int sides = form.PagePanel->x() + form.PagePanel2->geometry().right();
            EXPECT_TRUE(form.OnePageBut->isChecked() == one && form.TwoPageBut->isChecked() != one
                && (one || std::abs(sides - form.ScrollBox1->maximumViewportSize().width()) < 12));
            EXPECT_EQ(Enabled({ form.PrevPageBut, form.NextPageBut, form.ZoomInBut, form.ZoomOutBut,
                          form.PB1, form.ZoomCursorBut, form.HandCursorBut }),
                s.enabled)
                << s.asked;
        }
        // Back to one page by keyboard, the mouse still over the page shows the zoom tool.
        EXPECT_EQ(form.windowHandle()->cursor().hotSpot(), QPoint(10, 10));
    });
    EXPECT_EQ(job.log, "E -");
    EXPECT_EQ(driver.CurrentPage(), 3) << "the driver's page is not written back";
}

TEST_F(PreviewFormTest, HandlerErrorsAreReportedAndMissingHandlersStopTheRun)
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

    // Without a page handler, then without an end handler too, then without a begin handler.
    const auto unseen = [](TPreviewForm&) { FAIL() << "shown"; };
    job.log.clear(), driver.SetOnPrintPage({}), driver.SetCurrentPage(2);
    EXPECT_THROW(Run(unseen), PrintException);
    EXPECT_EQ(job.log, "B|E -") << "the end handler still releases the page description";
    EXPECT_THROW((driver.SetOnEndPrint({}), Run(unseen)), PrintException);
    EXPECT_THROW((driver.SetOnBeginPrint({}), Run(unseen)), PrintException);
}

TEST_F(PreviewFormTest, OnePageMapsOntoACentredViewThatTheToolsZoomAndPan)
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
        bool across { false }, down { false };
        int lines;
    } const cases[] {
        { .clicks = "", .lines = 8 }, // 100%
        // 150%: taller than the view, and narrow enough to fit beside the vertical bar.
        { .clicks = "i", .down = true, .lines = 8 },
        { .clicks = "iiii", .across = true, .down = true, .lines = 1 }, // 759%
        { .clicks = "gooooo", .lines = 0 }, // 100%, no grid
    };
    job.pages = 1, driver.SetShowGrid(true);
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
            EXPECT_EQ(
                std::pair(across->isVisible(), down->isVisible()), std::pair(c.across, c.down));
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
        struct Probe {
            double x, y;
            QRgb rgb;
        } const probes[] { { .x = 0.3, .y = 0.3, .rgb = qRgb(0, 0, 0) },
            { .x = 0.17, .y = 0.3, .rgb = blue }, { .x = 0.3, .y = 0.43, .rgb = blue },
            { .x = 0.5, .y = 0.025, .rgb = blue }, { .x = 0.003, .y = 0.5, .rgb = white },
            { .x = 0.997, .y = 0.5, .rgb = white }, { .x = 0.985, .y = 0.5, .rgb = blue },
            { .x = 0.5, .y = 0.985, .rgb = white }, { .x = 0.5, .y = 0.96, .rgb = blue } };
        for (const Probe& p : probes)
            EXPECT_EQ(image.pixel(static_cast<int>(p.x * w), static_cast<int>(p.y * h)), p.rgb)
                << p.x << "," << p.y;
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

#include "FakePrinterPort.h"

#include "AccessibilityRecorder.h"
#include "PreviewForm.h"
#include "PrintException.h"
#include "PrintPreview.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace wendle;
using wendle::testing::FakePrinterPort;

namespace {

TPreviewForm* OpenForm()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* form = qobject_cast<TPreviewForm*>(widget))
            return form;
    return nullptr;
}

// A document of `pages` pages on the fake printer's 8.5 x 11 inch sheet (2550 x 2200 pixels
// at 300 x 200 per inch). The handler logs "m<page>" when measured and "d<page>" when
// painted; "!" marks a measured page whose hint line was wrong.
class PreviewFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        driver.SetPrinterPort(std::make_unique<FakePrinterPort>(printerLog));
        driver.SetUseDialog(false);
        driver.SetOnBeginPrint([this](std::unique_ptr<TPageInfo>& info) {
            Add("B");
            info = std::make_unique<TPageInfo>();
        });
        driver.SetOnPrintPage([this](std::unique_ptr<TPageInfo>& info, TSpecialCanvas& canvas) {
            const std::int32_t page = info->PageNumber;
            if (canvas.Mode == smPaginate) {
                const bool hint
                    = OpenForm()->HintLabel->text() == "Paginating Page " + QString::number(page);
                Add("m" + std::to_string(page) + (hint ? "" : "!"));
            } else {
                Add("d" + std::to_string(page));
            }
            info->LastPage = page >= pages;
            if (draw)
                draw(*canvas.Canvas);
            if (page == failingPage)
                throw PrintException(QStringLiteral("boom"));
        });
        driver.SetOnEndPrint([this](std::unique_ptr<TPageInfo>& info) { Add("E"), info.reset(); });
    }

    // A view painted again at once, as after a resize, is logged once.
    void Add(const std::string& entry)
    {
        if (log != entry && !log.ends_with("|" + entry))
            log += (log.empty() ? "" : "|") + entry;
    }

    // Opens the preview, lets `body` drive the shown window, then closes it.
    void Run(const std::function<void(TPreviewForm&)>& body)
    {
        driver.SetPreviewModalRun([&](TPreviewForm& form) {
            form.show();
            form.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
            body(form);
            form.close();
        });
        driver.Preview();
    }

    static void ExpectPage(TPreviewForm& form, const QString& label)
    {
        (void)QTest::qWaitFor([&] { return form.CurPageLabel->text() == label; }, 2000);
        EXPECT_EQ(form.CurPageLabel->text(), label);
    }

    // Clicks the middle of the page view's visible part: zooms with the zoom tool.
    static void ClickMiddle(TPreviewForm& form, Qt::MouseButton button)
    {
        QWidget* viewport = form.ScrollBox1->viewport();
        QTest::mouseClick(
            form.PB1, button, {}, form.PB1->mapFrom(viewport, viewport->rect().center()));
    }

    // Calls `inspect` on the next modal window that comes up, then closes it.
    static void OnModal(std::function<void(QWidget*)> inspect)
    {
        auto* timer = new QTimer;
        QObject::connect(timer, &QTimer::timeout, [timer, inspect] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal && !qobject_cast<TPreviewForm*>(modal)) {
                timer->stop();
                timer->deleteLater();
                inspect(modal);
                modal->close();
            }
        });
        timer->start(10);
    }

    TPrintPreview driver { nullptr };
    std::string log;
    std::string printerLog;
    std::int32_t pages { 5 };
    std::int32_t failingPage { 0 };
    std::function<void(QPainter&)> draw;
};

TEST_F(PreviewFormTest, ZoomButtonsStepWithinTheLimits)
{
    struct Case {
        int minZoom, maxZoom, step;
        const char* clicks; // zoom in, out: 'i', 'o' by button, 'I', 'O' by the zoom tool
        QString labels;
        bool inEnabled, outEnabled;
    } const cases[] {
        { 50, 2000, 50, "iiiiiii", "150 225 338 506 759 1139 1709 ", false, true },
        { 50, 2000, 50, "o", "67 ", true, false },
        { 50, 2000, 0, "iO", "100 100 ", true, true }, // step 0: no change
        { 50, 150, 50, "iI", "150 150 ", false, true }, // the top reached exactly
        { 25, 2000, 100, "ooOI", "50 25 25 50 ", true, true }, // the bottom reached exactly
        { 100, 2000, 50, "o", "100 ", true, false },
    };
    test::AccessibilityRecorder recorder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.clicks);
        driver.ZoomOptions().SetMinZoom(c.minZoom);
        driver.ZoomOptions().SetMaxZoom(c.maxZoom);
        driver.ZoomOptions().SetZoomStep(c.step);
        Run([&](TPreviewForm& form) {
            EXPECT_EQ(form.ZoomLabel->text(), "Zoom = 100%");
            QString labels;
            for (const char* click = c.clicks; *click != 0; ++click) {
                const QString before = form.ZoomLabel->text();
                recorder.Clear();
                if (*click == 'i' || *click == 'o')
                    QTest::mouseClick(
                        *click == 'i' ? form.ZoomInBut : form.ZoomOutBut, Qt::LeftButton);
                else
                    ClickMiddle(form, *click == 'I' ? Qt::LeftButton : Qt::RightButton);
                labels += form.ZoomLabel->text().mid(7).chopped(1) + ' ';
                EXPECT_EQ(recorder.Saw(form.ZoomLabel, QAccessible::NameChanged),
                    before != form.ZoomLabel->text());
            }
            EXPECT_EQ(labels, c.labels);
            EXPECT_EQ(form.ZoomInBut->isEnabled(), c.inEnabled);
            EXPECT_EQ(form.ZoomOutBut->isEnabled(), c.outEnabled);
        });
    }
}

TEST_F(PreviewFormTest, OpensAtTheCurrentPageAfterMeasuringThePagesBefore)
{
    driver.SetCurrentPage(3);
    Run([&](TPreviewForm& form) {
        ExpectPage(form, "Page 3");
        QTest::keyClick(&form, Qt::Key_Home);
        ExpectPage(form, "Page 1");
    });
    EXPECT_EQ(log, "B|m1|m2|d3|d1|E");
    EXPECT_EQ(driver.CurrentPage(), 3) << "the driver's page is not written back";
}

TEST_F(PreviewFormTest, NavigationMeasuresOnlyThePagesItSkips)
{
    struct Step {
        QKeyCombination key;
        const char* page;
        const char* log; // what the handler was asked for
        bool previous, next, zoom;
    } const steps[] {
        { {}, "Page 1", "B|d1", false, true, true },
        { Qt::Key_End, "Page 5", "m2|m3|m4|m5|d5", true, false, true },
        { Qt::Key_Home, "Page 1", "d1", false, true, true },
        { Qt::Key_PageDown, "Page 2", "d2", true, true, true },
        { Qt::ALT | Qt::Key_N, "Page 3", "d3", true, true, true },
        // Two pages side by side: the label follows the view painted last, Next steps by one,
        // and the view beyond the last page stays blank.
        { Qt::ALT | Qt::Key_2, "Page 4", "d3|d4", true, true, false },
        { Qt::ALT | Qt::Key_N, "Page 5", "d4|d5", true, false, false },
        { Qt::ALT | Qt::Key_1, "Page 4", "d4", true, true, true },
        { Qt::Key_End, "Page 5", "d5", true, false, true },
        { Qt::ALT | Qt::Key_2, "Page 5", "d5", true, false, false },
        { Qt::ALT | Qt::Key_V, "Page 5", "d4|d5", true, false, false },
        { Qt::ALT | Qt::Key_1, "Page 4", "d4", true, true, true },
        { Qt::Key_PageUp, "Page 3", "d3", true, true, true },
    };
    Run([&](TPreviewForm& form) {
        for (const Step& step : steps) {
            SCOPED_TRACE(step.log);
            if (step.key.key() != Qt::Key_unknown)
                QTest::keyClick(&form, step.key.key(), step.key.keyboardModifiers());
            EXPECT_TRUE(QTest::qWaitFor([&] { return log == step.log; })) << log;
            ExpectPage(form, step.page);
            log.clear();
            EXPECT_EQ(form.PrevPageBut->isEnabled(), step.previous);
            EXPECT_EQ(form.NextPageBut->isEnabled(), step.next);
            for (QWidget* tool : std::initializer_list<QWidget*> {
                     form.ZoomInBut, form.PB1, form.ZoomCursorBut, form.HandCursorBut })
                EXPECT_EQ(tool->isEnabled(), step.zoom) << tool->objectName().toStdString();
        }
    });
}

TEST_F(PreviewFormTest, OnePageDocumentDisablesTheNavigation)
{
    pages = 1;
    Run([&](TPreviewForm& form) {
        ExpectPage(form, "Page 1");
        for (QWidget* button : std::initializer_list<QWidget*> { form.PrevPageBut, form.NextPageBut,
                 form.FirstPageSpeed, form.PrevPageSpeed, form.NextPageSpeed, form.LastPageSpeed })
            EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();
    });
}

TEST_F(PreviewFormTest, HandlerErrorsAreReportedAndTheWindowStaysUsable)
{
    failingPage = 2;
    QString shown;
    Run([&](TPreviewForm& form) {
        ExpectPage(form, "Page 1");
        OnModal([&](QWidget* modal) { shown = qobject_cast<QMessageBox*>(modal)->text(); });
        QTest::mouseClick(form.NextPageBut, Qt::LeftButton);
        EXPECT_TRUE(QTest::qWaitFor([&] { return form.PB1->isHidden(); }, 2000));
        EXPECT_EQ(shown, "Printing cannot complete.\rThis was the last error message:\rboom");
        EXPECT_EQ(form.CurPageLabel->text(), "Page 2");
    });
    EXPECT_EQ(log.substr(log.size() - 2), "|E");

    // An error while measuring ends only the command.
    Run([&](TPreviewForm& form) {
        ExpectPage(form, "Page 1");
        OnModal([&](QWidget* modal) { shown = qobject_cast<QMessageBox*>(modal)->text(); });
        QTest::mouseClick(form.LastPageSpeed, Qt::LeftButton);
        EXPECT_EQ(shown, "boom");
        EXPECT_TRUE(form.isVisible());
        EXPECT_FALSE(form.HintLabel->text().startsWith("Paginating"));
    });
}

TEST_F(PreviewFormTest, MissingHandlersAndPageInfo)
{
    driver.SetOnPrintPage({});
    driver.SetCurrentPage(2);
    EXPECT_THROW(Run([](TPreviewForm&) { FAIL() << "shown"; }), PrintException);
    EXPECT_EQ(log, "B|E") << "the end handler still releases the page description";
    driver.SetOnBeginPrint({});
    EXPECT_THROW(Run([](TPreviewForm&) { FAIL() << "shown"; }), PrintException);
}

TEST_F(PreviewFormTest, GridLiesUnderThePageAndIsWrittenBack)
{
    driver.SetGridColor(0x0000FF); // red, as 0x00BBGGRR
    // Lines thinner than a screen pixel come out as shades of red.
    const auto gridPixels = [](TPreviewForm& form) {
        const QImage image = form.PB1->grab().toImage();
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                count += qRed(pixel) == 255 && qGreen(pixel) == qBlue(pixel) && qBlue(pixel) < 128;
            }
        return count;
    };
    Run([&](TPreviewForm& form) {
        EXPECT_EQ(gridPixels(form), 0);
        QTest::mouseClick(form.GridBut, Qt::LeftButton);
        EXPECT_GT(gridPixels(form), 100);
    });
    EXPECT_TRUE(driver.ShowGrid());
    Run([&](TPreviewForm& form) {
        EXPECT_TRUE(form.GridBut->isChecked());
        form.GridBut->click();
    });
    EXPECT_FALSE(driver.ShowGrid());
}

TEST_F(PreviewFormTest, PageMapsOntoTheViewWithTheMarginsClipped)
{
    // Blue over the whole sheet, black over 0.2 .. 0.4 of its width and height.
    draw = [](QPainter& painter) {
        painter.fillRect(0, 0, 2550, 2200, Qt::blue);
        painter.fillRect(510, 440, 510, 440, Qt::black);
    };
    Run([&](TPreviewForm& form) {
        const QImage image = form.PB1->grab().toImage();
        const int w = image.width();
        const int h = image.height();
        // At 100% the page is as high as the view less 8 pixels, and centred across it.
        const QSize box = form.ScrollBox1->maximumViewportSize();
        EXPECT_EQ(form.PagePanel->height(), box.height() - 8);
        EXPECT_NEAR(form.PagePanel->geometry().center().x(), box.width() / 2, 2);
        EXPECT_NEAR(static_cast<double>(w) / h, 8.5 / 11.0, 0.01);
        // Margins on the sheet: left 25, top 30, right 25, bottom 70 printer pixels.
        const QRgb white = qRgb(255, 255, 255), blue = qRgb(0, 0, 255);
        const std::tuple<double, double, QRgb> probes[] { { 0.3, 0.3, qRgb(0, 0, 0) },
            { 0.17, 0.3, blue }, { 0.3, 0.43, blue }, { 0.5, 0.005, white }, { 0.5, 0.025, blue },
            { 0.003, 0.5, white }, { 0.997, 0.5, white }, { 0.985, 0.5, blue },
            { 0.5, 0.985, white }, { 0.5, 0.96, blue } };
        for (const auto& [x, y, colour] : probes)
            EXPECT_EQ(image.pixel(static_cast<int>(x * w), static_cast<int>(y * h)), colour)
                << x << "," << y;
    });
}

TEST_F(PreviewFormTest, PrintClosesAndPrintsWhileEscapeOnlyCloses)
{
    Run([&](TPreviewForm& form) { QTest::keyClick(&form, Qt::Key_Escape); });
    EXPECT_EQ(printerLog, "");
    log.clear();
    Run([&](TPreviewForm& form) {
        ExpectPage(form, "Page 1");
        QTest::keyClick(&form, Qt::Key_P, Qt::AltModifier); // an animated click
        EXPECT_TRUE(QTest::qWaitFor([&] { return form.isHidden(); }, 2000));
    });
    EXPECT_EQ(log, "B|d1|E|B|d1|d2|d3|d4|d5|E") << "the print is a run of its own, after";
    EXPECT_EQ(printerLog.substr(0, 6), "title ");
}

TEST_F(PreviewFormTest, HintsToolsAndAbout)
{
    Run([&](TPreviewForm& form) {
        const std::tuple<QWidget*, const char*, const char*> controls[] {
            { form.ZoomOutBut, "Zoom Out", "Zoom Out of the page" },
            { form.LastPageSpeed, "Go to Last Page in Document", "Go to Last Page in Document" },
            { form.PB1, "Page View",
                "Page View.  With Zoom Tool, left or right click to zoom in/out.  Click && drag "
                "with Hand Tool to pan." }
        };
        for (const auto& [control, name, hint] : controls) {
            QEvent enter(QEvent::Enter);
            QApplication::sendEvent(control, &enter);
            EXPECT_EQ(form.HintLabel->text(), hint);
            EXPECT_EQ(test::ReadAccessible(control), name);
        }

        // The zoom tool keeps the clicked point near the middle of the view.
        EXPECT_EQ(form.PB1->cursor().hotSpot(), QPoint(10, 10));
        QTest::mouseClick(form.ZoomInBut, Qt::LeftButton);
        QTest::mouseClick(form.ZoomInBut, Qt::LeftButton);
        QWidget* viewport = form.ScrollBox1->viewport();
        const QPoint middle = viewport->rect().center();
        const QPoint point = form.PB1->mapFrom(viewport, middle);
        const QPointF share(
            double(point.x()) / form.PB1->width(), double(point.y()) / form.PB1->height());
        ClickMiddle(form, Qt::LeftButton);
        EXPECT_EQ(form.ZoomLabel->text(), "Zoom = 338%");
        const QPoint after = form.PB1->mapTo(viewport,
            QPoint(int(share.x() * form.PB1->width()), int(share.y() * form.PB1->height())));
        EXPECT_LE((after - middle).manhattanLength(), 12);

        // The hand tool drags the page while the button is down, and does not zoom.
        form.HandCursorBut->click();
        EXPECT_EQ(form.PB1->cursor().hotSpot(), QPoint(7, 14));
        QScrollBar* horizontal = form.ScrollBox1->horizontalScrollBar();
        QScrollBar* vertical = form.ScrollBox1->verticalScrollBar();
        const QPoint start(horizontal->value(), vertical->value());
        QTest::mousePress(form.PB1, Qt::LeftButton, {}, point);
        QMouseEvent move(QEvent::MouseMove, QPointF(point + QPoint(40, -30)), QPointF(),
            Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.PB1, &move);
        QTest::mouseRelease(form.PB1, Qt::LeftButton, {}, point);
        QApplication::sendEvent(form.PB1, &move);
        EXPECT_EQ(QPoint(horizontal->value(), vertical->value()), start + QPoint(-40, 30));
        EXPECT_EQ(form.ZoomLabel->text(), "Zoom = 338%");

        QString title;
        OnModal([&](QWidget* modal) { title = modal->windowTitle(); });
        QTest::keyClick(&form, Qt::Key_A, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !title.isEmpty(); }, 2000));
        EXPECT_EQ(title, "About Print Preview");
    });
}

} // namespace

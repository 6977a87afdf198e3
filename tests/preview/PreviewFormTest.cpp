#include "FakePrinterPort.h"

#include "PreviewForm.h"
#include "PrintException.h"
#include "PrintPreview.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include <functional>

using namespace wendle;
using wendle::testing::FakePrinterPort;

namespace {

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
            Add("B"), info = std::make_unique<TPageInfo>();
        });
        driver.SetOnPrintPage([this](std::unique_ptr<TPageInfo>& info, TSpecialCanvas& canvas) {
            const std::int32_t page = info->PageNumber;
            bool hint = canvas.Mode != smPaginate;
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (auto* form = qobject_cast<TPreviewForm*>(widget); form && !hint)
                    hint = form->HintLabel->text() == "Paginating Page " + QString::number(page);
            Add((hint ? "" : "!") + std::string(canvas.Mode == smPaginate ? "m" : "d")
                + std::to_string(page));
            info->LastPage = page >= pages;
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
            form.show(), form.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
            body(form), form.close();
        });
        driver.Preview();
    }

    static void ExpectPage(TPreviewForm& form, const QString& label)
    {
        (void)QTest::qWaitFor([&] { return form.CurPageLabel->text() == label; }, 2000);
        EXPECT_EQ(form.CurPageLabel->text(), label);
    }

    // Reads the text of the next message box that comes up into `shown`, then closes it.
    static void ReadMessage(QString& shown)
    {
        auto* timer = new QTimer;
        QObject::connect(timer, &QTimer::timeout, [timer, &shown] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                timer->stop(), timer->deleteLater(), shown = box->text(), box->close();
        });
        timer->start(10);
    }

    TPrintPreview driver { nullptr };
    std::string log, printerLog;
    std::int32_t pages { 5 }, failingPage { 0 };
    std::function<void(QPainter&)> draw { [](QPainter&) {} };
};

TEST_F(PreviewFormTest, ZoomButtonsStepWithinTheLimits)
{
    // Minimum, maximum, step; clicks to zoom in and out, 'i' and 'o' by button, 'I' and 'O' by
    // the zoom tool; the labels shown; whether zooming in and out is left enabled.
    const std::tuple<int, int, int, const char*, QString, bool, bool> cases[] {
        { 50, 2000, 50, "iiiiiii", "150 225 338 506 759 1139 1709 ", false, true },
        { 50, 2000, 50, "o", "67 ", true, false },
        { 50, 2000, 0, "iO", "100 100 ", true, true }, // step 0: no change
        { 50, 150, 50, "iI", "150 150 ", false, true }, // the top reached exactly
        { 25, 2000, 100, "ooOI", "50 25 25 50 ", true, true }, // the bottom reached exactly
        { 100, 2000, 50, "o", "100 ", true, false },
    };
    for (const auto& [minZoom, maxZoom, step, clicks, expected, inEnabled, outEnabled] : cases) {
        SCOPED_TRACE(clicks);
        TZoomOptions& zoom = driver.ZoomOptions();
        zoom.SetMinZoom(minZoom), zoom.SetMaxZoom(maxZoom), zoom.SetZoomStep(step);
        Run([&](TPreviewForm& form) {
            EXPECT_EQ(form.ZoomLabel->text(), "Zoom = 100%");
            QWidget* viewport = form.ScrollBox1->viewport();
            QString labels;
            for (const char* click = clicks; *click != 0; ++click) {
                if (*click == 'i' || *click == 'o')
                    QTest::mouseClick(
                        *click == 'i' ? form.ZoomInBut : form.ZoomOutBut, Qt::LeftButton);
                else // the middle of the page view's visible part, with the zoom tool
                    QTest::mouseClick(form.PB1, *click == 'I' ? Qt::LeftButton : Qt::RightButton,
                        {}, form.PB1->mapFrom(viewport, viewport->rect().center()));
                labels += form.ZoomLabel->text().mid(7).chopped(1) + ' ';
            }
            EXPECT_EQ(labels, expected);
            EXPECT_EQ(std::pair(form.ZoomInBut->isEnabled(), form.ZoomOutBut->isEnabled()),
                std::pair(inEnabled, outEnabled));
        });
    }
}

TEST_F(PreviewFormTest, NavigationMeasuresOnlyThePagesItSkips)
{
    // Key; page shown; what the handler was asked for; Previous, Next and zooming enabled.
    const std::tuple<QKeyCombination, const char*, const char*, bool, bool, bool> steps[] {
        // It opens at the current page, measuring the pages before it.
        { {}, "Page 3", "B|m1|m2|d3", true, true, true },
        { Qt::Key_Home, "Page 1", "d1", false, true, true },
        { Qt::Key_End, "Page 5", "m4|m5|d5", true, false, true },
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
    driver.SetCurrentPage(3);
    Run([&](TPreviewForm& form) {
        for (const auto& [key, page, asked, previous, next, zoom] : steps) {
            SCOPED_TRACE(asked);
            if (key.key() != Qt::Key_unknown)
                QTest::keyClick(&form, key.key(), key.keyboardModifiers());
            EXPECT_TRUE(QTest::qWaitFor([&] { return log == asked; })) << log;
            ExpectPage(form, page);
            log.clear();
            EXPECT_EQ(
                std::tuple(form.PrevPageBut->isEnabled(), form.NextPageBut->isEnabled(),
                    form.ZoomInBut->isEnabled() && form.PB1->isEnabled()
                        && form.ZoomCursorBut->isEnabled() && form.HandCursorBut->isEnabled()),
                std::tuple(previous, next, zoom));
        }
    });
    EXPECT_EQ(log, "E");
    EXPECT_EQ(driver.CurrentPage(), 3) << "the driver's page is not written back";
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

TEST_F(PreviewFormTest, HandlerErrorsAreReportedAndMissingHandlersStopTheRun)
{
    failingPage = 2;
    QString shown;
    Run([&](TPreviewForm& form) {
        ExpectPage(form, "Page 1");
        ReadMessage(shown);
        QTest::mouseClick(form.NextPageBut, Qt::LeftButton);
        EXPECT_TRUE(QTest::qWaitFor([&] { return form.PB1->isHidden(); }, 2000));
        EXPECT_EQ(shown, "Printing cannot complete.\rThis was the last error message:\rboom");
        EXPECT_EQ(form.CurPageLabel->text(), "Page 2");
    });
    EXPECT_EQ(log.substr(log.size() - 2), "|E");

    log.clear();
    driver.SetOnPrintPage({});
    driver.SetCurrentPage(2);
    EXPECT_THROW(Run([](TPreviewForm&) { FAIL() << "shown"; }), PrintException);
    EXPECT_EQ(log, "B|E") << "the end handler still releases the page description";
    driver.SetOnBeginPrint({});
    EXPECT_THROW(Run([](TPreviewForm&) { FAIL() << "shown"; }), PrintException);
}

TEST_F(PreviewFormTest, PageMapsOntoTheViewWithTheMarginsClippedAndTheGridIsWrittenBack)
{
    // Blue over the whole sheet, black over 0.2 .. 0.4 of its width and height.
    draw = [](QPainter& painter) {
        painter.fillRect(0, 0, 2550, 2200, Qt::blue);
        painter.fillRect(510, 440, 510, 440, Qt::black);
    };
    Run([&](TPreviewForm& form) {
        const QImage image = form.PB1->grab().toImage();
        const int w = image.width(), h = image.height();
        // Margins on the sheet: left 25, top 30, right 25, bottom 70 printer pixels.
        const QRgb white = qRgb(255, 255, 255), blue = qRgb(0, 0, 255);
        const std::tuple<double, double, QRgb> probes[] { { 0.3, 0.3, qRgb(0, 0, 0) },
            { 0.17, 0.3, blue }, { 0.3, 0.43, blue }, { 0.5, 0.005, white }, { 0.5, 0.025, blue },
            { 0.003, 0.5, white }, { 0.997, 0.5, white }, { 0.985, 0.5, blue },
            { 0.5, 0.985, white }, { 0.5, 0.96, blue } };
        for (const auto& [x, y, colour] : probes)
            EXPECT_EQ(image.pixel(static_cast<int>(x * w), static_cast<int>(y * h)), colour)
                << x << "," << y;
        QTest::mouseClick(form.GridBut, Qt::LeftButton);
        EXPECT_NE(form.PB1->grab().toImage(), image) << "no grid drawn";
    });
    EXPECT_TRUE(driver.ShowGrid());
    Run([&](TPreviewForm& form) {
        EXPECT_TRUE(form.GridBut->isChecked());
        form.GridBut->click();
    });
    EXPECT_FALSE(driver.ShowGrid());
}

} // namespace

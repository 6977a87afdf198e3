#include "FakePrinterPort.h"

#include "AccessibilityRecorder.h"
#include "PreviewForm.h"
#include "PrintException.h"
#include "PrintPreview.h"

#include <QApplication>
#include <QInputDialog>
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
                const bool hint = OpenForm()->HintLabel->text()
                    == QStringLiteral("Paginating Page %1").arg(page);
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
        driver.SetOnEndPrint([this](std::unique_ptr<TPageInfo>& info) {
            Add("E");
            info.reset();
        });
    }

    void Add(const std::string& entry) { log += (log.empty() ? "" : "|") + entry; }

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

    // Zooms by button ('i', 'o') or by the zoom tool at the middle of the view ('I', 'O').
    static void Zoom(TPreviewForm& form, char how)
    {
        if (how == 'i' || how == 'o')
            return QTest::mouseClick(how == 'i' ? form.ZoomInBut : form.ZoomOutBut, Qt::LeftButton);
        QWidget* viewport = form.ScrollBox1->viewport();
        QTest::mouseClick(form.PB1, how == 'I' ? Qt::LeftButton : Qt::RightButton, {},
            form.PB1->mapFrom(viewport, viewport->rect().center()));
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
        const char* name;
        int minZoom, maxZoom, step;
        const char* clicks; // zoom in, out: 'i', 'o' by button, 'I', 'O' by the zoom tool
        std::vector<const char*> labels;
        bool inEnabled, outEnabled;
    } cases[] = {
        { "in to the top", 50, 2000, 50, "iiiiiii",
            { "150", "225", "338", "506", "759", "1139", "1709" }, false, true },
        { "out to the bottom", 50, 2000, 50, "o", { "67" }, true, false },
        { "step 0 stays", 50, 2000, 0, "iO", { "100", "100" }, true, true },
        { "top reached exactly", 50, 150, 50, "iI", { "150", "150" }, false, true },
        { "bottom reached exactly", 25, 2000, 100, "ooOI", { "50", "25", "25", "50" }, true, true },
        { "no room below", 100, 2000, 50, "o", { "100" }, true, false },
    };
    test::AccessibilityRecorder recorder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        driver.ZoomOptions().SetMinZoom(c.minZoom);
        driver.ZoomOptions().SetMaxZoom(c.maxZoom);
        driver.ZoomOptions().SetZoomStep(c.step);
        Run([&](TPreviewForm& form) {
            EXPECT_EQ(form.ZoomLabel->text(), "Zoom = 100%");
            for (std::size_t i = 0; c.clicks[i] != 0; ++i) {
                recorder.Clear();
                const QString before = form.ZoomLabel->text();
                Zoom(form, c.clicks[i]);
                EXPECT_EQ(form.ZoomLabel->text(), QStringLiteral("Zoom = %1%").arg(c.labels[i]));
                EXPECT_EQ(recorder.Saw(form.ZoomLabel, QAccessible::NameChanged),
                    before != form.ZoomLabel->text());
            }
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
        EXPECT_EQ(log, "B|m1|m2|d3");
        EXPECT_TRUE(form.PrevPageBut->isEnabled() && form.FirstPageSpeed->isEnabled());
        // Page Down and Page Up step through the pages; Alt+V is Previous.
        QTest::keyClick(&form, Qt::Key_PageDown);
        ExpectPage(form, "Page 4");
        QTest::keyClick(&form, Qt::Key_PageUp);
        ExpectPage(form, "Page 3");
        QTest::keyClick(&form, Qt::Key_V, Qt::AltModifier);
        ExpectPage(form, "Page 2");
        QTest::mouseClick(form.FirstPageSpeed, Qt::LeftButton);
        ExpectPage(form, "Page 1");
        EXPECT_FALSE(form.PrevPageBut->isEnabled() || form.PrevPageSpeed->isEnabled()
            || form.FirstPageSpeed->isEnabled());
    });
    EXPECT_EQ(log.substr(log.size() - 2), "|E");
    EXPECT_EQ(driver.CurrentPage(), 3) << "the driver's page is not written back";
}

TEST_F(PreviewFormTest, LastMeasuresUpToTheLastPage)
{
    Run([&](TPreviewForm& form) {
        ExpectPage(form, "Page 1");
        log.clear();
        QTest::mouseClick(form.LastPageSpeed, Qt::LeftButton);
        ExpectPage(form, "Page 5");
        EXPECT_EQ(log, "m2|m3|m4|m5|d5");
        EXPECT_FALSE(form.NextPageBut->isEnabled() || form.NextPageSpeed->isEnabled()
            || form.LastPageSpeed->isEnabled());
        EXPECT_TRUE(form.PrevPageBut->isEnabled());
    });
}

TEST_F(PreviewFormTest, TwoPagesShowTheNextPageBesideAndStepByOne)
{
    driver.SetCurrentPage(3);
    Run([&](TPreviewForm& form) {
        ExpectPage(form, "Page 3");
        QTest::keyClick(&form, Qt::Key_2, Qt::AltModifier);
        ExpectPage(form, "Page 4"); // the label follows the view painted last
        EXPECT_FALSE(form.ZoomInBut->isEnabled() || form.ZoomOutBut->isEnabled()
            || form.ZoomCursorBut->isEnabled() || form.PB1->isEnabled());
        EXPECT_EQ(form.PagePanel2->x(), form.PagePanel->x() + form.PagePanel->width() + 10);
        EXPECT_EQ(form.PagePanel2->size(), form.PagePanel->size());
        QTest::mouseClick(form.NextPageBut, Qt::LeftButton);
        ExpectPage(form, "Page 5");
        EXPECT_EQ(form.Page(), 4);
        EXPECT_FALSE(form.NextPageBut->isEnabled());
        QTest::keyClick(&form, Qt::Key_1, Qt::AltModifier);
        ExpectPage(form, "Page 4");
        EXPECT_TRUE(form.PagePanel2->isHidden());
        EXPECT_TRUE(form.ZoomInBut->isEnabled() && form.HandCursorBut->isEnabled());
        QTest::keyClick(&form, Qt::Key_End);
        QTest::keyClick(&form, Qt::Key_2, Qt::AltModifier);
        ExpectPage(form, "Page 5");
        log.clear();
        form.PB1->repaint();
        form.PB2->repaint();
        EXPECT_EQ(log, "d5") << "the view beyond the last page stays blank";
        QTest::mouseClick(form.PB1, Qt::LeftButton); // the page views take no clicks now
        EXPECT_EQ(form.ZoomLabel->text(), "Zoom = 100%");
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
        EXPECT_EQ(test::ReadAccessible(form.CurPageLabel), "Page 1");
    });
}

TEST_F(PreviewFormTest, PageNumberAsksForThePageAndGoesThere)
{
    Run([&](TPreviewForm& form) {
        ExpectPage(form, "Page 1");
        int highest = 0;
        OnModal([&](QWidget* modal) {
            auto* box = qobject_cast<QInputDialog*>(modal);
            ASSERT_NE(box, nullptr);
            highest = box->intMaximum();
            box->setIntValue(4);
            box->accept();
        });
        QTest::keyClick(&form, Qt::Key_G, Qt::ControlModifier);
        ExpectPage(form, "Page 4");
        EXPECT_GT(highest, 5) << "the last page is not known yet";
        EXPECT_EQ(log, "B|d1|m2|m3|d4");
        QTest::mouseClick(form.LastPageSpeed, Qt::LeftButton);
        ExpectPage(form, "Page 5");
        OnModal(
            [&](QWidget* modal) { highest = qobject_cast<QInputDialog*>(modal)->intMaximum(); });
        QTest::mouseClick(form.PageNumSpeed, Qt::LeftButton);
        EXPECT_EQ(highest, 5);
    });
}

TEST_F(PreviewFormTest, HandlerErrorsAreReportedAndTheWindowStaysUsable)
{
    failingPage = 2;
    Run([&](TPreviewForm& form) {
        ExpectPage(form, "Page 1");
        QString shown;
        OnModal([&](QWidget* modal) { shown = qobject_cast<QMessageBox*>(modal)->text(); });
        QTest::mouseClick(form.NextPageBut, Qt::LeftButton);
        EXPECT_TRUE(QTest::qWaitFor([&] { return form.PB1->isHidden(); }, 2000));
        EXPECT_EQ(shown, "Printing cannot complete.\rThis was the last error message:\rboom");
        EXPECT_EQ(form.CurPageLabel->text(), "Page 2");
    });
    EXPECT_EQ(log.substr(log.size() - 2), "|E");

    // An error while measuring ends only the command.
    log.clear();
    Run([&](TPreviewForm& form) {
        ExpectPage(form, "Page 1");
        QString shown;
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
        EXPECT_EQ(form.PagePanel->height(), form.ScrollBox1->maximumViewportSize().height() - 8);
        EXPECT_NEAR(static_cast<double>(w) / h, 8.5 / 11.0, 0.01);
        // Margins on the sheet: left 25, top 30, right 25, bottom 70 printer pixels.
        struct Case {
            const char* name;
            double x, y;
            QRgb colour;
        } cases[] = {
            { "inside the black", 0.3, 0.3, qRgb(0, 0, 0) },
            { "left of the black", 0.17, 0.3, qRgb(0, 0, 255) },
            { "below the black", 0.3, 0.43, qRgb(0, 0, 255) },
            { "top margin", 0.5, 0.005, qRgb(255, 255, 255) },
            { "under the top margin", 0.5, 0.025, qRgb(0, 0, 255) },
            { "left margin", 0.003, 0.5, qRgb(255, 255, 255) },
            { "right margin", 0.997, 0.5, qRgb(255, 255, 255) },
            { "left of the right margin", 0.985, 0.5, qRgb(0, 0, 255) },
            { "bottom margin", 0.5, 0.985, qRgb(255, 255, 255) },
            { "above the bottom margin", 0.5, 0.96, qRgb(0, 0, 255) },
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            EXPECT_EQ(image.pixel(static_cast<int>(c.x * w), static_cast<int>(c.y * h)), c.colour);
        }
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
        EXPECT_TRUE(form.PrintRequested());
    });
    EXPECT_EQ(log, "B|d1|E|B|d1|d2|d3|d4|d5|E") << "the print is a run of its own, after";
    EXPECT_EQ(printerLog.substr(0, 6), "title ");
}

TEST_F(PreviewFormTest, HintsToolsAndMouse)
{
    Run([&](TPreviewForm& form) {
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(form.ZoomOutBut, &enter);
        EXPECT_EQ(form.HintLabel->text(), "Zoom Out of the page");
        QApplication::sendEvent(form.LastPageSpeed, &enter);
        EXPECT_EQ(form.HintLabel->text(), "Go to Last Page in Document");
        EXPECT_EQ(test::ReadAccessible(form.LastPageSpeed), "Go to Last Page in Document");
        EXPECT_EQ(test::ReadAccessible(form.ZoomInBut), "Zoom In");

        EXPECT_EQ(form.PB1->cursor().hotSpot(), QPoint(10, 10));
        Zoom(form, 'i');
        Zoom(form, 'i');
        // The zoom tool keeps the clicked point near the middle of the view.
        QWidget* viewport = form.ScrollBox1->viewport();
        const QPoint middle = viewport->rect().center();
        const QPoint point = form.PB1->mapFrom(viewport, middle);
        const QPointF share(
            double(point.x()) / form.PB1->width(), double(point.y()) / form.PB1->height());
        Zoom(form, 'I');
        EXPECT_EQ(form.ZoomLabel->text(), "Zoom = 338%");
        const QPoint after = form.PB1->mapTo(viewport,
            QPoint(int(share.x() * form.PB1->width()), int(share.y() * form.PB1->height())));
        EXPECT_LE((after - middle).manhattanLength(), 12);

        form.HandCursorBut->click();
        EXPECT_EQ(form.PB1->cursor().hotSpot(), QPoint(7, 14));
        QScrollBar* horizontal = form.ScrollBox1->horizontalScrollBar();
        QScrollBar* vertical = form.ScrollBox1->verticalScrollBar();
        const int h0 = horizontal->value();
        const int v0 = vertical->value();
        const QPoint start = form.PB1->mapFrom(viewport, middle);
        QTest::mousePress(form.PB1, Qt::LeftButton, {}, start);
        QMouseEvent move(QEvent::MouseMove, QPointF(start - QPoint(-40, 30)), QPointF(),
            Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.PB1, &move);
        EXPECT_EQ(horizontal->value(), h0 - 40);
        EXPECT_EQ(vertical->value(), v0 + 30);
        QTest::mouseRelease(form.PB1, Qt::LeftButton, {}, start);
        QApplication::sendEvent(form.PB1, &move);
        EXPECT_EQ(horizontal->value(), h0 - 40) << "no drag after the release";
        EXPECT_EQ(form.ZoomLabel->text(), "Zoom = 338%") << "the hand tool does not zoom";
    });
}

TEST_F(PreviewFormTest, AboutBoxAndVisibleButtons)
{
    driver.VisibleButtons().Print = false;
    driver.VisibleButtons().Grid = false;
    driver.SetTitle("Pattern");
    Run([&](TPreviewForm& form) {
        EXPECT_EQ(form.windowTitle(), "Pattern");
        EXPECT_TRUE(form.PrintBut->isHidden() && form.GridBut->isHidden());
        EXPECT_FALSE(form.NextPageBut->isHidden() || form.AboutBut->isHidden());
        QString title;
        OnModal([&](QWidget* modal) { title = modal->windowTitle(); });
        QTest::keyClick(&form, Qt::Key_A, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !title.isEmpty(); }, 2000));
        EXPECT_EQ(title, "About Print Preview");
    });
}

} // namespace

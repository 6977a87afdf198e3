#include "SpinEditFixture.h"

#include "BlankValue.h"

#include <QImage>
#include <QPixmap>

using namespace wendle;
using wendle::testing::SpinEditFixture;

namespace {

const QRgb Blue = qRgb(0, 0, 255);
const QRgb Silver = qRgb(192, 192, 192);

// Grabs the field in its four looks, keeps each picture next to the test binary (also four
// times enlarged, to be looked at by eye), and checks the colours that tell the looks apart.
class FxPSpinEditGrabTest : public SpinEditFixture {
protected:
    FxPSpinEditGrabTest()
    {
        QFont font = edit->font();
        font.setPixelSize(16);
        edit->setFont(font);
        edit->setGeometry(10, 10, 150, 25);
    }

    QImage Grab(const char* name) const
    {
        QCoreApplication::processEvents();
        const QImage image = edit->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QString base
            = QStringLiteral(WENDLE_GRAB_DIR "/spin_edit_%1").arg(QLatin1String(name));
        image.save(base + QStringLiteral(".png"));
        image.scaled(image.size() * 4, Qt::IgnoreAspectRatio, Qt::FastTransformation)
            .save(base + QStringLiteral("_x4.png"));
        return image;
    }

    // The text band: inside the border, left of the spin buttons.
    QRect Band() const
    {
        const TSpinCellRect cell = edit->Model().CaretRect();
        return { 2, 1 + cell.Top, edit->UpButton()->x() - 2, cell.Bottom - cell.Top + 1 };
    }

    static int Count(const QImage& image, const QRect& area, QRgb colour)
    {
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                if (image.pixel(x, y) == colour)
                    ++count;
            }
        }
        return count;
    }

    QRect MarkCell() const
    {
        const TSpinCellRect cell = edit->Model().CaretRect();
        return QRect(QPoint(cell.Left, cell.Top), QPoint(cell.Right, cell.Bottom)).translated(1, 1);
    }
};

TEST_F(FxPSpinEditGrabTest, FocusedFieldFillsTheMarkedCellBlue)
{
    ASSERT_TRUE(windowActive);
    Configure(2, 16, 1, 12.5);
    FocusField();
    const QImage image = Grab("focused");
    const QRect cell = MarkCell();
    EXPECT_GT(Count(image, cell, Blue), cell.width() * cell.height() / 3) << "units digit on blue";
    EXPECT_GT(Count(image, cell, qRgb(255, 255, 255)), 0) << "the digit is white on the blue";
    EXPECT_EQ(Count(image, Band(), Blue), Count(image, cell, Blue)) << "blue only in the cell";
}

TEST_F(FxPSpinEditGrabTest, UnfocusedFieldUnderlinesTheMarkedCell)
{
    ASSERT_TRUE(windowActive);
    Configure(2, 16, 1, 12.5);
    other->setFocus();
    const QImage image = Grab("unfocused");
    const QRect cell = MarkCell();
    EXPECT_EQ(Count(image, image.rect(), Blue), 0);
    const QRect underline(cell.left(), cell.bottom(), cell.width() - 1, 1);
    EXPECT_EQ(Count(image, underline, qRgb(0, 0, 0)), underline.width());
}

TEST_F(FxPSpinEditGrabTest, BlankFieldShowsOnlyTheBlueCellWhenFocused)
{
    ASSERT_TRUE(windowActive);
    Configure(2, 16, 1, FxSpEmptyValue);
    FocusField();
    const QImage focused = Grab("blank_focused");
    const QRect band = Band();
    const QRgb base = edit->palette().color(QPalette::Base).rgb();
    const int blue = Count(focused, band, Blue);
    EXPECT_GT(blue, 0);
    EXPECT_EQ(blue + Count(focused, band, base), band.width() * band.height())
        << "nothing but background and the blue cell";

    other->setFocus();
    const QImage unfocused = Grab("blank_unfocused");
    EXPECT_EQ(Count(unfocused, band, base), band.width() * band.height()) << "nothing at all";
}

TEST_F(FxPSpinEditGrabTest, DisabledFieldIsSilverWithGreyText)
{
    Configure(2, 16, 1, 12.5);
    edit->setEnabled(false);
    const QImage image = Grab("disabled");
    const QRect band = Band();
    EXPECT_GT(Count(image, band, Silver), band.width() * band.height() / 2);
    EXPECT_GT(Count(image, band, qRgb(128, 128, 128)), 0) << "grey text";
    EXPECT_EQ(Count(image, band, qRgb(0, 0, 0)), 0) << "no black text";
}

TEST_F(FxPSpinEditGrabTest, PlaceholdersAreSmallSquares)
{
    ASSERT_TRUE(windowActive);
    Configure(1, 999, 0, 7);
    FocusField();
    QTest::keyClick(edit, Qt::Key_Left);
    QTest::keyClick(edit, Qt::Key_Left);
    other->setFocus();
    const QImage image = Grab("placeholders");
    const int charWidth = edit->Model().Metrics().CharWidth;
    const int charHeight = edit->Model().Metrics().CharHeight;
    const int x = 1 + edit->Model().TextLeft() + charWidth; // the second placeholder's cell
    const int top = 1 + edit->Model().TextTop();
    const QRect square(QPoint(x + charWidth / 3, top + charHeight / 3),
        QPoint(x + 2 * (charWidth / 3) + 1, top + 2 * (charHeight / 3) + 1));
    const int outline = 2 * square.width() + 2 * square.height() - 4;
    EXPECT_EQ(Count(image, square, qRgb(0, 0, 0)), outline) << "an outline, hollow inside";
}

} // namespace

#include "app/StitchDisplayMenu.h"

#include "app/RadioGroup.h"
#include "app/StitchDisplayArea.h"
#include "tests/app/FormFixture.h"
#include "widgets/FxPSpinEdit.h"

using namespace wendle;
using namespace wendle::test;

namespace {

using StitchDisplayMenuTest = FormFixture;

TEST_F(StitchDisplayMenuTest, OpensByRightClickMenuKeyAndShiftF10AndReadsAsShown)
{
    QWindow* window = form->windowHandle();
    const QPoint chart = form->StitchDisplayArea->mapTo(form.get(), QPoint(10, 10));
    // A right click, or a left click (which gives the chart the focus) and Menu or Shift+F10.
    for (const auto& [key, modifier] : { std::pair { Qt::Key(0), Qt::NoModifier },
             { Qt::Key_Menu, Qt::NoModifier }, { Qt::Key_F10, Qt::ShiftModifier } }) {
        form->PlainText->setFocus();
        QTest::mouseClick(window, key ? Qt::LeftButton : Qt::RightButton, {}, chart);
        if (key)
            QTest::keyClick(window, key, modifier);
        ASSERT_TRUE(QTest::qWaitFor([&] { return form->StitchDisplayMenu->isVisible(); }));
        QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(form->StitchDisplayMenu);
        const auto item = [&](int i) { return menu->child(i)->text(QAccessible::Name); };
        EXPECT_EQ(QStringList({ item(0), item(1), item(3) }),
            QStringList({ "Save Picture...", "Copy Picture", "Mark Long Floats" }));
        EXPECT_TRUE(menu->child(3)->state().checkable && !menu->child(3)->state().checked);
        form->StitchDisplayMenu->close();
    }
    // The chart is one stop in the tab order, in the place of its scroll box.
    form->HelpButton->setFocus(), QTest::keyClick(window, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form->StitchDisplayArea);
}

// "I  I" with a word gap of 5 has text yarn floats of 9 stitches in rows 2 to 6 from column 2,
// longer than the 6 stitches of an inch at 6 per inch. At 4 x 3 pixels a cell, an outline on
// the grid lines around each is all that changes: no stitch's own pixels.
TEST_F(StitchDisplayMenuTest, MarkLongFloatsOutlinesThemAtTheGaugeOverTheDisplay)
{
    SetText("I  I");
    form->BlankStitchesBetweenEdit->SetValue(5), Idle();
    // What the screen shows of the chart once the window has repainted.
    const QRect area(
        form->StitchDisplayArea->mapTo(form.get(), QPoint()), form->StitchDisplayArea->size());
    const auto shown
        = [&] { return Idle(), form->screen()->grabWindow(form->winId()).toImage().copy(area); };
    const QImage plain = shown();
    QImage marked = plain;
    QPainter painter(&marked);
    painter.setPen(QColor(255, 128, 0));
    for (int row = 2; row <= 6; ++row)
        painter.drawRect(2 * 4, row * 3, 9 * 4, 3);
    painter.end();
    QAction* mark = form->StitchDisplayMenu->MarkLongFloatsAction;
    // An inch at 6 stitches per cm holds 15; a blank gauge gives no limit.
    const std::pair<std::function<void()>, const QImage*> steps[] = {
        { [&] { mark->trigger(); }, &marked },
        { [&] { form->MeasureUnitGroup->Item(1)->click(); }, &plain },
        { [&] { form->MeasureUnitGroup->Item(0)->click(); }, &marked },
        { [&] { mark->trigger(); }, &plain },
        { [&] { mark->trigger(), Key(form->StitchesAcrossEdit, Qt::Key_Escape); }, &plain },
    };
    // A paint of a few rows draws their part of the marks: from y 21, row 6's bottom line.
    const QRect band(0, 21, plain.width(), 3);
    for (const auto& step : steps) {
        EXPECT_TRUE((step.first(), shown()) == *step.second) << "step " << &step - steps;
        EXPECT_TRUE(form->StitchDisplayArea->grab(band).toImage() == step.second->copy(band));
    }
}

TEST_F(StitchDisplayMenuTest, SavesAndCopiesThePictureAsTheDisplayShowsIt)
{
    SetText("HI");
    const QImage display = form->StitchDisplayArea->grab().toImage();
    QTemporaryDir folder;
    const auto path = [&](const char* name) { return folder.filePath(name); };
    QFile old(path("old.png"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old") == 3 && old.flush());
    // The file dialog is answered with a type and a name; a message box is closed (No, to
    // replacing a file) and what it said noted.
    QStringList said;
    for (const auto& [type, name] : { std::pair { "PNG picture (*.png)", "hi" },
             { "SVG drawing (*.svg)", "hi.svg" }, { "Knitting-machine picture (*.png)", "m.PNG" },
             { "PNG picture (*.png)", "missing/hi.png" }, { "PNG picture (*.png)", "old" } }) {
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [&] {
            if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget()))
                dialog->selectNameFilter(type), dialog->selectFile(path(name)),
                    static_cast<QDialog*>(dialog)->accept();
            else if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                said << box->text().replace(folder.path(), "~"), box->reject();
        });
        answer.start(0);
        form->StitchDisplayMenu->SavePictureAction->trigger();
    }
    EXPECT_EQ(said.join('|'),
        "The picture could not be saved as ~/missing/hi.png:\nNo such file or directory.|"
        "~/old.png already exists.\nDo you want to replace it?");
    // Nothing else is in the folder. The machine picture is a 1-bit PNG of white and black.
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).join(' '), "hi.png hi.svg m.PNG old.png");
    const auto read = [&](const char* name) {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    EXPECT_EQ(QImage(path("hi.png")).convertToFormat(display.format()), display);
    const QImage machine(path("m.PNG"));
    EXPECT_EQ(std::tuple(read("hi.svg").left(5), read("old.png"), read("m.PNG")[24],
                  machine.colorTable(), machine.size()),
        std::tuple("<?xml", "old", '\1', QList<QRgb> { 0xffffffff, 0xff000000 }, QSize(7, 9)));
    form->StitchDisplayMenu->CopyPictureAction->trigger();
    EXPECT_EQ(QApplication::clipboard()->image().convertToFormat(display.format()), display);
}

} // namespace

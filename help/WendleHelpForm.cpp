#include "help/WendleHelpForm.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPalette>
#include <QPlainTextEdit>
#include <QScreen>
#include <QShowEvent>
#include <QStringList>
#include <QStyledItemDelegate>

namespace wendle {

namespace {

    const QColor Maroon(128, 0, 0);
    const QColor Yellow(255, 255, 0);
    const QColor Cream(255, 251, 240);

    constexpr int FormWidth = 450;
    constexpr int FormHeight = 200;
    constexpr int MemoTop = 31;
    constexpr int BottomLabelHeight = 17;
    // The text area is anchored to all four sides; at start-up it grows 6 pixels downwards
    // from its designed height, which leaves this gap above the bottom label.
    constexpr int DesignedMemoBottomGap = 9;
    constexpr int MemoExtraHeight = 6;
    constexpr int SelectorItemHeight = 19;

    QFont ArialFont(int pixelSize, bool bold)
    {
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(pixelSize);
        font.setBold(bold);
        return font;
    }

    void SetColours(QWidget* widget, const QColor& background, const QColor& text)
    {
        QPalette palette = widget->palette();
        for (const auto role : { QPalette::Window, QPalette::Base, QPalette::Button })
            palette.setColor(role, background);
        for (const auto role : { QPalette::WindowText, QPalette::Text, QPalette::ButtonText })
            palette.setColor(role, text);
        widget->setPalette(palette);
        widget->setAutoFillBackground(true);
    }

    // The drop-down list shows its items at a fixed height, whatever the style would choose.
    class FixedHeightItemDelegate : public QStyledItemDelegate {
    public:
        using QStyledItemDelegate::QStyledItemDelegate;

        QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
        {
            return { QStyledItemDelegate::sizeHint(option, index).width(), SelectorItemHeight };
        }
    };

    // The seven topic titles in list order; the index is the topic number.
    QStringList TopicTitles()
    {
        return {
            QStringLiteral("Overview"),
            QStringLiteral("How the alphabet works"),
            QStringLiteral("Entering and editing text"),
            QStringLiteral("Specifying stitch options"),
            QStringLiteral("Specifying display options"),
            QStringLiteral("Specifying print options"),
            QStringLiteral("Working with your desktop"),
        };
    }

    // The lines of one topic, one paragraph per line; empty for an unknown topic.
    QStringList TopicLines(int topic)
    {
        switch (topic) {
        case 0:
            return {
                QStringLiteral("Wendle: knit your words into garments"),
                QString(),
                QStringLiteral("Stitch font concept and design: the Wendle authors, 2026."),
                QStringLiteral("Software design: the Wendle authors, 2026."),
                QStringLiteral("Copyright (C) 2026 the Wendle authors. All rights reserved."),
                QString(),
                QString(),
                QStringLiteral(
                    "A sweater, hat or scarf with the recipient's name knitted into the hem is a "
                    "special gift. Wendle makes it easy to fit your message into the number of "
                    "stitches you have available. These are the steps:"),
                QStringLiteral("1. Enter the message."),
                QStringLiteral("2. Adjust the message until it fits the number of stitches or of "
                               "inches you want to fill."),
                QStringLiteral("3. Adjust the way the stitches will print to make a pattern you "
                               "can work from easily."),
                QStringLiteral("4. Print the pattern."),
                QStringLiteral("5. Knit the garment, following the pattern carefully."),
                QString(),
                QStringLiteral(
                    "Two examples, both for a hat of 90 stitches around with a name and a year in "
                    "its brim. The first message needs 88 stitches with the standard spacing: put "
                    "one of the two spare stitches at each end, or decrease two stitches on the "
                    "first round of the message and increase them back on the last round. The "
                    "second message needs only 72 stitches, and 83 in the wide font; one "
                    "decorative motif (typed as $, % or &) makes it exactly 90."),
                QString(),
                QStringLiteral("Before you start knitting, position the graph so that the message "
                               "will read properly in the finished garment, and proofread the "
                               "first row of the pattern carefully."),
            };
        case 1:
            return {
                QStringLiteral("The Wendle alphabet is designed for knitting, which has far fewer "
                               "stitches per inch than a printer has dots, and for keeping short "
                               "the carries of the text colour behind the background stitches. "
                               "Carries cannot be avoided entirely: the word EJECT is an example."),
                QString(),
                QStringLiteral(
                    "Wendle offers two versions of the font. They differ in the letters A, E, F, "
                    "H, J, L, P, S and T, the digits 6, 8, 9 and 0, and the plus sign, equal sign "
                    "and underline. The narrow font does better at avoiding carries of more than "
                    "four stitches; the wide font gives some characters more width for looks."),
                QString(),
                QStringLiteral("In the wider font some carries may be wider than five stitches. "
                               "Long carries can snag, so twist the unused yarn around the other "
                               "one midway along the carry."),
                QString(),
                QStringLiteral("Three characters are used for decorative motifs:"),
                QStringLiteral("   $ for a clamshell"),
                QStringLiteral("   % for a diamond"),
                QStringLiteral("   & for a wide X"),
                QStringLiteral("They can be used to separate parts of the message or to fill out a "
                               "line when even the wider font isn't quite long enough."),
            };
        case 2:
            return {
                QStringLiteral(
                    "Text is entered in the top half of the program window, on the \"Enter and "
                    "Edit Text\" tab. The stitch display in the lower half and the stitch count at "
                    "the very bottom follow every change at once. They also follow every change of "
                    "the stitch options (the \"Specify Stitch Options\" tab) and of the display "
                    "options (the \"Specify Display and Print Options\" tab)."),
                QString(),
                QStringLiteral(
                    "The entry area works like a plain text editor. The Insert key toggles between "
                    "insert and overstrike; the label under the entry area shows which one is in "
                    "use. Lower-case letters become upper case, letters with accents lose them "
                    "(É becomes E, Ñ becomes N), Æ, Ø, ß and Þ become AE, O, SS and TH, "
                    "and any other character that the font lacks becomes a blank. The usual "
                    "clipboard shortcut keys work:"),
                QStringLiteral("  <Ctrl-C>:copy; <Ctrl-X>:cut; <Ctrl-V>:paste."),
                QString(),
            };
        case 3:
            return {
                QStringLiteral("The conversion of stitches to inches or centimetres and the extra "
                               "spacing stitches are set on the \"Specify Stitch Options\" tab."),
                QString(),
                QStringLiteral("Set the correct stitches per inch or per centimetre, across and "
                               "down, for good size estimates and a realistic display of the shape "
                               "of the text area. Then adjust the blank rows around the lines of "
                               "text and the blank stitches at the row ends and between words. "
                               "Every change shows at once in the lower half of the window."),
                QString(),
                QStringLiteral("There are four ways to justify multi-line text:"),
                QStringLiteral("Left justified: all lines start in the same column"),
                QStringLiteral("Right justified: all lines end in the same column"),
                QStringLiteral("Centered: all lines have the same middle"),
                QStringLiteral("Fully justified: lines shorter than the longest are stretched with "
                               "extra spaces between the words, so that all lines start and end in "
                               "the same columns"),
                QString(),
                QStringLiteral("On this tab, you can also choose between the narrow and wide "
                               "version of the font."),
            };
        case 4:
            return {
                QStringLiteral("How the stitches are displayed is set on the \"Specify Display and "
                               "Print Options\" tab."),
                QString(),
                QStringLiteral(
                    "The slider at the top zooms the stitch display: move it to the left (Zoom "
                    "out) to see more of the design, to the right (Zoom in) to see more detail, "
                    "with the stitches closer to their true shapes."),
                QString(),
                QStringLiteral(
                    "The three buttons under \"Stitch display colors\" at the upper right choose "
                    "the background, text (foreground) and grid line colours. A grid in the "
                    "background colour is invisible, even between two foreground stitches, which "
                    "helps when the stitches are small."),
            };
        case 5:
            return {
                QStringLiteral("How the stitches are printed is set on the \"Specify Display and "
                               "Print Options\" tab."),
                QString(),
                QStringLiteral(
                    "Set the number of printed stitches per inch (or cm) across, and Wendle draws "
                    "the stitches in their correct shape. This affects only the printout and its "
                    "preview, not the size of the knitting. Wendle picks portrait or landscape "
                    "paper, whichever needs fewer pages. Under \"Print color\" the stitches can be "
                    "printed black on white, reversed (white on black), or in the screen display "
                    "colours on a colour printer."),
                QString(),
                QStringLiteral("A design too large to print as one unbroken section is divided "
                               "into sections automatically."),
                QString(),
                QStringLiteral(
                    "Preview the pattern before printing: you may want to make the printed "
                    "stitches slightly smaller or larger to avoid bad breaks between sections. The "
                    "\"Preview\" button shows the pages; the preview can be zoomed up to full "
                    "screen, and it has its own print and close buttons at the top."),
                QString(),
                QStringLiteral("Every tenth stitch and every tenth row is numbered in print. "
                               "Numbering normally starts at 1 but can start elsewhere: for "
                               "example, when the text area begins at stitch 28 of a larger "
                               "design, set \"Call the first stitch #\" to 28."),
            };
        case 6:
            return {
                QStringLiteral(
                    "Wendle comes as a Debian package: in its source folder, \"make package\" "
                    "builds it and \"sudo apt-get install ./build/wendle_*.deb\" installs it, with "
                    "the Qt libraries and fonts it needs. Start it from your desktop's menu, where "
                    "it is under Graphics as \"Wendle\", or type wendle in a terminal."),
                QString(),
                QStringLiteral("Wendle keeps no files and no settings: everything it needs, the "
                               "stitch font and this help included, is built in, and each run "
                               "starts afresh. Its command-line tool, wendle-chart, makes the same "
                               "chart as text, PDF, PNG or SVG (see \"man wendle-chart\")."),
                QString(),
                QStringLiteral(
                    "To uninstall Wendle, remove its package with \"sudo apt-get remove wendle\"."),
                QString(),
                QStringLiteral(
                    "The program window and the help window open at the smallest size that works. "
                    "Drag a window by its title bar to move it, and drag its edges or corners to "
                    "enlarge it up to the limits of the screen. After zooming the stitch display "
                    "in, enlarge the program window too."),
            };
        default:
            return {};
        }
    }

} // namespace

TWendleHelpForm::TWendleHelpForm(QWidget* parent)
    : QWidget(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("WendleHelpForm"));
    setWindowTitle(QStringLiteral("Help for Wendle"));
    // The help window is secondary: closing it only hides it, and it must not keep the
    // program running once the main window has closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(FormWidth, FormHeight);
    setMinimumSize(FormWidth, FormHeight);
    SetColours(this, Maroon, Yellow);

    Label19 = new QLabel(QStringLiteral("Select your help topic here"), this);
    Label19->setObjectName(QStringLiteral("Label19"));
    Label19->setGeometry(2, 2, 211, 21);
    Label19->setAlignment(Qt::AlignCenter);
    Label19->setFont(ArialFont(17, false));
    SetColours(Label19, Maroon, Yellow);

    HelpSelector = new QComboBox(this);
    HelpSelector->setObjectName(QStringLiteral("HelpSelector"));
    HelpSelector->setEditable(false);
    HelpSelector->setItemDelegate(new FixedHeightItemDelegate(HelpSelector));
    HelpSelector->setFont(ArialFont(16, true));
    SetColours(HelpSelector, Maroon, Yellow);
    SetColours(HelpSelector->view(), Maroon, Yellow);
    HelpSelector->addItems(TopicTitles());
    HelpSelector->setGeometry(212, 2, 230, SelectorItemHeight + 6);
    // Activated rather than index-changed: choosing the topic already shown rebuilds it too.
    connect(HelpSelector, &QComboBox::activated, this, &TWendleHelpForm::HelpSelectorChange);

    HelpMemo = new QPlainTextEdit(this);
    HelpMemo->setObjectName(QStringLiteral("HelpMemo"));
    HelpMemo->setReadOnly(true);
    HelpMemo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    HelpMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    HelpMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    HelpMemo->setFont(ArialFont(17, true));
    // Only the text area's own colours: its scroll bar keeps the style's.
    QPalette memoColours = HelpMemo->palette();
    memoColours.setColor(QPalette::Base, Cream);
    memoColours.setColor(QPalette::Text, Maroon);
    HelpMemo->setPalette(memoColours);

    Label1 = new QLabel(
        QStringLiteral(
            "(You can adjust this program's forms by dragging their title bars or corners)"),
        this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setFont(ArialFont(12, false));
    SetColours(Label1, Maroon, Yellow);

    MemoBottomGap = DesignedMemoBottomGap;
    FormCreate();
}

void TWendleHelpForm::ShowHelp()
{
    show();
    raise();
    activateWindow();
}

void TWendleHelpForm::HelpSelectorChange()
{
    HelpMemo->setPlainText(TopicLines(HelpSelector->currentIndex()).join(QLatin1Char('\n')));
    HelpMemo->moveCursor(QTextCursor::Start);
    if (isVisible())
        HelpMemo->setFocus();
}

void TWendleHelpForm::FormCreate()
{
    HelpSelector->setCurrentIndex(0);
    HelpSelectorChange();
    MemoBottomGap -= MemoExtraHeight;
    PlaceControls();
}

void TWendleHelpForm::FormShow() { HelpMemo->setFocus(); }

void TWendleHelpForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    if (!CentredOnce) {
        CentredOnce = true;
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    FormShow();
}

void TWendleHelpForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    PlaceControls();
}

void TWendleHelpForm::PlaceControls()
{
    Label1->setGeometry(0, height() - BottomLabelHeight, width(), BottomLabelHeight);
    const int memoBottom = height() - BottomLabelHeight - MemoBottomGap;
    HelpMemo->setGeometry(0, MemoTop, width(), memoBottom - MemoTop);
}

} // namespace wendle

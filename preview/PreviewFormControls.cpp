#include "preview/PreviewForm.h"

#include <QBitmap>
#include <QButtonGroup>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

// The preview's controls: the tool bar, the status bar and the page area, with their captions,
// hints and accessible names.

namespace wendle {

namespace {

    /// The page and zoom fields' width, where the font lets their texts fit.
    constexpr int StatusFieldWidth = 88;

    const QString PageViewHint = QStringLiteral("Page View.  With Zoom Tool, left or right "
                                                "click to zoom in/out.  Click & drag with "
                                                "Hand Tool to pan.");

    void Describe(QWidget* control, const QString& name, const QString& hint)
    {
        control->setStatusTip(hint);
        control->setToolTip(hint);
        control->setAccessibleName(name);
    }

    /// A tool cursor's picture as a button glyph, see-through where the cursor is.
    QIcon ToolGlyph(const QCursor& cursor)
    {
        QPixmap glyph = QPixmap::fromImage(cursor.bitmap().toImage());
        glyph.setMask(cursor.mask());
        return QIcon(glyph);
    }

} // namespace

void TPreviewForm::BuildToolBar(QWidget* bar)
{
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 3, 4, 3);
    const auto addButton
        = [&](QPushButton*& button, const char* name, const QString& caption, const QString& hint) {
              button = new QPushButton(caption, bar);
              button->setObjectName(QString::fromLatin1(name));
              // Enter must not print or close the window by way of a default button.
              button->setAutoDefault(false);
              Describe(button, QString(caption).remove(QLatin1Char('&')), hint);
              row->addWidget(button);
          };
    const auto addTool
        = [&](QToolButton*& button, const char* name, const QCursor& tool, const QString& hint) {
              button = new QToolButton(bar);
              button->setObjectName(QString::fromLatin1(name));
              button->setIcon(ToolGlyph(tool));
              button->setCheckable(true);
              button->setAutoRaise(true);
              Describe(button, hint, hint);
              row->addWidget(button);
          };

    addButton(PrintBut, "PrintBut", QStringLiteral("&Print"),
        QStringLiteral("Print the Current Document"));
    addButton(PrevPageBut, "PrevPageBut", QStringLiteral("Pre&v"),
        QStringLiteral("Move to Previous Page in Document"));
    addButton(NextPageBut, "NextPageBut", QStringLiteral("&Next"),
        QStringLiteral("Advance to Next Page in Document"));
    addButton(
        ZoomInBut, "ZoomInBut", QStringLiteral("Zoom &In"), QStringLiteral("Zoom In on the page"));
    addButton(ZoomOutBut, "ZoomOutBut", QStringLiteral("Zoom &Out"),
        QStringLiteral("Zoom Out of the page"));
    addButton(CloseBut, "CloseBut", QStringLiteral("&Close"),
        QStringLiteral("Close the Print Preview window"));
    addButton(GridBut, "GridBut", QStringLiteral("Grid"), QStringLiteral("Turns Grid On/Off"));
    GridBut->setCheckable(true);
    addTool(ZoomCursorBut, "ZoomCursorBut", ZoomCursor,
        QStringLiteral("Selects the Zoom Tool to zoom in or out"));
    addTool(HandCursorBut, "HandCursorBut", HandCursor,
        QStringLiteral("Selects the Hand Tool to pan across the Page"));
    auto* tools = new QButtonGroup(this);
    tools->addButton(ZoomCursorBut);
    tools->addButton(HandCursorBut);
    ZoomCursorBut->setChecked(true);
    addButton(OnePageBut, "OnePageBut", QStringLiteral("&1"),
        QStringLiteral("Display One page at a time"));
    addButton(TwoPageBut, "TwoPageBut", QStringLiteral("&2"),
        QStringLiteral("Display Two pages side by side"));
    OnePageBut->setCheckable(true);
    TwoPageBut->setCheckable(true);
    auto* modes = new QButtonGroup(this);
    modes->addButton(OnePageBut);
    modes->addButton(TwoPageBut);
    OnePageBut->setChecked(true);
    addButton(AboutBut, "AboutBut", QStringLiteral("&About"),
        QStringLiteral("Displays information on the Print Preview Component"));
    row->addStretch(1);

    PrevPageBut->setEnabled(false);
    connect(PrintBut, &QPushButton::clicked, this, &TPreviewForm::PrintClick);
    connect(PrevPageBut, &QPushButton::clicked, this, &TPreviewForm::PrevPageClick);
    connect(NextPageBut, &QPushButton::clicked, this, &TPreviewForm::NextPageClick);
    connect(ZoomInBut, &QPushButton::clicked, this, &TPreviewForm::ZoomInClick);
    connect(ZoomOutBut, &QPushButton::clicked, this, &TPreviewForm::ZoomOutClick);
    connect(CloseBut, &QPushButton::clicked, this, &QDialog::reject);
    connect(GridBut, &QPushButton::toggled, this, &TPreviewForm::RepaintViews);
    connect(ZoomCursorBut, &QToolButton::toggled, this, &TPreviewForm::SelectTool);
    connect(OnePageBut, &QPushButton::clicked, this, &TPreviewForm::OnePageClick);
    connect(TwoPageBut, &QPushButton::clicked, this, &TPreviewForm::TwoPageClick);
    connect(AboutBut, &QPushButton::clicked, this, &TPreviewForm::AboutClick);
}

void TPreviewForm::BuildStatusBar(QWidget* bar)
{
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(2);
    const auto addSpeed = [&](QToolButton*& button, const char* name, QStyle::StandardPixmap glyph,
                              const QString& hint, const QKeySequence& key) {
        button = new QToolButton(bar);
        button->setObjectName(QString::fromLatin1(name));
        button->setIcon(style()->standardIcon(glyph));
        button->setAutoRaise(true);
        button->setShortcut(key);
        Describe(button, hint, hint);
        row->addWidget(button);
    };
    addSpeed(FirstPageSpeed, "FirstPageSpeed", QStyle::SP_MediaSkipBackward,
        QStringLiteral("Go to First Page in Document"), QKeySequence(Qt::Key_Home));
    addSpeed(PrevPageSpeed, "PrevPageSpeed", QStyle::SP_MediaSeekBackward,
        QStringLiteral("Move to Previous Page in Document"), QKeySequence(Qt::Key_PageUp));
    addSpeed(NextPageSpeed, "NextPageSpeed", QStyle::SP_MediaSeekForward,
        QStringLiteral("Advance to Next Page in Document"), QKeySequence(Qt::Key_PageDown));
    addSpeed(LastPageSpeed, "LastPageSpeed", QStyle::SP_MediaSkipForward,
        QStringLiteral("Go to Last Page in Document"), QKeySequence(Qt::Key_End));
    addSpeed(PageNumSpeed, "PageNumSpeed", QStyle::SP_FileDialogDetailedView,
        QStringLiteral("Go to Page by Page Number"), QKeySequence(Qt::CTRL | Qt::Key_G));

    const auto addField = [&](QLabel*& label, const char* name, const QString& hint) {
        label = new QLabel(bar);
        label->setObjectName(QString::fromLatin1(name));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setStatusTip(hint);
        label->setToolTip(hint);
        row->addWidget(label);
    };
    addField(
        CurPageLabel, "CurPageLabel", QStringLiteral("Displays the Current Page of the Document"));
    addField(
        ZoomLabel, "ZoomLabel", QStringLiteral("Displays the Current Zoom Level (100% = normal)"));
    CurPageLabel->setFixedWidth(StatusFieldWidth);
    ZoomLabel->setFixedWidth(StatusFieldWidth);
    addField(
        HintLabel, "HintLabel", QStringLiteral("Displays Help for the object beneath the mouse"));
    row->setStretchFactor(HintLabel, 1);

    PrevPageSpeed->setEnabled(false);
    FirstPageSpeed->setEnabled(false);
    connect(FirstPageSpeed, &QToolButton::clicked, this, &TPreviewForm::FirstPageClick);
    connect(PrevPageSpeed, &QToolButton::clicked, this, &TPreviewForm::PrevPageClick);
    connect(NextPageSpeed, &QToolButton::clicked, this, &TPreviewForm::NextPageClick);
    connect(LastPageSpeed, &QToolButton::clicked, this, &TPreviewForm::LastPageClick);
    connect(PageNumSpeed, &QToolButton::clicked, this, &TPreviewForm::PageNumClick);
}

void TPreviewForm::SetFieldText(QLabel* field, const QString& text)
{
    // QLabel tells a screen reader of a changed text itself, and of an unchanged one not.
    field->setText(text);
    // A font wider than the one the width was chosen for widens the field rather than cut
    // off the end of its text.
    field->setFixedWidth(std::max(StatusFieldWidth, field->sizeHint().width()));
}

void TPreviewForm::BuildPageArea()
{
    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setBackgroundRole(QPalette::Button);
    ScrollBox1->setWidgetResizable(false);
    ScrollBox1->installEventFilter(this);

    // A child paints its background in its parent's role unless it names its own, so the
    // container and the pages name theirs: the button shadow around the pages, white on them.
    ContainPanel = new QWidget;
    ContainPanel->setObjectName(QStringLiteral("ContainPanel"));
    ContainPanel->setAutoFillBackground(true);
    ContainPanel->setBackgroundRole(QPalette::Dark);

    const auto addPage
        = [&](QFrame*& panel, QWidget*& view, const char* panelName, const char* viewName) {
              panel = new QFrame(ContainPanel);
              panel->setObjectName(QString::fromLatin1(panelName));
              panel->setFrameStyle(QFrame::Box | QFrame::Plain);
              panel->setLineWidth(1);
              panel->setAutoFillBackground(true);
              panel->setBackgroundRole(QPalette::Window);
              QPalette white = panel->palette();
              white.setColor(QPalette::Window, Qt::white);
              white.setColor(QPalette::WindowText, Qt::black);
              panel->setPalette(white);
              auto* fill = new QVBoxLayout(panel);
              fill->setContentsMargins(0, 0, 0, 0);
              view = new QWidget(panel);
              view->setObjectName(QString::fromLatin1(viewName));
              view->setStatusTip(PageViewHint);
              view->setAccessibleName(QStringLiteral("Page View"));
              view->installEventFilter(this);
              fill->addWidget(view);
          };
    addPage(PagePanel, PB1, "PagePanel", "PB1");
    addPage(PagePanel2, PB2, "PagePanel2", "PB2");
    PagePanel2->hide();
    ScrollBox1->setWidget(ContainPanel);
}

} // namespace wendle

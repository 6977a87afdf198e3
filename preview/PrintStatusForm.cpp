#include "preview/PrintStatusForm.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QWindow>

namespace wendle {

namespace {

    QLabel* AddCaption(QWidget* parent, const QString& text, const QRect& geometry)
    {
        auto* caption = new QLabel(text, parent);
        caption->setGeometry(geometry);
        caption->setAlignment(Qt::AlignRight | Qt::AlignTop);
        return caption;
    }

} // namespace

TPrintStatusForm::TPrintStatusForm(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Print Status"));
    setFixedSize(278, 118);
    setModal(false);

    QFont textFont(QStringLiteral("MS Sans Serif"));
    textFont.setStyleHint(QFont::SansSerif);
    textFont.setPixelSize(11);
    textFont.setBold(true);
    setFont(textFont);

    auto* bevel = new QFrame(this);
    bevel->setFrameShape(QFrame::Box);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(8, 8, 265, 65);

    QLabel* jobCaption = AddCaption(this, QStringLiteral("Print Job:"), QRect(11, 16, 60, 13));
    TitleLabel = new QLabel(this);
    TitleLabel->setObjectName(QStringLiteral("TitleLabel"));
    TitleLabel->setGeometry(80, 16, 177, 25);
    TitleLabel->setWordWrap(true);
    TitleLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    jobCaption->setBuddy(TitleLabel);

    QLabel* pageCaption = AddCaption(this, QStringLiteral("Page:"), QRect(11, 48, 60, 13));
    PageNumLabel = new QLabel(this);
    PageNumLabel->setObjectName(QStringLiteral("PageNumLabel"));
    PageNumLabel->setGeometry(80, 48, 177, 13);
    pageCaption->setBuddy(PageNumLabel);

    CancelBtn = new QPushButton(
        style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setGeometry(100, 84, 77, 27);
    CancelBtn->setFont(QFont(QStringLiteral("Arial")));
    CancelBtn->setDefault(true);
    CancelBtn->setFocus();
    connect(CancelBtn, &QPushButton::clicked, this, &TPrintStatusForm::CancelBtnClick);
}

void TPrintStatusForm::SetJobText(const QString& text) { SetLine(TitleLabel, text); }

void TPrintStatusForm::SetPageNumber(std::int32_t page)
{
    SetLine(PageNumLabel, QString::number(page));
}

void TPrintStatusForm::reject() { CancelBtn->click(); }

void TPrintStatusForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Not yet on the screen: the lines are painted with the dialog when it gets there.
    PageNumLabel->setText(QStringLiteral("Initializing..."));
    TitleLabel->setText(QStringLiteral("(No Title)"));
    CancelBtn->setFocus();
}

void TPrintStatusForm::CancelBtnClick()
{
    FCancelled = true;
    SetLine(TitleLabel, QStringLiteral("Cancelling..."));
}

void TPrintStatusForm::SetLine(QLabel* label, const QString& text)
{
    // The line has no accessible name of its own, so its text is what a screen reader reads
    // and QLabel announces each change of it as a change of that name.
    label->setText(text);
    if (!isVisible())
        return;
    // The window system gets its turn only once per page, and a window it has not yet put
    // on the screen shows nothing painted into it: so the dialog waits, a little at most,
    // until it is there, and the line is painted now.
    AwaitExposure();
    label->repaint();
}

void TPrintStatusForm::AwaitExposure()
{
    QWindow* window = windowHandle();
    if (window == nullptr || window->isExposed())
        return;
    // The timer wakes the wait should the window system never answer; the user's input
    // waits for the driver's own turn, where Cancel is looked at.
    const QDeadlineTimer deadline(ExposureWait);
    QTimer wake;
    wake.start(ExposureWait / 10);
    while (!window->isExposed() && !deadline.hasExpired())
        QCoreApplication::processEvents(
            QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
}

} // namespace wendle

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
    FTitleLabel = new QLabel(this);
    FTitleLabel->setObjectName(QStringLiteral("TitleLabel"));
    FTitleLabel->setGeometry(80, 16, 177, 25);
    FTitleLabel->setWordWrap(true);
    FTitleLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    jobCaption->setBuddy(FTitleLabel);

    QLabel* pageCaption = AddCaption(this, QStringLiteral("Page:"), QRect(11, 48, 60, 13));
    FPageNumLabel = new QLabel(this);
    FPageNumLabel->setObjectName(QStringLiteral("PageNumLabel"));
    FPageNumLabel->setGeometry(80, 48, 177, 13);
    pageCaption->setBuddy(FPageNumLabel);

    FCancelBtn = new QPushButton(
        style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("Cancel"), this);
    FCancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    FCancelBtn->setGeometry(100, 84, 77, 27);
    FCancelBtn->setFont(QFont(QStringLiteral("Arial")));
    FCancelBtn->setDefault(true);
    FCancelBtn->setFocus();
    connect(FCancelBtn, &QPushButton::clicked, this, &TPrintStatusForm::CancelBtnClick);
}

void TPrintStatusForm::SetJobText(const QString& text) { SetLine(FTitleLabel, text); }

void TPrintStatusForm::SetPageNumber(std::int32_t page)
{
    SetLine(FPageNumLabel, QString::number(page));
}

void TPrintStatusForm::reject() { FCancelBtn->click(); }

void TPrintStatusForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Not yet on the screen: the lines are painted with the dialog when it gets there.
    FPageNumLabel->setText(QStringLiteral("Initializing..."));
    FTitleLabel->setText(QStringLiteral("(No Title)"));
    FCancelBtn->setFocus();
}

void TPrintStatusForm::CancelBtnClick()
{
    FCancelled = true;
    SetLine(FTitleLabel, QStringLiteral("Cancelling..."));
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

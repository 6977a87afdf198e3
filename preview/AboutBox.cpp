#include "preview/AboutBox.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace wendle {

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About Print Preview"));
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    auto* bevel = new QFrame(this);
    bevel->setFrameShape(QFrame::Box);
    bevel->setFrameShadow(QFrame::Sunken);
    auto* bevelLayout = new QVBoxLayout(bevel);

    auto* name = new QLabel(QStringLiteral("Print Preview Component"), bevel);
    name->setObjectName(QStringLiteral("ProductName"));
    QFont nameFont(QStringLiteral("Times New Roman"));
    nameFont.setStyleHint(QFont::Serif);
    nameFont.setPointSize(20);
    nameFont.setBold(true);
    name->setFont(nameFont);
    name->setAlignment(Qt::AlignCenter);
    bevelLayout->addWidget(name);

    auto* version = new QLabel(QStringLiteral("Version 1.05, March 27, 1998"), bevel);
    version->setObjectName(QStringLiteral("Version"));
    version->setAlignment(Qt::AlignCenter);
    bevelLayout->addWidget(version);
    layout->addWidget(bevel);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignHCenter);

    // A fixed box: the layout's natural size, not resizable by the user.
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TAboutBox::showEvent(QShowEvent* event)
{
    // Centred on the screen rather than on the preview window.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    QDialog::showEvent(event);
}

} // namespace wendle

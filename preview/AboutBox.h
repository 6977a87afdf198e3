#pragma once

#include <QDialog>

namespace wendle {

/// The preview component's about box: its name and version, and an OK button. Fixed in size
/// and centred on the screen.
class TAboutBox : public QDialog {
    Q_OBJECT

public:
    explicit TAboutBox(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace wendle

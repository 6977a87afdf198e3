#pragma once

#include <QDialog>

#include <cstdint>

class QLabel;
class QPushButton;

namespace wendle {

/// The small modeless window shown while a job goes to the printer: it names the job, says
/// what is being done or which page prints, and carries the Cancel button. It never closes
/// itself; Cancel, Escape and the close box only raise the flag that the driver reads
/// before each page.
class TPrintStatusForm : public QDialog {
    Q_OBJECT

public:
    explicit TPrintStatusForm(QWidget* parent = nullptr);

    /// The job line; repainted at once.
    void SetJobText(const QString& text);
    /// The page line, as the page number in decimal; repainted at once.
    void SetPageNumber(std::int32_t page);
    bool Cancelled() const { return FCancelled; }

    // The controls, named as in the dialog's design; owned through Qt's parent (this dialog).
    QLabel* TitleLabel { nullptr };
    QLabel* PageNumLabel { nullptr };
    QPushButton* CancelBtn { nullptr };

public slots:
    /// Escape and the close box come here: they press Cancel instead of closing.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CancelBtnClick();
    void SetLine(QLabel* label, const QString& text);
    // Lets the window system put the shown dialog on the screen, if it has not yet.
    void AwaitExposure();

    // How long, in milliseconds, a line waits at most for the dialog to appear.
    static constexpr int ExposureWait = 2000;

    bool FCancelled { false };
};

} // namespace wendle

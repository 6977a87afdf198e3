#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QShowEvent;
class QResizeEvent;

namespace wendle {

/// The help window: a small, resizable tool window with a list of seven built-in topics and a
/// read-only text area showing the chosen topic. It is created hidden and lives as long as the
/// program; closing it only hides it, so the topic last chosen is shown again next time.
class TWendleHelpForm : public QWidget {
    Q_OBJECT

public:
    explicit TWendleHelpForm(QWidget* parent = nullptr);

    /// Shows the window and brings it to the front, keeping the topic it shows.
    void ShowHelp();

    // The controls, named as in the window's design.
    QLabel* Label19 { nullptr };
    QComboBox* HelpSelector { nullptr };
    QPlainTextEdit* HelpMemo { nullptr };
    QLabel* Label1 { nullptr };

public slots:
    /// Fills the text area with the topic the list shows and scrolls to its top.
    void HelpSelectorChange();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void PlaceControls();

    int MemoBottomGap { 0 };
    bool CentredOnce { false };
};

} // namespace wendle

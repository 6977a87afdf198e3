#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

namespace wendle {

/// A captioned group of radio buttons laid out in columns, read by the index of the
/// chosen item. OnClick fires when the user picks an item, not when the program sets one.
class TRadioGroup : public QGroupBox {
    Q_OBJECT

public:
    TRadioGroup(
        const QString& caption, const QStringList& items, int columns, QWidget* parent = nullptr);

    int ItemIndex() const;
    /// Checks item \a index without firing OnClick.
    void SetItemIndex(int index);
    /// Caption of the chosen item; empty when none is chosen.
    QString SelectedCaption() const;
    QRadioButton* Item(int index) const;
    int Count() const;

signals:
    void OnClick();

private:
    QButtonGroup* Buttons { nullptr };
};

} // namespace wendle

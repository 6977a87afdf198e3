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
    /// The chosen item as the choice it stands for: the items are listed in the order of
    /// the choice's values.
    template <typename Choice> Choice Chosen() const { return static_cast<Choice>(ItemIndex()); }
    /// Checks item \a index without firing OnClick.
    void SetItemIndex(int index);
    QRadioButton* Item(int index) const;
    int Count() const;

signals:
    void OnClick();

private:
    QButtonGroup* Buttons { nullptr };
};

} // namespace wendle

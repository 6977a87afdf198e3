#include "app/RadioGroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

namespace wendle {

TRadioGroup::TRadioGroup(
    const QString& caption, const QStringList& items, int columns, QWidget* parent)
    : QGroupBox(caption, parent)
    , Buttons(new QButtonGroup(this))
{
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(6, caption.isEmpty() ? 2 : 4, 6, 2);
    layout->setVerticalSpacing(0);
    columns = std::max(columns, 1);
    // Items run down the first column, then the next, as in a classic radio group.
    const int rows = (static_cast<int>(items.size()) + columns - 1) / columns;
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        Buttons->addButton(button, i);
        layout->addWidget(button, i % rows, i / rows);
    }
    connect(Buttons, &QButtonGroup::idClicked, this, [this](int) { emit OnClick(); });
}

int TRadioGroup::ItemIndex() const { return Buttons->checkedId(); }

void TRadioGroup::SetItemIndex(int index)
{
    if (QAbstractButton* button = Buttons->button(index))
        button->setChecked(true);
}

QRadioButton* TRadioGroup::Item(int index) const
{
    return qobject_cast<QRadioButton*>(Buttons->button(index));
}

int TRadioGroup::Count() const { return static_cast<int>(Buttons->buttons().size()); }

} // namespace wendle

#include "toolkit/combobox.h"

#include <QLineEdit>

ComboBox::ComboBox(QWidget* parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    connect(this, &QComboBox::activated, this, [this](int index) {
        // A pick of the entry already current still puts its text back over what was typed.
        setEditText(itemText(index));
        emit Click();
    });
}

void ComboBox::AddItem(const QString& entry)
{
    const QString shown = currentText();
    const bool nothingPicked = ListIndex() == -1;
    addItem(entry);
    // Qt picks the first entry added to an empty list.
    if (nothingPicked) {
        setCurrentIndex(-1);
        setEditText(shown);
    }
}

int ComboBox::ListIndex() const
{
    const int index = currentIndex();
    return index >= 0 && currentText() == itemText(index) ? index : -1;
}

bool ComboBox::SetListIndex(int index)
{
    if (index < -1 || index >= count())
        return false;
    if (index == ListIndex())
        return true;
    setCurrentIndex(index);
    setEditText(index >= 0 ? itemText(index) : QString());
    emit Click();
    return true;
}

#include "toolkit/optionbutton.h"

OptionButton::OptionButton(const QString& caption, QWidget* parent) : QRadioButton(caption, parent)
{
    connect(this, &QRadioButton::toggled, this, [this](bool selected) {
        if (selected)
            emit Click();
    });
}

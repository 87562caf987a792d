#include "app/form1.h"
#include "toolkit/combobox.h"
#include "toolkit/optionbutton.h"
#include "toolkit/textbox.h"
#include "toolkit/updown.h"

#include <QLabel>

// Switching the mode also puts the size its controls show in force, so that a drop always cuts the size the
// enabled controls show.
void Form1::Option1_Click()
{
    if (!Option1->Value())
        return;
    enableSizeControls(false);
    setTargetFromPreset();
}

void Form1::Option2_Click()
{
    if (!Option2->Value())
        return;
    enableSizeControls(true);
    // A field emptied by the user shows no size, so the target stays as it was.
    if (!Text2->text().isEmpty() && !Text3->text().isEmpty()) {
        TargetWidth = LastGoodWidth;
        TargetHeight = LastGoodHeight;
    }
}

void Form1::enableSizeControls(bool customSize)
{
    Combo1->setEnabled(!customSize);
    for (QWidget* control :
         std::initializer_list<QWidget*>{Text2, Text3, UpDown1, UpDown2, Label3, Label4, Label5})
        control->setEnabled(customSize);
}

void Form1::Combo1_Click()
{
    if (Option1->Value())
        setTargetFromPreset();
}

// Nothing picked (text typed into the list) leaves the target as it was.
void Form1::setTargetFromPreset()
{
    switch (Combo1->ListIndex()) {
    case 0:
        TargetWidth = 240;
        TargetHeight = 320;
        break;
    case 1:
        TargetWidth = 240;
        TargetHeight = 400;
        break;
    default:
        break;
    }
}

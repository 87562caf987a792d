#include "app/form1.h"
#include "toolkit/combobox.h"
#include "toolkit/optionbutton.h"
#include "toolkit/textbox.h"
#include "toolkit/updown.h"

#include <QLabel>

void Form1::Option1_Click()
{
    if (Option1->Value())
        enableSizeControls(false);
}

void Form1::Option2_Click()
{
    if (Option2->Value())
        enableSizeControls(true);
}

// The mode only switches which controls can be used; the target size stays until a pick or an entry.
void Form1::enableSizeControls(bool customSize)
{
    Combo1->setEnabled(!customSize);
    for (QWidget* control :
         std::initializer_list<QWidget*>{Text2, Text3, UpDown1, UpDown2, Label3, Label4, Label5})
        control->setEnabled(customSize);
}

void Form1::Combo1_Click()
{
    if (!Option1->Value())
        return;
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

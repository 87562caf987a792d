#include "toolkit/virtualkey.h"

#include <Qt>

int VirtualKeyCode(int qtKey)
{
    // Letters and digits share their ASCII codes with the virtual keys.
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return qtKey;
    switch (qtKey) {
    case Qt::Key_Backspace:
        return VirtualKey::Back;
    case Qt::Key_Tab:
        return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Left:
        return VirtualKey::Left;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return VirtualKey::Right;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return VirtualKey::Delete;
    default:
        return 0;
    }
}

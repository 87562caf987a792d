#include "toolkit/textbox.h"

#include "toolkit/virtualkey.h"

#include <QKeyEvent>
#include <algorithm>
#include <limits>

TextBox::TextBox(QWidget* parent) : QLineEdit(parent)
{
    // The fields have no length limit of their own; the handlers judge what is too long.
    setMaxLength(std::numeric_limits<int>::max());
    connect(this, &QLineEdit::textChanged, this, &TextBox::Change);
}

int TextBox::SelStart() const
{
    return hasSelectedText() ? selectionStart() : cursorPosition();
}

int TextBox::SelLength() const
{
    return selectionLength();
}

void TextBox::SetSelStart(int start)
{
    setCursorPosition(std::clamp(start, 0, int(text().size())));
}

void TextBox::SetSelLength(int length)
{
    const int start = SelStart();
    setSelection(start, std::clamp(length, 0, int(text().size()) - start));
}

void TextBox::keyReleaseEvent(QKeyEvent* event)
{
    QLineEdit::keyReleaseEvent(event);
    if (!event->isAutoRepeat())
        emit KeyUp(VirtualKeyCode(event->key()));
}

void TextBox::mouseReleaseEvent(QMouseEvent* event)
{
    QLineEdit::mouseReleaseEvent(event);
    emit MouseUp();
}

void TextBox::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    emit GotFocus();
}

void TextBox::focusOutEvent(QFocusEvent* event)
{
    const int start = SelStart();
    const int length = SelLength();
    QLineEdit::focusOutEvent(event);
    if (length > 0)
        setSelection(start, length);
}

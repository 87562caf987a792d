#pragma once

#include <QLineEdit>

// A single-line text box whose events follow the window's rules: Change after every change of its text,
// the program's own writes included (a write of the text it already holds raises nothing), KeyUp with the
// Windows virtual-key code, MouseUp and GotFocus. Like a Windows edit control it keeps its selection while
// another control has the focus.
class TextBox : public QLineEdit
{
    Q_OBJECT

  public:
    explicit TextBox(QWidget* parent = nullptr);

    // The caret or the selection's start, and the selection's length; writes are clamped to the text.
    int SelStart() const;
    int SelLength() const;
    void SetSelStart(int start);
    void SetSelLength(int length);

  signals:
    void Change();
    void KeyUp(int virtualKey);
    void MouseUp();
    void GotFocus();

  protected:
    void keyReleaseEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

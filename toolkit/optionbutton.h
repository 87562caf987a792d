#pragma once

#include <QRadioButton>

// An option button of a group: Click when it is clicked or selected from code; selecting one button of the
// group clears the others (Qt's auto-exclusive radio buttons under one parent).
class OptionButton : public QRadioButton
{
    Q_OBJECT

  public:
    explicit OptionButton(const QString& caption, QWidget* parent = nullptr);

    bool Value() const { return isChecked(); }
    void SetValue(bool selected) { setChecked(selected); }

  signals:
    void Click();
};

#pragma once

#include <QComboBox>

// A drop-down list with an editable text part. Typing there is not a pick: it raises no Click and never adds
// an entry. Click follows a pick by the user and a change of ListIndex by the program.
class ComboBox : public QComboBox
{
    Q_OBJECT

  public:
    explicit ComboBox(QWidget* parent = nullptr);

    // Adds an entry at the end; nothing gets picked by it.
    void AddItem(const QString& entry);
    // The picked entry, or -1 while the text part shows something that is not the picked entry.
    int ListIndex() const;
    // False (and nothing changes) for an index that names no entry and is not -1.
    bool SetListIndex(int index);

  signals:
    void Click();
};

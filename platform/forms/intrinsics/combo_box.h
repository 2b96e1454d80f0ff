#pragma once
// ComboBox: a list with a text. Style 0 (dropdown combo) lets the user type the text,
// Style 2 (dropdown list) only choose from the list. ListIndex is -1 while no item is chosen;
// every set of ListIndex raises Click, even to the index it already has, as does every
// choice the user makes in the list; typing raises Change. A ListIndex outside -1..ListCount-1
// and an item index out of range are error 380.

#include "platform/forms/intrinsics/intrinsic_control.h"

class QComboBox;

namespace forms {

class ComboBox : public IntrinsicControl {
    Q_OBJECT
    Q_PROPERTY(int Style READ Style)
    Q_PROPERTY(int ListIndex READ ListIndex WRITE setListIndex STORED false)
    Q_PROPERTY(int ListCount READ ListCount)
    Q_PROPERTY(QString Text READ Text WRITE setText)

public:
    enum { DropdownCombo = 0, DropdownList = 2 };

    ComboBox(QWidget* container, const QString& name, int style = DropdownCombo);

    int Style() const { return style_; }
    Q_INVOKABLE void AddItem(const QString& item, int index = -1);
    Q_INVOKABLE void RemoveItem(int index);
    Q_INVOKABLE void Clear();
    Q_INVOKABLE QString List(int index) const;
    Q_INVOKABLE int ItemData(int index) const;
    Q_INVOKABLE void setItemData(int index, int data);
    int ListCount() const;
    int ListIndex() const;
    void setListIndex(int index);
    QString Text() const;
    // Style 0: the edit text. Style 2: chooses the item with that text (error 383 when none).
    void setText(const QString& text);

signals:
    void Change();

protected:
    void appearance_changed() override;
    void retype(short key_ascii) override;

private:
    void check_item(int index) const;

    int style_;
    QComboBox* combo_;
};

} // namespace forms

#include "platform/forms/intrinsics/combo_box.h"

#include "platform/forms/core/vb_error.h"

#include <QComboBox>
#include <QLineEdit>
#include <QVBoxLayout>

namespace forms {

ComboBox::ComboBox(QWidget* container, const QString& name, int style)
    : IntrinsicControl(container, name, QAccessible::ComboBox),
      style_(style == DropdownList ? DropdownList : DropdownCombo), combo_(new QComboBox(this))
{
    setBackColor(syscolor::WindowBackground);
    setForeColor(syscolor::WindowText);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(combo_);
    combo_->setEditable(style_ == DropdownCombo);
    combo_->setInsertPolicy(QComboBox::NoInsert);
    connect(combo_, &QComboBox::activated, this, [this] { emit Click(); });
    // The combo hands typed keys to its edit field itself, so its own input is the control's.
    if (combo_->lineEdit() != nullptr)
        connect(combo_->lineEdit(), &QLineEdit::textEdited, this, [this] { emit Change(); });
    forward_input_of(combo_);
}

void ComboBox::check_item(int index) const
{
    if (index < 0 || index >= combo_->count())
        forms::raise(vberr::InvalidPropertyValue, QStringLiteral("ComboBox"));
}

void ComboBox::AddItem(const QString& item, int index)
{
    if (index < -1 || index > combo_->count())
        forms::raise(vberr::InvalidPropertyValue, QStringLiteral("ComboBox"));
    const QString text = style_ == DropdownCombo ? combo_->currentText() : QString();
    const bool had_choice = combo_->currentIndex() >= 0;
    combo_->insertItem(index == -1 ? combo_->count() : index, item);
    // Qt chooses the first item added to an empty list; the runtime leaves the choice alone.
    if (!had_choice) {
        combo_->setCurrentIndex(-1);
        if (style_ == DropdownCombo)
            combo_->setEditText(text);
    }
}

void ComboBox::RemoveItem(int index)
{
    check_item(index);
    combo_->removeItem(index);
}

void ComboBox::Clear() { combo_->clear(); }

QString ComboBox::List(int index) const
{
    check_item(index);
    return combo_->itemText(index);
}

int ComboBox::ItemData(int index) const
{
    check_item(index);
    return combo_->itemData(index).toInt();
}

void ComboBox::setItemData(int index, int data)
{
    check_item(index);
    combo_->setItemData(index, data);
}

int ComboBox::ListCount() const { return combo_->count(); }
int ComboBox::ListIndex() const { return combo_->currentIndex(); }

void ComboBox::setListIndex(int index)
{
    if (index != -1)
        check_item(index);
    combo_->setCurrentIndex(index);
    emit Click();
}

QString ComboBox::Text() const { return combo_->currentText(); }

void ComboBox::setText(const QString& text)
{
    if (style_ == DropdownCombo) {
        combo_->setEditText(text);
        emit Change();
        return;
    }
    const int index = combo_->findText(text, Qt::MatchFixedString);
    if (index < 0)
        forms::raise(vberr::SetNotSupportedReadOnly, QStringLiteral("ComboBox"));
    setListIndex(index);
}

void ComboBox::appearance_changed()
{
    QPalette colours = combo_->palette();
    colours.setColor(QPalette::Base, back_qcolor());
    colours.setColor(QPalette::Text, fore_qcolor());
    combo_->setPalette(colours);
    combo_->setFont(QWidget::font());
}

void ComboBox::retype(short key_ascii)
{
    if (combo_->lineEdit() != nullptr && key_ascii >= 32)
        combo_->lineEdit()->insert(QString(QChar(key_ascii)));
}

} // namespace forms

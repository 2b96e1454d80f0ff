#pragma once
// What the wizard's two list pages use of the wizard form around them: the navigator's Next
// button and focus, the input dialog, the form's caption for message titles, and the owner
// window of the dialog. The form fills it in; tests give their own.

#include <QString>

#include <functional>

class QWidget;

namespace forms {
class ControlSite;
class Form;
class ImageList;
class IntrinsicControl;
class ListView;
} // namespace forms

namespace program {

class FrmAddDomain;

struct ListPageServices {
    std::function<void(bool)> setNextEnabled; // the navigator's RightMiddleButtonEnabled
    std::function<void()> focusNavigator;     // onto its default button
    FrmAddDomain* addDialog = nullptr;
    std::function<QString()> formCaption;
    QWidget* owner = nullptr;
};

// Asks for a new name and adds it, ticked, selected and in view, unless the user cancels or
// the list holds it already (string 116, titled with the form's caption); then Next is
// enabled. Errors are shown in a message box.
void AddListItem(const ListPageServices& services, forms::ListView& lst, bool bExchange);
// Asks for the item's new name (its text shown selected) and takes it unless another item
// holds it already (string 116). Next stays as it is.
void EditListItem(const ListPageServices& services, forms::ListView& lst, int item, bool bExchange);
// The form's control `name` (member `index` of a control array); raises 424 naming it when
// the form has no such control or it is of another kind.
forms::IntrinsicControl& FormControl(forms::Form& form, const QString& name, const QMetaObject& kind, int index = -1);
template <class Control>
Control& FormControl(forms::Form& form, const char* name, int index = -1)
{
    return static_cast<Control&>(FormControl(form, QString::fromLatin1(name), Control::staticMetaObject, index));
}
// Readies a page's list: one column, small images from `images`, the column fitted.
void BindNameList(forms::ListView& lst, const forms::ImageList& images);
// The list's one column fills the list but for 350 twips, never below 0.
void FitListColumn(forms::ListView& lst);

} // namespace program

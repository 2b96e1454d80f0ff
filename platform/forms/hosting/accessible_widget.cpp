#include "platform/forms/hosting/accessible_widget.h"

#include "platform/forms/intrinsics/intrinsic_control.h"

namespace forms {

QList<QAccessibleInterface*> AccessibleWidget::shown_children() const
{
    QList<QAccessibleInterface*> shown;
    const int all = QAccessibleWidget::childCount();
    for (int i = 0; i < all; ++i) {
        QAccessibleInterface* c = QAccessibleWidget::child(i);
        const auto* control = c ? qobject_cast<const IntrinsicControl*>(c->object()) : nullptr;
        if (c && !(control && control->accessible_hidden()))
            shown << c;
    }
    return shown;
}

int AccessibleWidget::childCount() const { return static_cast<int>(shown_children().size()); }

QAccessibleInterface* AccessibleWidget::child(int index) const
{
    const QList<QAccessibleInterface*> shown = shown_children();
    return index >= 0 && index < shown.size() ? shown[index] : nullptr;
}

int AccessibleWidget::indexOfChild(const QAccessibleInterface* child) const
{
    return static_cast<int>(shown_children().indexOf(const_cast<QAccessibleInterface*>(child)));
}

} // namespace forms

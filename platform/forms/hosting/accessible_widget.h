#pragma once
// The node assistive tools read for a control: Qt's widget node whose children leave out the
// controls that show nothing a person could name (IntrinsicControl::accessible_hidden: an
// empty picture, a separator frame), so a screen reader never stops at an unnamed node.

#include <QAccessibleWidget>

namespace forms {

class AccessibleWidget : public QAccessibleWidget {
public:
    AccessibleWidget(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;

private:
    QList<QAccessibleInterface*> shown_children() const;
};

} // namespace forms

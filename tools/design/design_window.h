#pragma once
// The design program's window: the open form's controls in a list (the controls, then the
// intrinsic controls the form placed, then the form itself); the chosen one's property list (each design-time property a person can set, as "Name: value"), with a box
// that sets the chosen property; "Property Pages..." opens the chosen control's property sheet
// (also a double click on the control); "Save" writes the form file. The form itself shows in
// its own window in design mode beside it. Closing the window with unsaved changes asks
// whether to save them first.

#include "tools/design/design_session.h"

#include <QPointer>
#include <QWidget>

#include <vector>

namespace forms {
class CommandButton;
class Label;
class ListView;
class TextBox;
} // namespace forms

class DesignWindow : public QWidget {
    Q_OBJECT
public:
    explicit DesignWindow(QWidget* parent = nullptr);

    // Each shows an error in the runtime's box and returns false.
    bool open(const QString& path);
    bool save();
    // Opens the chosen control's sheet (modal when `modal`), false when none is chosen.
    bool show_properties(const QString& control_name, bool modal = true);

    DesignSession& session() { return session_; }
    forms::ListView& control_list() const { return *controls_; }
    forms::ListView& property_list() const { return *properties_; }
    forms::TextBox& value_box() const { return *value_; }
    forms::CommandButton& set_button() const { return *set_; }
    forms::CommandButton& pages_button() const { return *pages_; }
    forms::CommandButton& save_button() const { return *save_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void refresh();
    // The chosen object of the list; the name of the chosen control, empty when the chosen
    // object has no property sheet (an intrinsic control, the form).
    QObject* chosen_object() const;
    QString chosen_control() const;
    QString chosen_property() const;
    void show_property_list();
    void show_chosen_value();
    bool set_chosen_property();

    DesignSession session_;
    // The objects behind the rows of the control list, in row order.
    std::vector<QPointer<QObject>> objects_;
    forms::ListView* controls_;
    forms::ListView* properties_;
    forms::Label* value_label_;
    forms::TextBox* value_;
    forms::CommandButton* set_;
    forms::CommandButton* pages_;
    forms::CommandButton* save_;
};

#pragma once
// The design program's window: the open form's controls in a list, "Properties..." opens the
// chosen control's property sheet (also a double click), "Save" writes the form file. The form
// itself shows in its own window in design mode beside it.

#include "tools/design/design_session.h"

#include <QWidget>

class QListWidget;
class QPushButton;

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
    QListWidget& control_list() const { return *controls_; }

private:
    void refresh();

    DesignSession session_;
    QListWidget* controls_;
    QPushButton* properties_;
    QPushButton* save_;
};

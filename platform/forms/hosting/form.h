#pragma once
// A form: the host of controls. It sites each control, calls its life-cycle hooks in the
// runtime's order, holds the ambient properties (UserMode, Font, BackColor, ForeColor), docks
// aligned controls, routes Enter and Esc to the Default and Cancel controls, and loads and
// saves itself as a form file. Design mode is UserMode False; run mode UserMode True.

#include "platform/forms/core/form_file.h"
#include "platform/forms/core/ole_color.h"
#include "platform/forms/core/std_font.h"

#include <QHash>
#include <QPointer>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <QVariantList>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

namespace forms {

class ControlSite;
class IntrinsicControl;
class Label;
class UserControl;

class Form : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE setName)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(double Width READ Width WRITE setWidth)
    Q_PROPERTY(double Height READ Height WRITE setHeight)
    Q_PROPERTY(double ScaleWidth READ ScaleWidth)
    Q_PROPERTY(double ScaleHeight READ ScaleHeight)
    Q_PROPERTY(int WindowState READ WindowState WRITE setWindowState)
    Q_PROPERTY(int BorderStyle READ BorderStyle WRITE setBorderStyle)
    Q_PROPERTY(bool ControlBox READ ControlBox WRITE setControlBox)
    Q_PROPERTY(int StartUpPosition READ StartUpPosition WRITE setStartUpPosition)
    Q_PROPERTY(uint BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(uint ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(forms::FontRef Font READ Font WRITE setFont)
    Q_PROPERTY(QVariantList Controls READ Controls)

public:
    explicit Form(bool user_mode = true, QWidget* parent = nullptr);
    ~Form() override;

    // Sites `control` (the form takes ownership) under `name`, inside `container` when given,
    // and runs Initialize, then ReadProperties(*bag) or InitProperties, the stored extender
    // values, Resize, and Show when the form is visible. Raises 5 for a name already used on
    // the form, and lets an error of the control's hooks through after removing it again.
    ControlSite& add_control(std::unique_ptr<UserControl> control, const QString& class_name, const QString& name,
                             ControlSite* container = nullptr, PropertyBag* bag = nullptr,
                             const PropertyBag* extender = nullptr);
    // Creates the control by class (ProgID or {CLSID}) through the registry.
    ControlSite& add_control(const QString& class_name, const QString& name, ControlSite* container = nullptr);

    // Places a plain intrinsic control ("VB.Label", "VB.CommandButton", ..., see
    // intrinsic_classes.h) under `name`, on the form or inside `container`, with its stored
    // properties; shown unless they hide it. With `index` >= 0 it is that member of the
    // control array `name` (a stored "Index" property says the same). Raises 5 for a name
    // (or array member) already used on the form and 380 for a name that is not an
    // identifier or a negative stored Index; a stored property it refuses removes it again.
    // Within a container a form file keeps the user controls first, then the intrinsic ones.
    IntrinsicControl& add_intrinsic(const QString& class_name, const QString& name, ControlSite* container = nullptr,
                                    const PropertyBag* properties = nullptr, int index = -1);
    // Without regard to case; -1 for a control outside any array; null if none.
    IntrinsicControl* intrinsic(const QString& name, int index = -1) const;

    // Loads a form file's data: the form's own properties, then each control in file order
    // created through the registry by class with its bag read.
    void load(const FormData& data);
    // Runs WriteProperties on every control into a fresh bag: what a form file stores.
    FormData save() const;
    // Hides the controls, then runs Terminate on each control in order while all of them are
    // still alive, then destroys them. The form can be loaded again afterwards.
    void unload();
    // Removes one control: Hide, Terminate, destroy.
    void remove_control(ControlSite& site);

    // The sites in the order of the Controls collection.
    const std::vector<ControlSite*>& sites() const { return sites_; }
    ControlSite* site(const QString& name) const; // without regard to case; null if none
    QVariantList Controls() const;

    bool UserMode() const { return user_mode_; }
    void set_user_mode(bool user_mode);

    QString Name() const { return name_; }
    void setName(const QString& name) { name_ = name; }
    QString Caption() const { return windowTitle(); }
    void setCaption(const QString& caption) { setWindowTitle(caption); }
    double Width() const;
    double Height() const;
    void setWidth(double twips);
    void setHeight(double twips);
    double ScaleWidth() const;
    double ScaleHeight() const;
    int WindowState() const;
    void setWindowState(int state);
    // In run mode the window follows them: BorderStyle 0 has no frame, 1 (fixed single), 3
    // (fixed dialog) and 4 (fixed tool window) cannot be resized by the user; ControlBox
    // False takes the system menu and the window buttons away; StartUpPosition 1 (centre
    // of the owner) and 2 (centre of the screen) place the window as it is first shown.
    int BorderStyle() const { return border_style_; }
    void setBorderStyle(int style);
    bool ControlBox() const { return control_box_; }
    void setControlBox(bool value);
    int StartUpPosition() const { return start_up_position_; }
    void setStartUpPosition(int value) { start_up_position_ = value; }
    // Whether the user may resize the window (false for a fixed border in run mode).
    bool user_resizable() const;
    OLE_COLOR BackColor() const { return back_color_; }
    void setBackColor(OLE_COLOR color);
    OLE_COLOR ForeColor() const { return fore_color_; }
    void setForeColor(OLE_COLOR color);
    FontRef Font() const { return font_; }
    void setFont(FontRef font);

    // Enter (13) or Esc (27) as the form routes them: to the Default or Cancel control.
    // Returns whether a control took it.
    bool route_key(int key_ascii);
    // Lays out the aligned controls (called on resize and when alignment or visibility
    // changes). A Resize a control runs meanwhile may change the z-order or docking again:
    // the walk then repeats on the new order rather than nesting.
    void dock_aligned();
    // Chains the controls of each container in the order of their TabIndex.
    void apply_tab_order();

    // Called by a site: a control marked a property changed; Default or Cancel moved.
    void notify_property_changed(ControlSite& site, const QString& name);
    void site_became_default(ControlSite& site);
    void site_became_cancel(ControlSite& site);
    void site_zorder(ControlSite& site, int position);
    void site_renamed(ControlSite& site, const QString& old_name);

    bool dirty() const { return dirty_; }
    void clear_dirty() { dirty_ = false; }

signals:
    void PropertyChangedOn(QObject* extender, const QString& name);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void notify_ambient(const QString& name);
    // Puts BorderStyle and ControlBox on the window (run mode only).
    void apply_window_style();
    // Sizes the window in pixels, also when a fixed border holds it.
    void resize_window(QSize size);
    // Docks after the form's own size changed: every docked control hears Resize, once per
    // form size.
    void dock_after_form_resize();
    void dock_walk(bool container_resized);
    // The sites as guarded pointers, in Controls order or front-most first.
    std::vector<QPointer<ControlSite>> guarded_sites(bool front_first = false) const;
    void load_controls(const std::vector<FormControlData>& controls, ControlSite* container);
    void load_intrinsic(const FormControlData& control, ControlSite* container);
    void save_intrinsics(std::vector<FormControlData>& out, ControlSite* container) const;
    // Destroys the intrinsic controls inside `container` (all of them for null).
    void remove_intrinsics(ControlSite* container);
    // Whether `name` is taken for a control with `index` (-1: any control of that name).
    bool name_in_use(const QString& name, int index = -1) const;
    void save_controls(std::vector<FormControlData>& out, ControlSite* container) const;

    bool user_mode_;
    QString name_;
    std::vector<ControlSite*> sites_;
    std::vector<ControlSite*> zorder_; // back to front
    struct IntrinsicEntry {
        QString class_name;
        QPointer<IntrinsicControl> control;
        ControlSite* container;
    };
    std::vector<IntrinsicEntry> intrinsics_; // in the order placed
    // The names in use (forms::key_fold), so that placing a control does not scan the form:
    // the sites by name, and the intrinsic controls of each name (a control array holds several).
    QHash<QString, ControlSite*> site_names_;
    QHash<QString, std::vector<QPointer<IntrinsicControl>>> intrinsic_names_;
    // The label placed last, while nothing was placed after it: it names the control placed
    // next in its container, an intrinsic one or a user control.
    QPointer<Label> label_before_next_;
    ControlSite* label_container_ = nullptr;
    int border_style_ = 2;
    bool control_box_ = true;
    int start_up_position_ = 3;
    OLE_COLOR back_color_ = syscolor::ButtonFace;
    OLE_COLOR fore_color_ = syscolor::ButtonText;
    FontRef font_;
    QMetaObject::Connection font_connection_;
    bool dirty_ = false;
    // The size last set in twips and the pixels it became.
    QSizeF set_twips_;
    QSize set_pixels_{-1, -1};
    bool placed_ = false;
    // Unload may be asked for again while it runs (a Terminate that lets queued calls run);
    // the running unload finishes the job.
    bool unloading_ = false;
    bool loading_ = false;
    bool docking_ = false;
    bool redock_ = false;
    QSize docked_form_size_{-1, -1};
};

} // namespace forms

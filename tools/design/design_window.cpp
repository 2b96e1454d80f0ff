#include "tools/design/design_window.h"

#include "platform/forms/intrinsics/command_button.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/hosting/form.h"
#include "platform/forms/intrinsics/label.h"
#include "platform/forms/intrinsics/list_view.h"
#include "platform/forms/services/message_box.h"
#include "platform/forms/pages/property_sheet.h"
#include "platform/forms/intrinsics/text_box.h"
#include "platform/forms/core/vb_error.h"
#include "tools/design/property_list.h"

#include <QCloseEvent>
#include <QTreeWidget>

namespace {

const QString kTitle = QStringLiteral("Ostrel Form Design");
// The property list's items read "Name: value".
const QString kNameEnd = QStringLiteral(": ");

template <class Action>
bool shown_on_error(Action action)
{
    try {
        action();
        return true;
    } catch (const forms::VbError& e) {
        forms::MsgBox(e.description(), forms::vbExclamation, kTitle);
        return false;
    }
}

forms::Label* label(QWidget* parent, const char* name, const QString& caption, double left, double top, double width)
{
    auto* l = new forms::Label(parent, QString::fromLatin1(name), caption);
    l->Move(left, top, width, 255);
    return l;
}

} // namespace

DesignWindow::DesignWindow(QWidget* parent)
    : QWidget(parent), controls_(new forms::ListView(this, QStringLiteral("lvwControls"))),
      properties_(new forms::ListView(this, QStringLiteral("lvwProperties"))),
      value_label_(label(this, "lblValue", QStringLiteral("&Value:"), 3360, 4320, 4500)),
      value_(new forms::TextBox(this, QStringLiteral("txtValue"))),
      set_(new forms::CommandButton(this, QStringLiteral("cmdSet"), QStringLiteral("Se&t"))),
      pages_(new forms::CommandButton(this, QStringLiteral("cmdPages"), QStringLiteral("Property &Pages..."))),
      save_(new forms::CommandButton(this, QStringLiteral("cmdSave"), QStringLiteral("&Save")))
{
    setWindowTitle(kTitle);
    setAccessibleName(kTitle);
    label(this, "lblControls", QStringLiteral("Controls of the form:"), 120, 120, 3000);
    label(this, "lblProperties", QStringLiteral("Properties:"), 3360, 120, 4500);
    controls_->Move(120, 390, 3120, 4515);
    controls_->AddColumn(QStringLiteral("Control"), 2800);
    controls_->setHideColumnHeaders(true);
    controls_->setAccessibleName(QStringLiteral("Controls of the form"));
    controls_->widget().setAccessibleName(QStringLiteral("Controls of the form"));
    properties_->Move(3360, 390, 4500, 3810);
    properties_->AddColumn(QStringLiteral("Property"), 4200);
    properties_->setHideColumnHeaders(true);
    properties_->setAccessibleName(QStringLiteral("Properties"));
    properties_->widget().setAccessibleName(QStringLiteral("Properties"));
    value_->Move(3360, 4590, 3300, 315);
    value_->setAccessibleName(QStringLiteral("Value"));
    set_->Move(6780, 4575, 1080, 345);
    pages_->Move(120, 5100, 2000, 375);
    save_->Move(6660, 5100, 1200, 375);
    resize(7980 / 15, 5600 / 15);

    connect(controls_, &forms::ListView::ItemClick, this, [this](int) { show_property_list(); });
    connect(&controls_->widget(), &QTreeWidget::currentItemChanged, this, [this] { show_property_list(); });
    connect(controls_, &forms::IntrinsicControl::DblClick, this, [this] {
        if (!chosen_control().isEmpty())
            show_properties(chosen_control());
    });
    connect(&properties_->widget(), &QTreeWidget::currentItemChanged, this, [this] { show_chosen_value(); });
    connect(properties_, &forms::ListView::ItemClick, this, [this](int) { show_chosen_value(); });
    connect(value_, &forms::IntrinsicControl::KeyPress, this, [this](short& key) {
        if (key == 13) {
            key = 0;
            set_chosen_property();
        }
    });
    connect(set_, &forms::IntrinsicControl::Click, this, [this] { set_chosen_property(); });
    connect(pages_, &forms::IntrinsicControl::Click, this, [this] {
        if (!chosen_control().isEmpty())
            show_properties(chosen_control());
    });
    connect(save_, &forms::IntrinsicControl::Click, this, [this] { save(); });
    refresh();
}

bool DesignWindow::open(const QString& path)
{
    const bool opened = shown_on_error([&] { session_.open(path); });
    if (opened) {
        setWindowTitle(QStringLiteral("%1 - %2").arg(kTitle, path));
        session_.form().show();
    }
    refresh();
    return opened;
}

bool DesignWindow::save()
{
    return shown_on_error([&] { session_.save(); });
}

bool DesignWindow::show_properties(const QString& control_name, bool modal)
{
    return shown_on_error([&] {
        std::unique_ptr<forms::PropertySheet> sheet = session_.sheet_for(control_name);
        if (modal) {
            sheet->exec();
            show_property_list();
        } else {
            sheet->setAttribute(Qt::WA_DeleteOnClose);
            connect(sheet.get(), &QDialog::finished, this, [this] { show_property_list(); });
            sheet.release()->show();
        }
    });
}

void DesignWindow::closeEvent(QCloseEvent* event)
{
    if (!session_.has_changes()) {
        event->accept();
        return;
    }
    const int answer = forms::MsgBox(QStringLiteral("Save the changes to %1?").arg(session_.path()),
                                     forms::vbYesNoCancel | forms::vbExclamation, kTitle);
    if (answer == forms::vbCancel || (answer == forms::vbYes && !save()))
        event->ignore();
    else
        event->accept();
}

namespace {

// How the control list names an object: a control or the form by its name, an intrinsic
// control of an array with its index.
QString row_text(QObject& object, const forms::Form& form)
{
    if (&object == &form)
        return QStringLiteral("%1 (form)").arg(form.Name());
    const QString name = object.property("Name").toString();
    const int index = object.property("Index").isValid() ? object.property("Index").toInt() : -1;
    return index >= 0 ? QStringLiteral("%1(%2)").arg(name).arg(index) : name;
}

} // namespace

void DesignWindow::refresh()
{
    controls_->Clear();
    objects_.clear();
    if (session_.is_open()) {
        forms::Form& form = session_.form();
        std::vector<QObject*> objects;
        for (const QVariant& control : form.Controls())
            objects.push_back(control.value<QObject*>());
        objects.push_back(&form);
        for (QObject* object : objects)
            if (object != nullptr) {
                controls_->Add(row_text(*object, form));
                objects_.emplace_back(object);
            }
    }
    if (controls_->Count() > 0)
        controls_->Select(1);
    save_->setEnabled(session_.is_open());
    show_property_list();
}

QObject* DesignWindow::chosen_object() const
{
    const int index = controls_->SelectedIndex();
    return index > 0 && index <= static_cast<int>(objects_.size()) ? objects_[static_cast<size_t>(index - 1)].data()
                                                                   : nullptr;
}

QString DesignWindow::chosen_control() const
{
    auto* site = qobject_cast<forms::ControlSite*>(chosen_object());
    return site ? site->Name() : QString();
}

QString DesignWindow::chosen_property() const
{
    const int index = properties_->SelectedIndex();
    return index > 0 ? properties_->Text(index).section(kNameEnd, 0, 0) : QString();
}

void DesignWindow::show_property_list()
{
    const QString keep = chosen_property();
    properties_->Clear();
    pages_->setEnabled(!chosen_control().isEmpty());
    if (QObject* object = chosen_object())
        shown_on_error([&] {
            for (const DesignProperty& p : design_properties(*object)) {
                const int index = properties_->Add(p.name + kNameEnd + p.value);
                if (p.name == keep)
                    properties_->Select(index);
            }
        });
    if (properties_->SelectedIndex() == 0 && properties_->Count() > 0)
        properties_->Select(1);
    show_chosen_value();
}

void DesignWindow::show_chosen_value()
{
    const int index = properties_->SelectedIndex();
    const QString property = chosen_property();
    value_label_->setCaption(property.isEmpty() ? QStringLiteral("&Value:")
                                                : QStringLiteral("&Value of %1:").arg(property));
    // The box's own editor takes the focus: it carries the name too.
    value_->set_label_name(property.isEmpty() ? QStringLiteral("Value") : QStringLiteral("Value of %1").arg(property));
    value_->setText(index > 0 ? properties_->Text(index).section(kNameEnd, 1) : QString());
    value_->setEnabled(index > 0);
    set_->setEnabled(index > 0);
}

bool DesignWindow::set_chosen_property()
{
    QObject* object = chosen_object();
    const QString property = chosen_property();
    if (object == nullptr || property.isEmpty())
        return false;
    const bool set = shown_on_error([&] { let_design_property(*object, property, value_->Text()); });
    show_property_list();
    return set;
}

#include "tools/design/design_window.h"

#include "platform/forms/form.h"
#include "platform/forms/message_box.h"
#include "platform/forms/property_sheet.h"
#include "platform/forms/vb_error.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kTitle = QStringLiteral("Ostrel Form Design");

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

} // namespace

DesignWindow::DesignWindow(QWidget* parent)
    : QWidget(parent), controls_(new QListWidget(this)),
      properties_(new QPushButton(QStringLiteral("&Properties..."), this)),
      save_(new QPushButton(QStringLiteral("&Save"), this))
{
    setWindowTitle(kTitle);
    setAccessibleName(kTitle);
    controls_->setAccessibleName(QStringLiteral("Controls"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Controls of the form:"), this));
    layout->addWidget(controls_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(properties_);
    buttons->addWidget(save_);
    layout->addLayout(buttons);
    connect(properties_, &QPushButton::clicked, this, [this] {
        if (controls_->currentItem())
            show_properties(controls_->currentItem()->text());
    });
    connect(controls_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { show_properties(item->text()); });
    connect(save_, &QPushButton::clicked, this, [this] { save(); });
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
        } else {
            sheet->setAttribute(Qt::WA_DeleteOnClose);
            sheet.release()->show();
        }
    });
}

void DesignWindow::refresh()
{
    controls_->clear();
    controls_->addItems(session_.control_names());
    if (controls_->count() > 0)
        controls_->setCurrentRow(0);
    properties_->setEnabled(controls_->count() > 0);
    save_->setEnabled(session_.is_open());
}

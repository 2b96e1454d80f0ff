#include "tests/support/forms/test_host.h"

#include "platform/com/runtime.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/hosting/do_events.h"
#include "platform/forms/core/form_file.h"
#include "platform/forms/hosting/user_control.h"

#include <QApplication>

#include <cstdlib>

namespace forms {

void TestHost::ensure_application()
{
    if (QCoreApplication::instance())
        return;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // The UI thread is a single-threaded apartment, as in the program.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    static int argc = 1;
    static char name[] = "ostrel-test";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv); // lives for the rest of the process
    install_sta_wakeup();
}

TestHost::TestHost(bool user_mode)
{
    ensure_application();
    form_ = std::make_unique<Form>(user_mode);
    form_->setName(QStringLiteral("frmTest"));
    form_->resize(480, 360);
}

TestHost::~TestHost() = default;

ControlSite& TestHost::add(const QString& class_name, const QString& name)
{
    return form_->add_control(class_name, name);
}

ControlSite& TestHost::add(std::unique_ptr<UserControl> control, const QString& name, const QString& class_name)
{
    return form_->add_control(std::move(control), class_name, name);
}

QString TestHost::saved_text() const { return FormFile::write(form_->save()); }

void TestHost::reload(bool user_mode)
{
    const FormData data = FormFile::parse(saved_text());
    const QSize size = form_->size();
    form_->unload();
    form_.reset();
    form_ = std::make_unique<Form>(user_mode);
    form_->resize(size);
    form_->load(data);
}

void TestHost::show()
{
    form_->show();
    DoEvents();
}

} // namespace forms

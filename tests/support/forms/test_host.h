#pragma once
// The host the tests of every control use: a QApplication on Qt's offscreen platform (made
// once per process), a recording message-box service, and a form in design mode
// (UserMode False) or run mode. design_to_run() saves the design form as a form file and
// loads it into a new run-mode form, as a program does with a designed form.

#include "platform/forms/hosting/form.h"
#include "tests/support/forms/recording_message_box.h"

#include <QString>

#include <memory>

namespace forms {

class ControlSite;

class TestHost {
public:
    // Sets QT_QPA_PLATFORM=offscreen unless the caller chose a platform, and creates the
    // process's QApplication if there is none.
    static void ensure_application();

    explicit TestHost(bool user_mode = true);
    ~TestHost();
    TestHost(const TestHost&) = delete;
    TestHost& operator=(const TestHost&) = delete;

    Form& form() { return *form_; }
    RecordingMessageBox& messages() { return *recorder_; }

    // Places a control created by class through the registry.
    ControlSite& add(const QString& class_name, const QString& name);
    // Places a control the test made itself.
    ControlSite& add(std::unique_ptr<UserControl> control, const QString& name, const QString& class_name = {});

    // The form file text of the current form.
    QString saved_text() const;
    // Saves the form, unloads it, and loads the saved file into a new form of `user_mode`.
    void reload(bool user_mode);
    void design_to_run() { reload(true); }
    // Shows the form (Show events run) and lets pending events run.
    void show();

private:
    std::unique_ptr<Form> form_;
    ScopedMessageBoxRecorder recorder_;
};

} // namespace forms

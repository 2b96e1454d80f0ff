#pragma once
// Message boxes go through one replaceable service. The default shows a modal Qt message
// box; without a display (no QApplication, or the offscreen/minimal platform) or when
// headless mode is set, it writes the box to stderr and answers with the default button,
// so nothing blocks. Tests install a recorder of their own (tests/support/forms).

#include <QString>

#include <memory>

namespace forms {

enum MsgBoxStyle {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbDefaultButton1 = 0,
    vbDefaultButton2 = 256,
    vbDefaultButton3 = 512,
};
enum MsgBoxResult { vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7 };

// The answer a box of `style` gives when nobody chooses: its default button.
int default_answer(int style);

class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    virtual int show(const QString& prompt, int style, const QString& title) = 0;
};

// Installs `service` (null restores the default) and returns the one installed before.
std::shared_ptr<MessageBoxService> set_message_box_service(std::shared_ptr<MessageBoxService> service);
void set_headless(bool headless);
bool headless();
// Whether a person can answer a window: a QApplication on a real platform (not offscreen or
// minimal) and headless mode off. Modal dialogs of the runtime check it before blocking.
bool has_display();

// The title a box gets when the caller gives none (the program sets its own title).
void set_application_title(const QString& title);
QString application_title();

// MsgBox: an empty title means the application's title.
int MsgBox(const QString& prompt, int style = vbOKOnly, const QString& title = {});

// The runtime's report of an error nobody handled: "Run-time error 'n':" and the description.
void report_unhandled_error(int number, const QString& description);

} // namespace forms

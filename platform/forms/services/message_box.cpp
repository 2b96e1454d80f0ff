#include "platform/forms/services/message_box.h"

#include "platform/forms/hosting/dialog_owner.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

#include <cstdio>
#include <mutex>

namespace forms {

namespace {

std::mutex g_mutex;
std::shared_ptr<MessageBoxService> g_service;
bool g_headless = false;
QString g_title;

class QtMessageBox : public MessageBoxService {
public:
    int show(const QString& prompt, int style, const QString& title) override
    {
        if (!has_display()) {
            std::fprintf(stderr, "%s: %s\n", title.toLocal8Bit().constData(), prompt.toLocal8Bit().constData());
            return default_answer(style);
        }
        QMessageBox box;
        box.setWindowTitle(title);
        box.setText(prompt);
        switch (style & 0x70) {
        case vbCritical: box.setIcon(QMessageBox::Critical); break;
        case vbQuestion: box.setIcon(QMessageBox::Question); break;
        case vbExclamation: box.setIcon(QMessageBox::Warning); break;
        case vbInformation: box.setIcon(QMessageBox::Information); break;
        default: break;
        }
        struct B {
            QMessageBox::StandardButton qt;
            int result;
        };
        std::vector<B> buttons;
        switch (style & 0x0F) {
        case vbOKCancel: buttons = {{QMessageBox::Ok, vbOK}, {QMessageBox::Cancel, vbCancel}}; break;
        case vbAbortRetryIgnore:
            buttons = {{QMessageBox::Abort, vbAbort}, {QMessageBox::Retry, vbRetry}, {QMessageBox::Ignore, vbIgnore}};
            break;
        case vbYesNoCancel:
            buttons = {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}, {QMessageBox::Cancel, vbCancel}};
            break;
        case vbYesNo: buttons = {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}}; break;
        case vbRetryCancel: buttons = {{QMessageBox::Retry, vbRetry}, {QMessageBox::Cancel, vbCancel}}; break;
        default: buttons = {{QMessageBox::Ok, vbOK}}; break;
        }
        for (const auto& b : buttons)
            box.addButton(b.qt);
        const size_t def = static_cast<size_t>((style >> 8) & 0x3);
        box.setDefaultButton(buttons[def < buttons.size() ? def : 0].qt);
        const int chosen = exec_owned(box);
        for (const auto& b : buttons)
            if (chosen == b.qt)
                return b.result;
        return default_answer(style);
    }
};

} // namespace

int default_answer(int style)
{
    static const std::vector<std::vector<int>> answers = {
        {vbOK},        {vbOK, vbCancel},   {vbAbort, vbRetry, vbIgnore}, {vbYes, vbNo, vbCancel},
        {vbYes, vbNo}, {vbRetry, vbCancel}};
    const size_t kind = static_cast<size_t>(style & 0x0F);
    const auto& set = answers[kind < answers.size() ? kind : 0];
    const size_t def = static_cast<size_t>((style >> 8) & 0x3);
    return set[def < set.size() ? def : 0];
}

std::shared_ptr<MessageBoxService> set_message_box_service(std::shared_ptr<MessageBoxService> service)
{
    std::lock_guard lock(g_mutex);
    auto previous = g_service;
    g_service = std::move(service);
    return previous;
}

void set_headless(bool value) { g_headless = value; }

bool has_display()
{
    if (g_headless || !qobject_cast<QApplication*>(QCoreApplication::instance()))
        return false;
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}
bool headless() { return g_headless; }
void set_application_title(const QString& title) { g_title = title; }

QString application_title()
{
    if (!g_title.isEmpty())
        return g_title;
    return QCoreApplication::instance() ? QCoreApplication::applicationName() : QString();
}

int MsgBox(const QString& prompt, int style, const QString& title)
{
    std::shared_ptr<MessageBoxService> service;
    {
        std::lock_guard lock(g_mutex);
        service = g_service;
    }
    if (!service) {
        static QtMessageBox fallback;
        return fallback.show(prompt, style, title.isEmpty() ? application_title() : title);
    }
    return service->show(prompt, style, title.isEmpty() ? application_title() : title);
}

void report_unhandled_error(int number, const QString& description)
{
    MsgBox(QStringLiteral("Run-time error '%1':\r\n\r\n%2").arg(number).arg(description), vbCritical);
}

} // namespace forms

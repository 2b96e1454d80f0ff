#include "program/wizard/output_actions.h"

#include "program/report/report_date.h"
#include "program/report/results_report.h"
#include "program/wizard/frm_log_view.h"
#include "program/wizard/print_report.h"

#include "platform/forms/services/clipboard.h"
#include "platform/forms/core/file_save.h"
#include "platform/forms/services/message_box.h"
#include "platform/forms/services/shell.h"
#include "platform/forms/core/vb_error.h"

#include <QDateTime>

namespace program {

namespace {

constexpr std::int32_t kPathFileAccessError = 75;
constexpr std::int32_t kFileNotFound = 53;

} // namespace

void SaveTextToFile(const QString& path, const QString& text)
{
    QString reason;
    if (!forms::save_file(path, (text + QStringLiteral("\r\n")).toUtf8(), reason))
        forms::raise(kPathFileAccessError, QStringLiteral("Ostrel"),
                     QStringLiteral("The file \"") + path + QStringLiteral("\" could not be written: ") + reason);
}

OutputActions::OutputActions(QWidget* owner, const std::optional<QStringList>& results, const SessionLog& log)
    : m_owner(owner), m_results(results), m_log(log)
{
}

OutputActions::~OutputActions() = default;

void OutputActions::cmdChooseOutput_Click(int Index)
{
    static const QString kNames[] = {QStringLiteral("Copy"), QStringLiteral("Print"), QStringLiteral("Save")};
    if (Index >= 0 && Index < 3)
        DoOutputOperation(kNames[Index]);
}

QString OutputActions::GetOutputText() const
{
    if (!m_results)
        forms::raise(forms::vberr::ObjectVariableNotSet);
    return MakeINIString(*m_results);
}

void OutputActions::DoOutputOperation(const QString& name)
{
    try {
        if (name == QStringLiteral("Copy"))
            CopyToClipboardOperation(0, 0);
        else if (name == QStringLiteral("Print"))
            m_handedOut |= PrintReport(QStringLiteral("Brevash (") + ReportDate(QDateTime::currentDateTime()) + u')',
                                       GetOutputText(), m_owner);
        else if (name == QStringLiteral("Save"))
            Save();
    } catch (const forms::VbError& error) {
        if (error.number() == forms::vberr::CancelSelected) {
            m_cdA.setFileName(QString());
            return;
        }
        forms::MsgBox(error.description(), forms::vbExclamation | forms::vbOKOnly);
    }
}

void OutputActions::Save()
{
    m_cdA.setFlags(kSaveFlags);
    m_cdA.setFilter(kSaveFilter);
    m_cdA.ShowSave();
    const QString fileName = m_cdA.FileName();
    if (fileName.isEmpty())
        return;
    SaveTextToFile(fileName, GetOutputText());
    m_handedOut = true;
    // The next Save opens in this file's folder, with an empty name; only a save that
    // succeeded moves the memory.
    m_cdA.setInitDir(fileName.left(fileName.lastIndexOf(u'/') + 1));
    m_cdA.setFileName(QString());
}

void OutputActions::CopyToClipboardOperation(short, short)
{
    try {
        forms::Clipboard::Clear();
    } catch (...) {
    }
    try {
        forms::Clipboard::SetText(GetOutputText());
        m_handedOut = true;
    } catch (const forms::VbError& error) {
        forms::MsgBox(error.description(), forms::vbOKOnly);
    }
}

void OutputActions::cmdViewLog_Click()
{
    try {
        const QString path = m_logFile.Write(m_log.text());
        try {
            forms::open_with_default_application(path);
        } catch (const forms::VbError& error) {
            // No program opens a text file here: the program shows the log itself.
            if (error.number() != kFileNotFound)
                throw;
            if (!m_logView)
                m_logView = std::make_unique<FrmLogView>();
            m_logView->ShowLog(m_log.text(), m_owner);
        }
    } catch (const forms::VbError& error) {
        forms::MsgBox(QStringLiteral("The session log cannot be shown.\r\n") + error.description(), forms::vbOKOnly);
    }
}

} // namespace program

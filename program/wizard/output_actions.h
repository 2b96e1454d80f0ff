#pragma once
// The results page's output actions: Copy puts the INI report on the clipboard, Print prints
// it under a dated title, Save writes it to a text file the user names (the save dialog
// opens in the folder of the last file saved), and View Log shows the session log with the
// desktop's viewer for text (or, where there is none, in a window of the program's own). The report is the INI text of
// the last results matrix.
//
// The wizard form owns one OutputActions for its life: the save dialog's folder memory and
// the View Log file live as long as it does.

#include "program/report/session_log.h"
#include "program/wizard/temp_log_file.h"

#include "platform/forms/services/common_dialog.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QWidget;

namespace program {

class FrmLogView;

class OutputActions {
public:
    // `results` is the wizard's last results matrix (m_results), `log` its session log.
    OutputActions(QWidget* owner, const std::optional<QStringList>& results, const SessionLog& log);
    ~OutputActions();

    // 0 Copy, 1 Print, 2 Save; any other index does nothing.
    void cmdChooseOutput_Click(int Index);
    // Runs the action named exactly "Copy", "Print" or "Save"; any other name does nothing.
    // A failure shows its description (exclamation icon) and changes nothing else.
    void DoOutputOperation(const QString& name);
    void CopyToClipboardOperation(short FromRow = 0, short ToRow = 0);
    // Writes the session log into the program's private log file and opens it; a failure
    // says why in a message box.
    void cmdViewLog_Click();

    forms::CommonDialog& cdA() { return m_cdA; }

    // Whether the report of the current results has been handed out (saved, copied or
    // printed) since they came; new results have not been.
    bool HandedOut() const { return m_handedOut; }
    void NewResults() { m_handedOut = false; }

    // The save dialog's settings.
    inline static constexpr int kSaveFlags =
        0x80E; // overwrite prompt, no read-only box, keep the folder, path must exist
    inline static const QString kSaveFilter = QStringLiteral("Text files (*.txt)|*.txt|All files (*.*)|*.*");

private:
    QString GetOutputText() const;
    void Save();

    QWidget* m_owner;
    const std::optional<QStringList>& m_results;
    const SessionLog& m_log;
    forms::CommonDialog m_cdA;
    TempLogFile m_logFile;
    // The program's own window for the log, where no program opens a text file.
    std::unique_ptr<FrmLogView> m_logView;
    bool m_handedOut = false;
};

// Writes `text` and CR LF into `path` through the one file writer (a regular file replaced
// whole or not at all keeping its mode and owner; a device, a FIFO, a hard-linked or another
// user's file written in place; a link's target written); raises the runtime's error naming
// the path and the reason when it cannot.
void SaveTextToFile(const QString& path, const QString& text);

} // namespace program

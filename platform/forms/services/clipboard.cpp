#include "platform/forms/services/clipboard.h"

#include "platform/forms/core/vb_error.h"

#include <QClipboard>
#include <QGuiApplication>

namespace forms {

namespace {
QClipboard& board()
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        raise(vberr::ObjectVariableNotSet, QStringLiteral("Clipboard"));
    return *QGuiApplication::clipboard();
}
} // namespace

void Clipboard::Clear() { board().clear(); }
void Clipboard::SetText(const QString& text) { board().setText(text); }
QString Clipboard::GetText() { return board().text(); }

} // namespace forms

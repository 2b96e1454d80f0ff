#include "platform/forms/core/key_case.h"

#include <QList>

namespace forms {

QString key_upper(const QString& key)
{
    QList<uint> letters = key.toCaseFolded().toUcs4();
    for (uint& letter : letters)
        letter = QChar::toUpper(letter);
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(letters.constData()), letters.size());
}

// Folding alone keeps the dotless i apart from I, which upper-cases to it: through the
// capitals, every spelling that key_upper makes alike folds alike.
QString key_fold(const QString& key) { return key_upper(key).toCaseFolded(); }

bool same_key(const QString& a, const QString& b) { return a == b || key_fold(a) == key_fold(b); }

} // namespace forms

#pragma once
// The one case mapping of keys compared without regard to case: a collection's keys, a
// property bag's keys, the controls' names, and the options tree's upper-cased keys. Two
// keys are the same key when their key_fold is equal, and a key upper-cased by key_upper is
// the same key as before, for every letter (the dotless i upper-cases to I, so it is the
// same key as "i"; "ß" is the same key as "SS").

#include <QString>

namespace forms {

// The key in capitals, letter by letter, after case folding ("_ı" gives "_I").
QString key_upper(const QString& key);
// The form two spellings of one key share: the folding of key_upper.
QString key_fold(const QString& key);
bool same_key(const QString& a, const QString& b);

} // namespace forms

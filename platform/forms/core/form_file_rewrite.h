#pragma once
// Saving a form over the file it was opened from, keeping what a person wrote there. The
// runtime writes a form as it holds it: keys at their default are left out, keys come in the
// control's own order, comments and layout are gone, and a size may come back rounded. A
// save through rewrite_form_text changes only what changed since the file was opened:
//
// - `original` is the file's text as read; `loaded` is what the runtime wrote for the form
//   right after loading it (so the runtime's own rounding and defaults are no change);
//   `current` is what it writes now.
// - A value line keeps its text while the value in `current` is the one in `loaded`, or the
//   key is in neither (an explicit default, a key the control does not write); it takes the
//   new value when the value changed, and goes when the value went back to its default.
// - A key that changed and that the file did not hold is added at the end of its block's
//   values, before the block's first control.
// - Comments, blank lines, indentation and line ends stay as they are.
//
// The blocks are matched by class, name and Index. When the form's controls are not the
// file's (a control added or removed), or the result would not read back, the form is written
// plainly (FormFile::write).

#include "platform/forms/core/form_file.h"

#include <QString>

namespace forms {

QString rewrite_form_text(const QString& original, const FormData& loaded, const FormData& current);

} // namespace forms

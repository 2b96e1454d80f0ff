#pragma once
// The display controls' two ways of handling an error inside a procedure: ignore it (the
// statement is skipped and the next one runs), or show the library's "Error: " box with the
// exclamation icon and end the procedure there, dropping 398 (no client site yet) silently.

#include "controls/message_box.h"
#include "platform/forms/core/vb_error.h"

namespace display_errors {

template <typename Statement>
void ignoring_errors(Statement&& statement)
{
    try {
        statement();
    } catch (const forms::VbError&) {
    }
}

template <typename Procedure>
void shown_in_error_box(Procedure&& procedure)
{
    try {
        procedure();
    } catch (const forms::VbError& error) {
        if (error.number() == forms::vberr::ClientSiteNotAvailable)
            return;
        kycomctl::show_message(kycomctl::error_text(error.number(), error.description()), kycomctl::vbExclamation,
                               QString());
    }
}

} // namespace display_errors

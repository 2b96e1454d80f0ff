#pragma once
// PageButtons: one wizard button as the page control's members take and give it (a record
// built from the page's fields on every read and taken apart on every write).

#include "controls/wizard/wizard_types.h"

#include <QMetaType>
#include <QString>

#include <cstdint>

struct PageButtons {
    bool Visible = false;
    bool Enabled = false;
    QString Caption;
    std::int32_t Rule = kyBRNone;
    std::int32_t Position = kyBPNone;
    bool Default = false;
    bool Cancel = false;
};

Q_DECLARE_METATYPE(PageButtons)

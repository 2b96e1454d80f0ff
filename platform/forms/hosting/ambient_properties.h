#pragma once
// The container's ambient properties as one control sees them: UserMode (False in design
// mode), DisplayName (the name the container gives this control), Font, BackColor and
// ForeColor. The values come from the host form; a change reaches the control as
// UserControl::AmbientChanged with the property's name.

#include "platform/forms/core/ole_color.h"
#include "platform/forms/core/std_font.h"

#include <QObject>
#include <QString>

namespace forms {

class ControlSite;

class AmbientProperties : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool UserMode READ UserMode)
    Q_PROPERTY(QString DisplayName READ DisplayName)
    Q_PROPERTY(forms::FontRef Font READ Font)
    Q_PROPERTY(uint BackColor READ BackColor)
    Q_PROPERTY(uint ForeColor READ ForeColor)

public:
    explicit AmbientProperties(ControlSite& site);

    bool UserMode() const;
    QString DisplayName() const;
    // The container's font object itself (shared): a control that keeps it follows the
    // container's font changes.
    FontRef Font() const;
    OLE_COLOR BackColor() const;
    OLE_COLOR ForeColor() const;

private:
    ControlSite& site_;
};

} // namespace forms

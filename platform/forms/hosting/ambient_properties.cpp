#include "platform/forms/hosting/ambient_properties.h"

#include "platform/forms/hosting/control_site.h"
#include "platform/forms/hosting/form.h"

namespace forms {

AmbientProperties::AmbientProperties(ControlSite& site) : site_(site) {}

bool AmbientProperties::UserMode() const { return site_.form().UserMode(); }
QString AmbientProperties::DisplayName() const { return site_.Name(); }
FontRef AmbientProperties::Font() const { return site_.form().Font(); }
OLE_COLOR AmbientProperties::BackColor() const { return site_.form().BackColor(); }
OLE_COLOR AmbientProperties::ForeColor() const { return site_.form().ForeColor(); }

} // namespace forms

#include "probe_control.h"

#include "platform/forms/hosting/ambient_properties.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/hosting/form.h"
#include "platform/forms/core/vb_error.h"

QStringList* ProbeControl::shared_log = nullptr;

void ProbeControl::note(const QString& what)
{
    log_.push_back(what);
    if (shared_log)
        shared_log->push_back(what);
}

void ProbeControl::setCaption(const QString& c)
{
    caption_ = c;
    PropertyChanged(QStringLiteral("Caption"));
}

void ProbeControl::setMax(int max)
{
    if (max < 1)
        forms::raise(forms::vberr::InvalidPropertyValue, QStringLiteral("::Max (Let)"));
    max_ = max;
    PropertyChanged(QStringLiteral("Max"));
}

bool ProbeControl::Fire(const QString& what)
{
    bool cancel = false;
    emit Ask(what, cancel);
    return cancel;
}

void ProbeControl::Fail() const { forms::raise(5, QStringLiteral("ProbeControl::Fail")); }

void ProbeControl::Initialize()
{
    // No site yet: the runtime answers 398 here.
    try {
        (void)Ambient().UserMode();
        note(QStringLiteral("Initialize with site"));
    } catch (const forms::VbError& e) {
        note(QStringLiteral("Initialize %1").arg(e.number()));
    }
}

void ProbeControl::InitProperties()
{
    note(QStringLiteral("InitProperties ") + Ambient().DisplayName());
    font_ = Ambient().Font();
}

void ProbeControl::ReadProperties(forms::PropertyBag& bag)
{
    note(QStringLiteral("ReadProperties ") + Ambient().DisplayName());
    // Keys read in another case than the one they were written in.
    caption_ = bag.ReadProperty(QStringLiteral("caption"), QString()).toString();
    max_ = bag.ReadProperty(QStringLiteral("MAX"), 100).toInt();
    flag_ = bag.ReadProperty(QStringLiteral("flag"), false).toBool();
    fore_ = bag.ReadProperty(QStringLiteral("forecolor"), forms::syscolor::ButtonText).toUInt();
    font_ =
        bag.ReadProperty(QStringLiteral("displayfont"), QVariant::fromValue(Ambient().Font())).value<forms::FontRef>();
}

void ProbeControl::WriteProperties(forms::PropertyBag& bag)
{
    note(QStringLiteral("WriteProperties"));
    bag.WriteProperty(QStringLiteral("Caption"), caption_, QString());
    bag.WriteProperty(QStringLiteral("Max"), max_, 100);
    bag.WriteProperty(QStringLiteral("Flag"), flag_, false);
    bag.WriteProperty(QStringLiteral("ForeColor"), fore_, forms::syscolor::ButtonText);
    bag.WriteProperty(QStringLiteral("DisplayFont"), QVariant::fromValue(font_), QVariant::fromValue(Ambient().Font()));
}

void ProbeControl::Terminate()
{
    // Siblings still live: the form still lists every control.
    note(QStringLiteral("Terminate siblings=%1").arg(ParentForm().sites().size()));
}

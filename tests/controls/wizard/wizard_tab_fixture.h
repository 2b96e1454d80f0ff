#pragma once
// The host of the wizard page tests: the library registered into a temporary registry, a
// fresh shared navigation object per test, a design-mode form of the wizard's size on
// demand, and the captions file kept in the test's folder.

#include "controls/wizard/c_page.h"
#include "controls/wizard/c_pages.h"
#include "controls/wizard/ky_wizard_tab.h"
#include "controls/wizard/mod_base.h"
#include "controls/wizard/wizard_navigator.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/hosting/form.h"
#include "platform/forms/core/screen.h"
#include "platform/forms/core/std_font.h"
#include "tests/controls/kycomctl_fixture.h"

#include <QImage>
#include <QStringList>

#include <cstdio>
#include <string>

class WizardTabTest : public KyComCtlTest {
protected:
    void SetUp() override
    {
        KyComCtlTest::SetUp();
        modBase::CreateNavigator();
        dir_ = test_registry_.dir();
        setenv("OSTREL_CAPTIONS_DIR", dir_.c_str(), 1);
    }
    void TearDown() override
    {
        design_.reset();
        forms::Screen::set_twips_per_pixel(15, 15);
        unsetenv("OSTREL_CAPTIONS_DIR");
        KyComCtlTest::TearDown();
    }

    // The form the designer works on: 7500 x 5400 twips.
    forms::TestHost& design()
    {
        if (!design_) {
            design_ = std::make_unique<forms::TestHost>(false);
            design_->form().resize(500, 360);
        }
        return *design_;
    }
    forms::Form& form() { return design().form(); }
    KyWizardTab& place(const QString& name)
    {
        return *qobject_cast<KyWizardTab*>(design().add(QStringLiteral("KyComCtl.KyWizardTab"), name).control());
    }
    KyWizardTab& page(const QString& name) { return *qobject_cast<KyWizardTab*>(form().site(name)->control()); }
    forms::ControlSite& site(const QString& name) { return *form().site(name); }
    static CWizardNavigator& navigator() { return *modBase::SharedNavigator(); }
    static QStringList registered()
    {
        QStringList names;
        const auto pages = modBase::SharedPages();
        for (std::int32_t i = 1; pages && i <= pages->Count(); ++i)
            names << pages->entry(i)->Name();
        return names;
    }
    // Index, mode, back and next of a page, as "3 2 2 0".
    static QString links(const KyWizardTab& p)
    {
        return QStringLiteral("%1 %2 %3 %4").arg(p.PageIndex()).arg(p.PageMode()).arg(p.PageBack()).arg(p.PageNext());
    }

    // The font the pictures use for titles and texts.
    static forms::FontRef verdana(double size, bool bold)
    {
        auto f = forms::StdFont::create();
        f->setName(QStringLiteral("Verdana"));
        f->setSize(size);
        f->setBold(bold);
        return f;
    }
    // Saves what `widget` shows as a picture artefact and says where.
    static void save_picture(QWidget& widget, const std::string& file)
    {
        const QImage picture = widget.grab().toImage();
        const auto path = artefacts_dir() / file;
        ASSERT_TRUE(picture.save(QString::fromStdString(path.string()))) << path;
        std::fprintf(stderr, "picture: %s\n", path.c_str());
    }

    std::unique_ptr<forms::TestHost> design_;
    // The test's own folder (the captions file goes here).
    std::filesystem::path dir_;
};

#pragma once
// The property-page tests' host: a control placed on a design-mode form (UserMode False) with
// its property sheet open, the sheet's tab titles, and pictures of a page as the designer sees
// it, saved as test artefacts. What a person does on the sheet (a click on a tab or on OK,
// Cancel or Apply, keys in a field) goes to the sheet's own widgets as real input.

#include "platform/forms/hosting/control_site.h"
#include "platform/forms/hosting/form.h"
#include "platform/forms/core/form_file.h"
#include "platform/forms/pages/property_sheet.h"
#include "platform/forms/core/screen.h"
#include "tests/controls/kycomctl_fixture.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

#include <QTest>
#include <functional>

#include <cstdio>
#include <memory>

class PropertySheetTest : public KyComCtlTest {
protected:
    void TearDown() override
    {
        forms::Screen::set_twips_per_pixel(15, 15);
        sheet_.reset();
        design_.reset();
        KyComCtlTest::TearDown();
    }

    // Places a control of `klass` and opens its sheet in sheet_.
    forms::ControlSite& open_designed(const QString& klass, const QString& name)
    {
        sheet_.reset();
        design_.reset();
        design_ = std::make_unique<forms::TestHost>(false);
        forms::ControlSite& site = design_->add(klass, name);
        sheet_ = std::make_unique<forms::PropertySheet>();
        sheet_->open_for({&site});
        return site;
    }

    static QStringList tab_titles(const forms::PropertySheet& sheet)
    {
        QStringList out;
        for (int i = 0; i < sheet.page_count(); ++i)
            out << sheet.tab_text(i);
        return out;
    }

    static void save_picture(forms::PropertySheet& sheet, int tab, const char* file)
    {
        sheet.show();
        sheet.findChild<QTabWidget*>()->setCurrentWidget(sheet.page(tab));
        const QImage image = sheet.grab().toImage();
        const auto path = artefacts_dir() / file;
        EXPECT_TRUE(image.save(QString::fromStdString(path.string())));
        std::printf("picture of the property page: %s\n", path.c_str());
    }

    // A click on OK, Cancel or Apply.
    static void press(forms::PropertySheet& sheet, QDialogButtonBox::StandardButton which)
    {
        sheet.show();
        QPushButton* button = sheet.findChild<QDialogButtonBox*>()->button(which);
        ASSERT_TRUE(button->isEnabled()) << button->text().toStdString() << " is greyed";
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // A click on the tab of page `tab`.
    static void click_tab(forms::PropertySheet& sheet, int tab)
    {
        sheet.show();
        QTabBar* bar = sheet.findChild<QTabWidget*>()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(tab).center());
    }

    // A key pressed in a field (its Qt widget, inside the runtime's control) that has the focus.
    template <typename Field>
    static void key_into(Field& field, Qt::Key key, int times = 1)
    {
        QWidget* inner = inner_widget(field);
        inner->setFocus(Qt::TabFocusReason);
        for (int i = 0; i < times; ++i)
            QTest::keyClick(inner, key);
    }

    // Text typed into a field in place of what it held (Ctrl+A, then the keys).
    template <typename Field>
    static void type_into(Field& field, const QString& text)
    {
        QWidget* inner = inner_widget(field);
        inner->setFocus(Qt::TabFocusReason);
        QTest::keyClick(inner, Qt::Key_A, Qt::ControlModifier);
        if (text.isEmpty())
            QTest::keyClick(inner, Qt::Key_Delete);
        else
            QTest::keyClicks(inner, text);
    }

    // A click in the middle of a control (a check box, a button).
    static void click_on(QWidget& control) { QTest::mouseClick(&control, Qt::LeftButton, {}, control.rect().center()); }

    // The Qt widget inside a runtime control that takes a person's keys.
    template <typename Field>
    static QWidget* inner_widget(Field& field)
    {
        if (auto* combo = field.template findChild<QComboBox*>())
            return combo;
        if (auto* line = field.template findChild<QLineEdit*>())
            return line;
        if (auto* lines = field.template findChild<QPlainTextEdit*>())
            return lines;
        return &field;
    }

    // Loads a form file's text into a design-mode form and opens the sheet of `name` on it;
    // `before_sheet` may first give the control what no stored file holds (a value out of range
    // that only a Let can set).
    forms::ControlSite& open_stored(const char* form_text, const QString& name,
                                    const std::function<void(forms::ControlSite&)>& before_sheet = {})
    {
        // The old host goes first: each host's message recorder stands in for the one before.
        sheet_.reset();
        design_.reset();
        design_ = std::make_unique<forms::TestHost>(false);
        design_->form().load(forms::FormFile::parse(QString::fromUtf8(form_text)));
        forms::ControlSite* site = design_->form().site(name);
        EXPECT_NE(site, nullptr) << name.toStdString();
        if (before_sheet)
            before_sheet(*site);
        sheet_ = std::make_unique<forms::PropertySheet>();
        sheet_->open_for({site});
        return *site;
    }

    std::unique_ptr<forms::TestHost> design_;
    std::unique_ptr<forms::PropertySheet> sheet_;
};

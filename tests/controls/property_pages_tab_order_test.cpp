// Tab on every property page of the library, once round its window: the page's stops run as a person
// reads the page, top to bottom and, in one row, left to right, reach every control of the
// page that takes Tab and never a preview.

#include "tests/controls/property_sheet_fixture.h"

#include <QApplication>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest/QTest>

#include <string>
#include <vector>

namespace {

class PropertyPagesTabOrder : public PropertySheetTest {};

// The container a stop stands in (for a text box's field, the box's).
const QWidget* container_of(const QWidget& stop)
{
    const QWidget* parent = stop.parentWidget();
    return parent->focusProxy() == &stop ? parent->parentWidget() : parent;
}

// Where a stop stands on its page.
QRect on_page(const QWidget& stop, const QWidget& page)
{
    return QRect(stop.mapTo(&page, QPoint(0, 0)), stop.size());
}

bool reads_before(const QRect& a, const QRect& b)
{
    const bool one_row = a.top() < b.bottom() && b.top() < a.bottom();
    return one_row ? a.left() < b.left() : a.top() < b.top();
}

std::string described(const QWidget& w)
{
    return w.objectName().toStdString() + " (" + w.metaObject()->className() + ")";
}

TEST_F(PropertyPagesTabOrder, EveryPageIsWalkedAsItIsLaidOut)
{
    const char* const classes[] = {"KyComCtl.KyWizardNavigator", "KyComCtl.KyWizardTab",  "KyComCtl.KyLabel",
                                   "KyComCtl.KyUpDown",          "KyComCtl.KyProgressBar", "KyComCtl.KyProgressInfo",
                                   "KyComCtl.KyTreeBase"};
    for (const char* klass : classes) {
        open_designed(QString::fromLatin1(klass), QStringLiteral("ctlDesigned"));
        sheet_->show();
        sheet_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(sheet_.get()));
        auto* tabs = sheet_->findChild<QTabWidget*>();
        for (int i = 0; i < sheet_->page_count(); ++i) {
            QWidget& page = *sheet_->page(i);
            SCOPED_TRACE(std::string(klass) + ", page " + sheet_->tab_text(i).toStdString());
            tabs->setCurrentIndex(i);
            tabs->tabBar()->setFocus(Qt::TabFocusReason);
            QApplication::processEvents();
            // Once round the window, back to the page's tab.
            std::vector<QWidget*> stops;
            for (int step = 0; step < 120; ++step) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QWidget* focus = QApplication::focusWidget();
                if (focus == nullptr || focus == tabs->tabBar())
                    break;
                if (!page.isAncestorOf(focus))
                    continue;
                if (std::find(stops.begin(), stops.end(), focus) != stops.end()) {
                    std::string walked;
                    for (QWidget* w : stops)
                        walked += described(*w->parentWidget()) + "@" + std::to_string(on_page(*w, page).y()) + "," + std::to_string(on_page(*w, page).x()) + " ";
                    FAIL() << "round again at " << described(*focus) << " after " << walked;
                }
                stops.push_back(focus);
            }
            // Within one container (a frame is reached in its own place).
            for (std::size_t s = 1; s < stops.size(); ++s) {
                if (container_of(*stops[s - 1]) != container_of(*stops[s]))
                    continue;
                EXPECT_TRUE(reads_before(on_page(*stops[s - 1], page), on_page(*stops[s], page)))
                    << described(*stops[s - 1]) << " then " << described(*stops[s]);
            }
            std::size_t takes_tab = 0;
            for (QWidget* w : page.findChildren<QWidget*>())
                if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled() && w->focusProxy() == nullptr)
                    ++takes_tab;
            EXPECT_EQ(stops.size(), takes_tab);
            for (QWidget* stop : stops)
                EXPECT_NE(stop->property("Caption").toString(), QStringLiteral("Command1")) << "a preview";
            if (sheet_->tab_text(i) == QStringLiteral("Position") && stops.size() > 1) {
                // A picture with the focus on the page's second stop, as Tab leaves it.
                stops[1]->setFocus(Qt::TabFocusReason);
                QApplication::processEvents();
                EXPECT_TRUE(sheet_->grab().toImage().save(
                    QString::fromStdString((artefacts_dir() / "position_page_tab_focus.png").string())));
            }
        }
        sheet_.reset();
        design_.reset();
    }
}

} // namespace

// What every window over a core model does with its text boxes, in the composed program: a
// refresh while the user types in a box leaves the box alone, and once the user leaves it the
// box shows what the model made of the entry.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

#include "ProgramRig.h"
#include "gui/HarmonicsWindow.h"

namespace ql::gui {
namespace {

TEST(ModelWindow, ARefreshKeepsTheBoxBeingTypedInAndLeavingItShowsTheModelsText)
{
    struct Case {
        const char* box;
        const char* typed;
        std::string HarmonicsWindowView::*shown;
    };
    const Case cases[] = {
        {"voltsPerAmpBox", "abc", &HarmonicsWindowView::voltsPerAmpText},  // taken on leaving
        {"powerFactorBox", "0,5x", &HarmonicsWindowView::powerFactorText},
        {"headlineBox", "  Bench 3  ", &HarmonicsWindowView::headline},  // taken on each edit
    };
    ProgramRig rig;
    rig.startUp();
    named(rig.window, "harmonicsItem").trigger();
    QApplication::processEvents();
    auto& harmonics = *rig.window.windows().window<HarmonicsWindow>(ToolWindow::HarmonicsWindow);
    harmonics.tabs()->setCurrentIndex(static_cast<int>(HarmonicsTab::Settings));
    auto* elsewhere = harmonics.findChild<QCheckBox*>(QStringLiteral("maxHoldBox"));
    for (const Case& c : cases) {
        auto* box = harmonics.findChild<QLineEdit*>(QString::fromUtf8(c.box));
        ASSERT_TRUE(box) << c.box;
        focusOn(rig, box);
        ASSERT_TRUE(box->hasFocus()) << c.box;
        box->selectAll();
        QTest::keyClicks(box, QString::fromUtf8(c.typed));
        rig.host.refreshWindow(ToolWindow::HarmonicsWindow);
        EXPECT_EQ(box->text(), QString::fromUtf8(c.typed)) << c.box;

        focusOn(rig, elsewhere);
        rig.host.refreshWindow(ToolWindow::HarmonicsWindow);
        const std::string shown = harmonics.model().view().*c.shown;
        EXPECT_NE(shown, c.typed) << c.box;
        EXPECT_EQ(box->text().toStdString(), shown) << c.box;
    }
}

}  // namespace
}  // namespace ql::gui

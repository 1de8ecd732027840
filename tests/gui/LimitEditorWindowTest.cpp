// The limit editor in the composed program, offscreen, on the simulated instrument's line
// current: choosing a definition re-judges the table, typing into the list changes nothing, New
// answers its input boxes, Enter walks from the order to the limit to Store, and what was stored
// is in the user's database for the next start. The Settings tab is saved in the build tree
// (tests/gui/artefacts) for a person to look at.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QInputDialog>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <deque>

#include "ProgramRig.h"
#include "gui/HarmonicsWindow.h"
#include "gui/LimitEditor.h"
#include "harmonics/HarmonicTexts.h"
#include "scopesim/MainBlock.h"
#include "state/NumberFormat.h"

namespace ql::gui {
namespace {

// Answers the input boxes that come up from a queue.
class InputBoxAnswerer {
public:
    InputBoxAnswerer()
    {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            if (!box || answers.empty()) return;
            prompts << box->labelText();
            box->setTextValue(answers.front());
            answers.pop_front();
            box->accept();
        });
        timer_.start();
    }
    std::deque<QString> answers;
    QStringList prompts;

private:
    QTimer timer_;
};

struct EditorProgram : ProgramRig {
    EditorProgram() : ProgramRig(lineCurrent())
    {
        startUp();
        sim.instrument().mainBlock().set(scopesim::MainField::TbAIndex, 18);  // 50 ms/div
        named(window, "harmonicsItem").trigger();
        QApplication::processEvents();
        harmonics().tabs()->setCurrentIndex(static_cast<int>(HarmonicsTab::Settings));
        for (int k = 0; k < 2; ++k) {
            named(window, "readButton").trigger();
            QApplication::processEvents();
        }
    }
    static scopesim::SimulatorConfig lineCurrent()
    {
        scopesim::SimulatorConfig config;
        config.inputs[0] = scopesim::Signal::lineCurrent(50.0, 1.0, {{3, 0.3}, {5, 0.1}});
        return config;
    }
    HarmonicsWindow& harmonics() const
    {
        return *window.windows().window<HarmonicsWindow>(ToolWindow::HarmonicsWindow);
    }
    LimitEditor& editor() const { return *harmonics().limitEditor(); }
    QString limitCell(int order) const
    {
        return harmonics()
            .table()
            ->item(order - 1, static_cast<int>(HarmonicColumn::Limit))
            ->text();
    }
    InputBoxAnswerer inputs;
};

}  // namespace

TEST(LimitEditorInProgram, ChoosingADefinitionJudgesTheTableByIt)
{
    EditorProgram rig;
    LimitEditor& e = rig.editor();
    QComboBox& list = *e.definitionList();
    ASSERT_EQ(list.count(), 3);
    ASSERT_EQ(rig.harmonics().table()->rowCount(), 40);
    EXPECT_EQ(rig.limitCell(3), QStringLiteral("Not def."));

    // Typed letters are discarded; Enter chooses what the list shows.
    list.setFocus();
    list.setCurrentIndex(0);
    QTest::keyClick(&list, Qt::Key_C);
    EXPECT_EQ(list.currentIndex(), 0);
    EXPECT_EQ(rig.state.harm.harmLimitName.trimmed(), "");
    QTest::keyClick(&list, Qt::Key_Return);
    EXPECT_EQ(rig.state.harm.harmLimitName.trimmed(), "Class A");
    EXPECT_EQ(e.rowsGrid()->rowCount(), 39);
    EXPECT_EQ(rig.limitCell(3),
              QString::fromStdString(tableAmperesText(2.30f, systemDecimalSign())));
    EXPECT_EQ(rig.limitCell(1), QStringLiteral("Not def."));

    // A choice with the mouse (the list's activation) re-judges at once.
    list.setCurrentIndex(2);
    emit list.activated(2);
    EXPECT_EQ(rig.state.harm.harmLimitName.trimmed(), "Class C");
    EXPECT_EQ(e.rowsGrid()->rowCount(), 20);
    EXPECT_NE(rig.limitCell(3),
              QString::fromStdString(tableAmperesText(2.30f, systemDecimalSign())));
}

TEST(LimitEditorInProgram, NewAndStoreWalkByEnterAndLastTillTheNextStart)
{
    EditorProgram rig;
    LimitEditor& e = rig.editor();
    rig.inputs.answers = {QStringLiteral("Bench supply"), QStringLiteral("2")};
    e.newButton()->click();  // the relative question is answered No
    ASSERT_EQ(rig.inputs.prompts.size(), 2);
    EXPECT_EQ(e.definitionList()->currentText(), QStringLiteral("Bench supply"));
    EXPECT_EQ(rig.state.harm.harmLimitName.trimmed(), "Bench supply");
    EXPECT_EQ(e.rowsGrid()->rowCount(), 0);

    QLineEdit& order = *e.orderBox();
    QLineEdit& limit = *e.limitBox();
    rig.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&rig.window));
    order.setFocus();
    order.selectAll();
    QTest::keyClicks(&order, QStringLiteral("3"));
    QTest::keyClick(&order, Qt::Key_Return);
    EXPECT_TRUE(limit.hasFocus());
    limit.selectAll();
    QTest::keyClicks(&limit, QStringLiteral("0.1"));
    QTest::keyClick(&limit, Qt::Key_Return);
    EXPECT_TRUE(e.storeButton()->hasFocus());
    QTest::keyClick(e.storeButton(), Qt::Key_Return);
    ASSERT_EQ(e.rowsGrid()->rowCount(), 1);
    EXPECT_EQ(order.text(), QStringLiteral("4"));
    EXPECT_TRUE(limit.hasFocus());
    // The 3rd harmonic of 0.3 A against 0.1 A fails at once.
    EXPECT_EQ(rig.limitCell(3),
              QString::fromStdString(tableAmperesText(0.1f, systemDecimalSign())));
    EXPECT_EQ(rig.harmonics().table()->item(2, static_cast<int>(HarmonicColumn::Check))->text(),
              QStringLiteral("Fail"));

    rig.harmonics().tabs()->setCurrentIndex(static_cast<int>(HarmonicsTab::Settings));
    const QString folder = QStringLiteral(QL240_TEST_ARTEFACTS);
    QDir().mkpath(folder);
    EXPECT_TRUE(rig.harmonics().grab().save(folder + QStringLiteral("/limit-editor.png")));

    // The next start finds the definition in the user's database.
    LimitStore again(rig.paths.userDataFile("obwlimit.db"), rig.paths.dataFile("obwlimit.sql"));
    const std::optional<LimitDefinition> kept = again.definition("Bench supply");
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->multiplier, 2.0);
    EXPECT_EQ(kept->limits, (std::map<int, float>{{3, 0.1f}}));
}

}  // namespace ql::gui

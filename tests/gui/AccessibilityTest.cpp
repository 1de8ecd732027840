// Every control of every window acts the same for an assistive technology as for the mouse and
// the keyboard: two copies of the program, started alike, are walked through every window; at
// each check box and option one is clicked with the mouse and the other toggled through the
// accessibility interface, at each text box a text is typed and confirmed in one and set through
// the accessibility interface in the other, at each list an entry is picked with the mouse in one
// and among the list's accessible children in the other, and each step must change both programs
// alike. And a screen reader reads what the windows show: measured values, the lists' values and
// the harmonics result.

#include <gtest/gtest.h>

#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTest>
#include <map>
#include <set>

#include "ProgramRig.h"
#include "WindowWalk.h"
#include "files/DataFileCodec.h"
#include "files/ParameterFile.h"
#include "gui/LimitEditor.h"
#include "gui/MeasurementWindow.h"
#include "gui/StepList.h"
#include "scopesim/MainBlock.h"

namespace ql::gui {
namespace {

// What a widget shows, or a null string for one that shows nothing.
QString shown(const QWidget* w)
{
    if (const auto* b = qobject_cast<const QAbstractButton*>(w))
        return b->isCheckable() ? QString::number(b->isChecked()) : QString();
    if (const auto* list = qobject_cast<const QComboBox*>(w))
        return list->currentText() + QLatin1Char('|') + list->placeholderText();
    if (const auto* bar = qobject_cast<const QAbstractSlider*>(w))
        return QString::number(bar->value());
    if (const auto* label = qobject_cast<const QLabel*>(w)) return label->text();
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(const_cast<QWidget*>(w));
    const bool text = qobject_cast<const QLineEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w) ||
                      qobject_cast<const QAbstractSpinBox*>(w);
    return text && face ? face->text(QAccessible::Value) : QString();
}

// The program's state as its files hold it, the fields they leave out that the windows
// change, what the instrument was sent, and what every widget shows once every open window has
// shown the state again; one line per item.
std::map<QString, QString> snapshot(ProgramRig& rig)
{
    for (int w = 0; w < kToolWindowCount; ++w) rig.host.refreshWindow(static_cast<ToolWindow>(w));
    QApplication::processEvents();
    const ProgramState& st = rig.state;
    const AutoStore& a = st.autoStore;
    std::map<QString, QString> s;
    s[QStringLiteral("files")] = QString::fromLatin1(
        QByteArray::fromStdString(encodeSettingsFile(st) + encodeParameterRecord(st)).toHex());
    s[QStringLiteral("others")] =
        QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9")
            .arg(st.link.remoteHeld)
            .arg(st.link.autoUpdate)
            .arg(a.autoStoreTimed)
            .arg(a.autoStorePrint)
            .arg(a.autoStoreAsTable)
            .arg(a.autoStoreMinutes)
            .arg(st.harm.harmPowerFactor)
            .arg(st.harm.harmVoltsPerAmp)
            .arg(
                QString::fromStdString(a.autoStorePrefix).remove(QString::fromStdString(rig.root)));
    for (const std::string& c : rig.sim.commandTexts())
        s[QStringLiteral("sent")] += QString::fromStdString(c) + QLatin1Char(' ');
    const QList<QWidget*> widgets = rig.window.findChildren<QWidget*>();
    for (qsizetype i = 0; i < widgets.size(); ++i)
        if (widgets[i]->isVisible() && !shown(widgets[i]).isNull())
            s[QStringLiteral("%1 %2").arg(i).arg(widgets[i]->objectName())] = shown(widgets[i]);
    // The autostore files' folder is each program's own.
    for (auto& [key, value] : s) value.remove(QString::fromStdString(rig.root));
    return s;
}

using Step = std::function<void(QWidget*)>;

// Two copies of the program started alike (their one-second timers off): one driven by the
// mouse and the keyboard, the other through the accessibility interface.
struct TwinPrograms {
    TwinPrograms()
    {
        for (ProgramRig* rig : {&byHand, &byAccess}) rig->startUp();
    }
    // Each visible and enabled control that `pick` takes and no earlier call took is changed
    // in both programs, by `handStep` and `accessStep`, from the same state. Returns what
    // differs after the first change that left the two apart, or nothing.
    std::string compare(const std::function<bool(QWidget*)>& pick, const Step& handStep,
                        const Step& accessStep, std::set<QWidget*>& done)
    {
        for (qsizetype i = 0;; ++i) {
            const QList<QWidget*> hand = byHand.window.findChildren<QWidget*>();
            const QList<QWidget*> access = byAccess.window.findChildren<QWidget*>();
            if (i >= hand.size() || hand.size() != access.size()) return {};
            QWidget* w = hand[i];
            if (!w->isVisible() || !w->isEnabled() ||
                w->objectName().startsWith(QStringLiteral("qt_")) || !pick(w) ||
                !done.insert(w).second)
                continue;
            focusOn(byHand, w);
            handStep(w);
            focusOn(byAccess, access[i]);
            accessStep(access[i]);
            const auto a = snapshot(byHand), b = snapshot(byAccess);
            std::string differs;
            for (const auto& [key, value] : a)
                if (!b.count(key) || b.at(key) != value)
                    differs += "\n  " + key.toStdString() + ": " + value.toStdString() + " / " +
                               (b.count(key) ? b.at(key).toStdString() : "-");
            if (!differs.empty()) return w->objectName().toStdString() + differs;
        }
    }

    ProgramRig byHand, byAccess;
};

QString otherText(QWidget* box)
{
    const QString now = QAccessible::queryAccessibleInterface(box)->text(QAccessible::Value);
    return now == QStringLiteral("2") ? QStringLiteral("3") : QStringLiteral("2");
}

// Enter confirms a text box, except in a dialog, where it presses the default button, and in
// a box of several lines, where it starts a new line: leaving the box confirms those.
void confirm(QWidget* box, bool typed)
{
    if (qobject_cast<QPlainTextEdit*>(box) || qobject_cast<QDialog*>(box->window()))
        box->clearFocus();
    else if (typed)
        QTest::keyClick(box, Qt::Key_Return);
}

TEST(Accessibility, EveryBoxAndOptionActsTheSameAsForTheMouseAndKeys)
{
    TwinPrograms twins;
    std::set<QWidget*> toggled, typed;
    const auto checkable = [](QWidget* w) {
        auto* b = qobject_cast<QAbstractButton*>(w);
        return b && b->isCheckable();
    };
    const auto textBox = [](QWidget* w) {
        return (qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w)) &&
               !w->property("readOnly").toBool();
    };
    // A click on the indicator of a box or option, against the toggle action; a text typed
    // and confirmed, against the same text set through the interface.
    const Step click = [](QWidget* w) {
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(6, w->height() / 2));
    };
    const Step toggle = [](QWidget* w) {
        QAccessible::queryAccessibleInterface(w)->actionInterface()->doAction(
            QAccessibleActionInterface::toggleAction());
    };
    const Step type = [](QWidget* w) {
        const QString text = otherText(w);
        QMetaObject::invokeMethod(w, "selectAll");
        QTest::keyClicks(w, text);
        confirm(w, true);
    };
    const Step setText = [](QWidget* w) {
        QAccessible::queryAccessibleInterface(w)->setText(QAccessible::Value, otherText(w));
        confirm(w, false);
    };
    // A list's last entry picked with the mouse in the list Alt+Down opens, against its accessible
    // child, named as the entry, toggled: that ends in activated() too.
    const auto stepList = [](QWidget* w) { return qobject_cast<StepList*>(w) != nullptr; };
    const Step pickWithMouse = [](QWidget* w) {
        QAbstractItemView* entries = static_cast<QComboBox*>(w)->view();
        const QModelIndex entry = entries->model()->index(entries->model()->rowCount() - 1, 0);
        QTest::keyClick(w, Qt::Key_Down, Qt::AltModifier);
        entries->scrollTo(entry);
        const QPoint at =
            entries->visualRect(entry).intersected(entries->viewport()->rect()).center();
        QTest::mouseClick(entries->viewport(), Qt::LeftButton, {}, at);
    };
    const Step pickByName = [](QWidget* w) {
        auto* list = static_cast<QComboBox*>(w);
        QAccessibleInterface* entries = QAccessible::queryAccessibleInterface(w)->child(0);
        ASSERT_TRUE(entries && entries->childCount() == list->count())
            << w->objectName().toStdString();
        for (int i = 0; i < list->count(); ++i)
            EXPECT_EQ(entries->child(i)->text(QAccessible::Name), list->itemText(i));
        int picked = -1;
        QObject watch;
        QObject::connect(list, &QComboBox::activated, &watch, [&](int e) { picked = e; });
        entries->child(list->count() - 1)
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::toggleAction());
        EXPECT_EQ(picked, list->count() - 1) << w->objectName().toStdString();
    };
    std::set<QWidget*> picked;
    for (const WindowStage& stage : windowStages()) {
        for (ProgramRig* rig : {&twins.byHand, &twins.byAccess}) stage.open(*rig);
        EXPECT_EQ(twins.compare(checkable, click, toggle, toggled), "") << stage.name;
        EXPECT_EQ(twins.compare(textBox, type, setText, typed), "") << stage.name;
        EXPECT_EQ(twins.compare(stepList, pickWithMouse, pickByName, picked), "") << stage.name;
        for (ProgramRig* rig : {&twins.byHand, &twins.byAccess})
            if (stage.close) stage.close(*rig);
    }
    EXPECT_GT(toggled.size(), 90u);
    EXPECT_GT(typed.size(), 20u);
    EXPECT_GE(picked.size(), 6u);
}

// What a screen reader says of a widget: its name, then its value and its description.
std::string spoken(QWidget* w)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
    if (!face) return {};
    QStringList parts;
    for (QAccessible::Text t : {QAccessible::Name, QAccessible::Value, QAccessible::Description})
        if (!face->text(t).isEmpty() && !parts.contains(face->text(t))) parts << face->text(t);
    return parts.join(QLatin1Char(' ')).toStdString();
}

TEST(Accessibility, AScreenReaderReadsMeasuredValuesListValuesAndTheHarmonicsResult)
{
    // A line current on CH I at 50 ms/div, which the harmonics test judges.
    scopesim::SimulatorConfig config;
    config.inputs[0] = scopesim::Signal::lineCurrent(50.0, 1.0, {{3, 0.3}, {5, 0.1}});
    ProgramRig rig(config);
    rig.startUp();
    rig.sim.instrument().mainBlock().set(scopesim::MainField::TbAIndex, 18);
    rig.host.openWindow(ToolWindow::MeasurementWindow);
    named(rig.window, "harmonicsItem").trigger();
    QApplication::processEvents();
    auto& harmonics = *rig.window.windows().window<HarmonicsWindow>(ToolWindow::HarmonicsWindow);
    QTableWidget& table = *harmonics.table();
    EXPECT_EQ(spoken(&table), "Harmonics result No result");
    QComboBox& definitions = *harmonics.limitEditor()->definitionList();
    ASSERT_GT(definitions.count(), 0);
    definitions.setCurrentIndex(0);
    emit definitions.activated(0);
    named(rig.window, "readButton").trigger();
    QApplication::processEvents();

    // The value under its caption.
    auto* measurements =
        rig.window.windows().window<MeasurementWindow>(ToolWindow::MeasurementWindow);
    auto* vpp = qobject_cast<QAbstractButton*>(measurements->valueCell(1, MeasureRow::Vpp));
    ASSERT_NE(vpp, nullptr);
    EXPECT_EQ(spoken(vpp), "CH I Vpp " + vpp->text().toStdString());
    // The list's value, shown with no entry selected.
    auto* volts = rig.window.findChild<QComboBox*>(QStringLiteral("ch1VoltsList"));
    ASSERT_NE(volts, nullptr);
    EXPECT_EQ(spoken(volts), "CH I volts/div " + volts->placeholderText().toStdString());
    // The overall result in words, as the table's colour shows it.
    const QColor colour = table.palette().color(QPalette::Base);
    const QString result = colour == QColor(128, 255, 128)   ? QStringLiteral("Pass")
                           : colour == QColor(255, 128, 128) ? QStringLiteral("Fail")
                                                             : QStringLiteral("No result");
    EXPECT_NE(result, QStringLiteral("No result"));
    EXPECT_EQ(spoken(&table), "Harmonics result " + result.toStdString());
}

}  // namespace
}  // namespace ql::gui

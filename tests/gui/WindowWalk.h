#pragma once
// The windows of the program a user opens, one stage after another, for the tests that walk
// every window: each stage opens its windows (or shows a tab) and leaves them open, except
// what its `close` closes again before the next stage.

#include <QApplication>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <functional>
#include <iterator>
#include <vector>

#include "EventWait.h"
#include "ProgramRig.h"
#include "fft/FftWindowController.h"
#include "gui/HarmonicsWindow.h"
#include "gui/NotesWindow.h"
#include "gui/UserDetailsDialog.h"

namespace ql::gui {

struct WindowStage {
    const char* name;
    std::function<void(ProgramRig&)> open;
    std::function<void(ProgramRig&)> close;
};

// A stage that triggers the main window's `items` and finds `windows` open after them.
inline WindowStage byItems(const char* name, std::vector<const char*> items,
                           std::vector<ToolWindow> windows)
{
    return {name,
            [items, windows](ProgramRig& rig) {
                for (const char* item : items) named(rig.window, item).trigger();
                QApplication::processEvents();
                for (ToolWindow w : windows)
                    EXPECT_TRUE(rig.host.isWindowOpen(w)) << toolWindowName(w);
            },
            {}};
}

inline std::vector<WindowStage> windowStages()
{
    std::vector<WindowStage> stages = {
        byItems("the start-up windows after a read", {"readButton"}, {}),
        {"XY and zoom",
         [](ProgramRig& rig) {
             rig.host.openWindow(ToolWindow::XyView);
             rig.host.openWindow(ToolWindow::ZoomWindow);
             EXPECT_TRUE(rig.host.isWindowOpen(ToolWindow::XyView));
             EXPECT_TRUE(rig.host.isWindowOpen(ToolWindow::ZoomWindow));
         },
         {}},
        {"the port set-up",
         [](ProgramRig& rig) {
             rig.host.openWindow(ToolWindow::PortSetup);
             EXPECT_TRUE(waitUntil([&] { return rig.host.isWindowOpen(ToolWindow::PortSetup); }));
         },
         [](ProgramRig& rig) {
             rig.host.closeWindow(ToolWindow::PortSetup);
             EXPECT_FALSE(rig.host.isWindowOpen(ToolWindow::PortSetup));
         }},
        byItems("the print settings with their preview, the export settings and the autostore "
                "window",
                {"printItem", "wmfExportButton", "autostoreItem"},
                {ToolWindow::PrinterSettings, ToolWindow::PrintPreview, ToolWindow::ExportSettings,
                 ToolWindow::AutostoreWindow}),
        byItems("the harmonics window's measurement tab", {"harmonicsItem"},
                {ToolWindow::HarmonicsWindow}),
        {"the harmonics window's settings tab",
         [](ProgramRig& rig) {
             rig.window.windows()
                 .window<HarmonicsWindow>(ToolWindow::HarmonicsWindow)
                 ->tabs()
                 ->setCurrentIndex(static_cast<int>(HarmonicsTab::Settings));
         },
         {}},
        byItems("the about window", {"aboutItem"}, {ToolWindow::AboutWindow}),
        {"the notes window with its user-details dialog",
         [](ProgramRig& rig) {
             named(rig.window, "notesButton").trigger();
             QApplication::processEvents();
             auto* notes = rig.window.windows().window<NotesWindow>(ToolWindow::NotesWindow);
             notes->userDetailsButton()->click();
             QApplication::processEvents();
             EXPECT_TRUE(notes->userDetailsDialog()->isVisible());
         },
         [](ProgramRig& rig) {
             rig.window.windows()
                 .window<NotesWindow>(ToolWindow::NotesWindow)
                 ->userDetailsDialog()
                 ->reject();
         }},
    };
    for (int tab = 0; tab < static_cast<int>(std::size(kFftTabCaptions)); ++tab)
        stages.push_back({kFftTabCaptions[tab],
                          [tab](ProgramRig& rig) {
                              if (tab == 0) named(rig.window, "fftItem").trigger();
                              QApplication::processEvents();
                              auto* tabs =
                                  rig.window.findChild<QTabBar*>(QStringLiteral("fftTabs"));
                              ASSERT_NE(tabs, nullptr);
                              tabs->setCurrentIndex(tab);
                          },
                          {}});
    return stages;
}

}  // namespace ql::gui

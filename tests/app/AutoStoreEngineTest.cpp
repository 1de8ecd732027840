// One autostore store as the main timer runs it: the numbered file, the printout naming it,
// the counter; a store that fails is told once, printed, uses no number and stops the
// autostore; so does running out of numbers.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "AutoStoreRig.h"
#include "TempFolder.h"
#include "files/AutoStoreFiles.h"

using namespace ql;
using namespace ql::testing;

namespace {

bool printed(const RecordingPrinter& printer, const std::string& text)
{
    const std::vector<std::string> texts = printer.recording().texts();
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

TEST(AutoStoreEngine, EachStoreWritesTheNextFileAndThePrintoutNamesIt)
{
    AutoStoreRig t;
    t.state.stamp.waveTime.assign("10:11:12");
    t.state.autoStore.autoStoreActive = 1;
    t.state.autoStore.autoStorePrint = 1;
    for (int i = 0; i < 2; ++i) t.store();

    EXPECT_EQ(t.files(),
              (std::vector<std::string>{"AutostoreXXX00000.mes", "AutostoreXXX00001.mes"}));
    EXPECT_EQ(t.printer.documentsDone(), 2);
    for (const char* name : {"AutostoreXXX00000.mes", "AutostoreXXX00001.mes"})
        EXPECT_TRUE(printed(t.printer, "Measure time: 10:11:12   " + t.file(name))) << name;
    EXPECT_EQ(t.state.autoStore.autoStoreCounter, 2);
    EXPECT_EQ(t.messageCount(), 0);
}

TEST(AutoStoreEngine, AStoreThatCannotBeWrittenIsToldOnceUsesNoNumberAndStops)
{
    const struct {
        const char* folder;  // under the rig's folder; "locked" is read-only
        const char* cause;   // the system's words in the message
    } cases[] = {{"missing", "does not exist"}, {"locked", "Permission denied"}};
    for (const auto& c : cases) {
        AutoStoreRig t;
        std::filesystem::create_directory(t.file("locked"));
        ::chmod(t.file("locked").c_str(), 0555);
        t.state.stamp.waveTime.assign("10:11:12");
        AutoStore& a = t.state.autoStore;
        a.autoStorePrefix = t.file(c.folder) + "/run";
        a.autoStoreActive = a.autoStorePrint = 1;
        a.autoStoreCounter = 3;
        {
            ql::test::PermissionsEnforced enforced;
            if (!enforced.ok()) GTEST_SKIP() << "cannot enforce permissions here";
            t.store();
        }
        ASSERT_EQ(t.messageCount(), 1) << c.folder;
        const std::string& text = t.host.messages[0].text;
        EXPECT_NE(text.find(t.file(c.folder)), std::string::npos) << text;
        EXPECT_NE(text.find(c.cause), std::string::npos) << text;
        // The page is printed, but names no file: none was stored.
        EXPECT_TRUE(printed(t.printer, "Measure time: 10:11:12"));
        EXPECT_EQ(a.autoStoreCounter, 3);
        EXPECT_EQ(a.autoStoreActive, 0);
        EXPECT_FALSE(t.state.clockNote.empty());
    }
}

TEST(AutoStoreEngine, AfterFile99999TheAutostoreStopsAndStartRefusesUntilStop)
{
    AutoStoreRig t;
    t.openWindow();
    AutoStore& a = t.state.autoStore;
    a.autoStoreActive = 1;
    a.autoStoreTimed = 1;
    a.autoStoreCounter = 99998;
    t.store();
    EXPECT_EQ(a.autoStoreCounter, 99999);
    EXPECT_EQ(a.autoStoreActive, 1);
    EXPECT_EQ(t.messageCount(), 0);

    t.store();
    EXPECT_EQ(a.autoStoreActive, 0);
    ASSERT_EQ(t.messageCount(), 1);
    EXPECT_EQ(t.host.messages[0].text, kAutoStoreNumbersUsedText);
    EXPECT_EQ(t.host.countEvents("refresh AutostoreWindow"), 1);  // the window shows "Start"
    EXPECT_EQ(t.controller.view().startCaption, "&Start");
    // A store that comes all the same writes nothing.
    t.store();
    EXPECT_EQ(t.files(),
              (std::vector<std::string>{"AutostoreXXX99998.mes", "AutostoreXXX99999.mes"}));

    t.host.clear();
    t.controller.startPause();
    EXPECT_EQ(a.autoStoreActive, 0);
    EXPECT_EQ(t.messageCount(), 1);
    t.controller.stop();
    EXPECT_EQ(a.autoStoreCounter, 0);
    t.controller.startPause();
    EXPECT_EQ(a.autoStoreActive, 1);
}

}  // namespace

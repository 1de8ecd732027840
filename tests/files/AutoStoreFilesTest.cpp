// The autostore's numbered files: their names, what each holds, and that only the file of
// the mode is replaced (a store into a missing folder: AutoStoreEngineTest).
#include <gtest/gtest.h>

#include <filesystem>

#include "DataFileTestSupport.h"
#include "TempFolder.h"
#include "files/AutoStoreFiles.h"
#include "files/DataFileCodec.h"
#include "files/TableExport.h"

using namespace ql;
using namespace ql::test;

namespace {

TEST(AutoStoreFiles, TheNameIsTheTrimmedPrefixTheNumberInFiveDigitsAndTheModesExtension)
{
    const std::string longFolder = "/home/somebody/measurements/line 3/transformer tests 2026";
    struct Case {
        std::string prefix;
        std::int32_t counter;
        bool asTable;
        std::string name;
    } cases[] = {
        {"/data/AutostoreXXX", 0, false, "/data/AutostoreXXX00000.mes"},
        {"/data/AutostoreXXX", 1, false, "/data/AutostoreXXX00001.mes"},
        {"/data/probe", 42, true, "/data/probe00042.tab"},
        {"  /data/probe   ", 7, false, "/data/probe00007.mes"},  // blanks around trimmed
        {"/data/probe", 99999, false, "/data/probe99999.mes"},
        {longFolder + "/probe", 3, false, longFolder + "/probe00003.mes"},  // kept whole
    };
    for (const Case& c : cases) {
        AutoStore a;
        a.autoStorePrefix = c.prefix;
        a.autoStoreCounter = c.counter;
        a.autoStoreAsTable = c.asTable ? 1 : 0;
        EXPECT_EQ(autoStoreFileName(a), c.name) << c.prefix;
    }
}

TEST(AutoStoreFiles, AStoreWritesTheFileOfItsModeAndLeavesTheOtherKindAlone)
{
    TempFolder dir("autostorefiles");
    ProgramState s = savableState();
    s.autoStore.autoStorePrefix = dir.file("probe");
    s.autoStore.autoStoreCounter = 4;
    writeFile(dir.file("probe00004.mes"), "an older measurement");
    writeFile(dir.file("probe00004.tab"), "an older table");

    const Result<std::string> mes = storeAutoStoreFile(s, ',', {});
    ASSERT_TRUE(mes.ok());
    EXPECT_EQ(mes.value(), dir.file("probe00004.mes"));
    EXPECT_EQ(readFile(mes.value()), encodeMeasurementFile(s));
    EXPECT_EQ(readFile(dir.file("probe00004.tab")), "an older table");

    s.autoStore.autoStoreAsTable = 1;
    s.autoStore.autoStoreCounter = 5;
    const Result<std::string> tab = storeAutoStoreFile(s, ',', {});
    ASSERT_TRUE(tab.ok());
    EXPECT_EQ(readFile(dir.file("probe00005.tab")), waveformTableText(s, ','));
    EXPECT_FALSE(std::filesystem::exists(dir.file("probe00005.mes")));
    EXPECT_EQ(s.autoStore.autoStoreCounter, 5);  // counting is the caller's
}

}  // namespace

// The Data menu's Load and Save: dialogs, file kinds by name, questions, messages, and saves
// that never leave a half-written file.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>
#include <filesystem>

#include "DataFileTestSupport.h"
#include "TempFolder.h"
#include "files/DataFileDialogs.h"
#include "files/TableExport.h"
#include "state/AtomicFile.h"
#include "state/RecordingFileDialogs.h"

using namespace ql;
using namespace ql::test;
namespace fs = std::filesystem;

namespace {

class DataFileDialogs : public ::testing::Test {
protected:
    TempFolder dir{"datadialogs"};
    ProgramState state = savableState();
    RecordingHost host;
    RecordingFileDialogs dialogs;
    NoInstrument instrument{state, host};

    void loadAnswering(std::optional<std::string> answer)
    {
        dialogs.answers.push_back(std::move(answer));
        host.clear();
        loadDataFile(state, host, dialogs, instrument.identification());
    }
    void saveAnswering(std::optional<std::string> answer)
    {
        dialogs.answers.push_back(std::move(answer));
        host.clear();
        saveDataFile(state, host, dialogs, '.');
    }
};

}  // namespace

TEST_F(DataFileDialogs, TheDialogsOfferWhatTheModelCanUse)
{
    const FileDialogRequest load = loadDialogRequest(state);
    EXPECT_EQ(load.title, "Load Data");
    EXPECT_EQ(load.filter, "Measurement (*.mes) |*.mes|Settings (*.set) |*.set");
    EXPECT_EQ(load.defaultExtension, "mes");
    EXPECT_TRUE(load.fileMustExist);
    EXPECT_FALSE(load.confirmOverwrite);

    const FileDialogRequest save = saveDialogRequest(state);
    EXPECT_EQ(save.title, "Save Data");
    EXPECT_EQ(save.filter,
              "Measurement (*.mes) |*.mes|Settings (*.set) |*.set|Table (*.tab) |*.tab");
    EXPECT_EQ(save.defaultExtension, "mes");
    EXPECT_FALSE(save.fileMustExist);
    EXPECT_TRUE(save.confirmOverwrite);
    EXPECT_TRUE(save.confirmCreate);

    state.identity.analogModel = 1;
    for (const FileDialogRequest& r : {loadDialogRequest(state), saveDialogRequest(state)}) {
        EXPECT_EQ(r.filter, "Settings (*.set) |*.set");
        EXPECT_EQ(r.defaultExtension, "set");
    }
}

TEST_F(DataFileDialogs, TheNameEndingChoosesTheKindInOneCaseOrTheOther)
{
    EXPECT_EQ(dataFileNameKind("/a/b.mes"), DataFileName::Measurement);
    EXPECT_EQ(dataFileNameKind("/a/B.MES"), DataFileName::Measurement);
    EXPECT_EQ(dataFileNameKind("lastmes"), DataFileName::Measurement);
    EXPECT_EQ(dataFileNameKind("x.SET"), DataFileName::Settings);
    EXPECT_EQ(dataFileNameKind("x.tab"), DataFileName::Table);
    EXPECT_EQ(dataFileNameKind("x.Mes"), DataFileName::Other);
    EXPECT_EQ(dataFileNameKind("x.seT"), DataFileName::Other);
    EXPECT_EQ(dataFileNameKind("es"), DataFileName::Other);
    EXPECT_EQ(dataFileNameKind(""), DataFileName::Other);
}

TEST_F(DataFileDialogs, CancellingDoesNothingButShowTheBusyPointerBriefly)
{
    state.currentFileName = "/before.mes";
    loadAnswering(std::nullopt);
    saveAnswering(std::nullopt);
    EXPECT_EQ(host.events, (std::vector<std::string>{"busy: 1", "busy: 0"}));
    EXPECT_EQ(state.currentFileName, "/before.mes");
    EXPECT_FALSE(state.busy.uiBusy);
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_FALSE(dialogs.shown[0].save);
    EXPECT_TRUE(dialogs.shown[1].save);
}

TEST_F(DataFileDialogs, ANameOfAnotherKindIsABadFilename)
{
    for (const char* name : {"x.tab", "x.Mes", "x.txt"}) {
        const std::string path = dir.file(name);
        writeFile(path, encodeMeasurementFile(state));
        loadAnswering(path);
        EXPECT_EQ(host.events, (std::vector<std::string>{
                                   "busy: 1", "message: Bad Filename | Load Datas", "busy: 0"}));
        EXPECT_EQ(state.currentFileName, path);
    }
    saveAnswering(dir.file("new.Tab"));
    EXPECT_EQ(host.events, (std::vector<std::string>{
                               "busy: 1", "message: Bad Filename | Save Datas", "busy: 0"}));
    EXPECT_FALSE(fs::exists(dir.file("new.Tab")));
}

TEST_F(DataFileDialogs, AGoodLoadEnablesSetReadSetAndAutoset)
{
    const ProgramState saved = state;
    writeFile(dir.file("lastmes"), encodeMeasurementFile(saved));
    state = savableState();
    state.ddf.tbAIndex = 2;
    loadAnswering(dir.file("lastmes"));
    EXPECT_EQ(state.ddf.tbAIndex, saved.ddf.tbAIndex);
    EXPECT_EQ(state.currentFileName, dir.file("lastmes"));
    const std::vector<std::string> tail(host.events.end() - 4, host.events.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"enable SetRead: 1", "enable Set: 1",
                                              "enable Autoset: 1", "busy: 0"}));
    EXPECT_NE(host.caption.find(dir.file("lastmes")), std::string::npos);
}

TEST_F(DataFileDialogs, AFailedLoadEnablesNothing)
{
    writeFile(dir.file("bad.SET"), "set6 too short");
    loadAnswering(dir.file("bad.SET"));
    EXPECT_EQ(host.events,
              (std::vector<std::string>{"busy: 1", "message: File Error | Load Datas", "busy: 0"}));
}

TEST_F(DataFileDialogs, AMeasurementWithoutNotesIsSavedOnlyAfterAYes)
{
    state.notesText.assign("   x   ");
    host.yesNoAnswers = {false};
    saveAnswering(dir.file("m.mes"));
    EXPECT_EQ(host.events, (std::vector<std::string>{
                               "busy: 1", "ask: SAVE WITHOUT NOTES ? | Save Datas", "busy: 0"}));
    EXPECT_FALSE(fs::exists(dir.file("m.mes")));

    dialogs.answers.push_back(dir.file("m.mes"));
    host.yesNoAnswers = {true};
    host.clear();
    saveDataFile(state, host, dialogs, '.');
    EXPECT_EQ(readFile(dir.file("m.mes")), encodeMeasurementFile(state));
    EXPECT_EQ(host.countEvents("caption: "), 1);
}

TEST_F(DataFileDialogs, NotesOfTwoCharactersSaveWithoutAQuestionAndUnchanged)
{
    state.notesText.assign("  ok");
    saveAnswering(dir.file("m.MES"));
    EXPECT_EQ(host.countEvents("ask: "), 0);
    const std::string bytes = readFile(dir.file("m.MES"));
    ASSERT_EQ(bytes.size(), 17624u);
    EXPECT_EQ(bytes.substr(16449 + 301, 6), "  ok  ");
    EXPECT_EQ(host.caption, mainWindowCaption(state));
    EXPECT_NE(host.caption.find("m.MES"), std::string::npos);
}

TEST_F(DataFileDialogs, SettingsAndTablesAreWrittenByTheirEnding)
{
    state.identity.analogModel = 1;  // the filter offers settings only; a typed name still counts
    saveAnswering(dir.file("s.set"));
    EXPECT_EQ(readFile(dir.file("s.set")), encodeSettingsFile(state));
    EXPECT_EQ(host.caption, mainWindowCaption(state));

    host.caption = "unchanged";
    saveAnswering(dir.file("t.TAB"));
    EXPECT_EQ(readFile(dir.file("t.TAB")), waveformTableText(state, '.'));
    EXPECT_EQ(host.caption, "unchanged");
    EXPECT_EQ(host.events, (std::vector<std::string>{"busy: 1", "busy: 0"}));
}

TEST_F(DataFileDialogs, ASaveReplacesALongerFileWhole)
{
    writeFile(dir.file("s.set"), std::string(20000, 'x'));
    saveAnswering(dir.file("s.set"));
    EXPECT_EQ(readFile(dir.file("s.set")), encodeSettingsFile(state));
}

TEST_F(DataFileDialogs, AFailedSaveIsOneFileErrorAndLeavesTheCaption)
{
    host.caption = "before";
    saveAnswering(dir.file("no-such-folder/s.set"));
    EXPECT_EQ(host.events,
              (std::vector<std::string>{"busy: 1", "message: File Error | Save Datas", "busy: 0"}));
    EXPECT_EQ(host.caption, "before");
}

TEST_F(DataFileDialogs, ASaveInterruptedBeforeTheRenameLeavesTheOldFile)
{
    const std::string path = dir.file("run.mes");
    ASSERT_TRUE(saveMeasurementFile(state, host, path));
    const std::string old = readFile(path);

    ProgramState changed = state;
    changed.ddf.tbAIndex = 3;
    changed.waves.waveCh1[100] = -1;
    const std::string replacement = encodeMeasurementFile(changed);
    // The new file is written out completely, then the process ends before putting it in place.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        Result<StagedFile> staged = stageFile(path, replacement, "Save Datas");
        ::_exit(staged.ok() && readFile(staged.value().temporaryPath()) == replacement ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);

    EXPECT_EQ(readFile(path), old);
    ProgramState loaded = savableState();
    loaded.ddf.tbAIndex = 9;
    NoInstrument other(loaded, host);
    ASSERT_TRUE(
        loadDataFileAt(loaded, host, other.identification(), path, DataFileKind::Measurement));
    EXPECT_EQ(loaded.ddf.tbAIndex, state.ddf.tbAIndex);

    // The next save is not disturbed by what the interrupted one left behind.
    ASSERT_TRUE(saveMeasurementFile(changed, host, path));
    EXPECT_EQ(readFile(path), replacement);
}

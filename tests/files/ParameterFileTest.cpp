#include <gtest/gtest.h>

#include <sys/stat.h>
#include <filesystem>
#include <string>

#include "TempFolder.h"
#include "files/ParameterFile.h"
#include "state/InitProgramState.h"
#include "state/RecordingHost.h"

using namespace ql;
using namespace ql::test;
namespace fs = std::filesystem;

namespace {

// Reference decoding of the stored record, straight from its documented layout.
int i16At(const std::string& b, int offset)
{
    const int v =
        static_cast<unsigned char>(b[offset]) | (static_cast<unsigned char>(b[offset + 1]) << 8);
    return v >= 0x8000 ? v - 0x10000 : v;
}

long i32At(const std::string& b, int offset)
{
    unsigned long v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[offset + i]);
    return static_cast<long>(static_cast<std::int32_t>(v));
}

std::string textAt(const std::string& b, int offset, int size)
{
    return b.substr(offset, size);
}

std::string padded(const std::string& s, std::size_t n)
{
    return s + std::string(n - s.size(), ' ');
}

WindowPlacement wp(int l, int t, int s, int w = 0, int h = 0)
{
    return WindowPlacement{static_cast<std::int16_t>(l), static_cast<std::int16_t>(t),
                           static_cast<std::int16_t>(s), static_cast<std::int16_t>(w),
                           static_cast<std::int16_t>(h)};
}

// A state with a different value in every field the record holds.
ProgramState distinctState()
{
    ProgramState s;
    s.language = 1;
    WindowLayout& l = s.layout;
    l.automesVisible = 7;
    l.measurementWindow = wp(-1234, 32767, 0);
    l.printPreview = wp(101, 102, 1, 103, 104);
    l.printerSettings = wp(201, 202, 2);
    l.screenWindow = wp(301, 302, 0, 303, 304);
    l.xyView = wp(401, 402, 1, 403, 404);
    l.zoomWindow = wp(501, 502, 2, 503, 504);
    l.channelPanel = wp(601, 602, 1);
    l.triggerPanel = wp(701, 702, 2);
    l.storagePanel = wp(801, 802, 1);
    l.cursorWindow = wp(901, 902, 2);
    l.intensityPanel = wp(1001, 1002, 1);
    l.timebasePanel = wp(1101, 1102, 2);
    s.link.comPort = 3;
    s.link.baudRate = 115200;
    l.analysisChart = wp(1201, 1202, 0, 1203, 1204);
    s.parReservedText.assign("reserved-22-characters");
    UserContact& u = s.user;
    u.userCompany.assign("Company Ltd");
    u.userFirstName.assign("Jörg");
    u.userLastName.assign("Last");
    u.userStreet.assign("Street");
    u.userHouseNumber.assign("12a");
    u.userPostalCode.assign("D-12345");
    u.userCity.assign("City");
    u.userCountry.assign("Country");
    u.userVatId.assign("VAT-1");
    u.userPhone.assign("+49 1");
    u.userFax.assign("+49 2");
    u.userEmail.assign("user@example.org");
    return s;
}

// Two states agree on every field of the record (whose layout the offset test pins down).
void expectSameRecord(const ProgramState& a, const ProgramState& b)
{
    EXPECT_EQ(encodeParameterRecord(a), encodeParameterRecord(b));
}

// The default layout as documented, placement by placement.
void expectDefaults(const ProgramState& s)
{
    ProgramState expected = s;  // language, reserved text and contacts as they are
    WindowLayout& l = expected.layout;
    l.automesVisible = 1;
    l.screenWindow = wp(10, 10, 0, 5650, 5500);
    l.printPreview = wp(5750, 10, 0, 5000, 7070);
    l.measurementWindow = wp(5750, 50, 0);
    l.printerSettings = wp(10, 10, 0);
    l.xyView = wp(5750, 10, 0, 4000, 4000);
    l.zoomWindow = wp(5750, 4050, 0, 4000, 4000);
    l.channelPanel = wp(10, 5600, 0);
    l.triggerPanel = wp(5750, 4600, 0);
    l.storagePanel = wp(5750, 2300, 0);
    l.cursorWindow = wp(8200, 10, 0);
    l.analysisChart = wp(100, 10, 0, 6000, 5160);
    l.intensityPanel = wp(5750, 10, 0);
    l.timebasePanel = wp(5750, 6520, 0);
    expected.link.comPort = 2;
    expected.link.baudRate = 19200;
    expectSameRecord(s, expected);
    EXPECT_EQ(s.parDefaultsGenerated, 1);
}

ProgramState startState()
{
    ProgramState s;
    initProgramState(s, "/tmp");
    return s;
}

class ParameterFileTest : public ::testing::Test {
protected:
    ParameterFileTest() : root("parfile"), paths(AppPaths::underRoot(root.path().string()))
    {
        fs::create_directories(paths.configDir());
    }
    std::string parFile() const { return paths.configFile("Tx4080.par"); }

    TempFolder root;
    AppPaths paths;
    RecordingHost host;
};

}  // namespace

TEST_F(ParameterFileTest, EveryFieldLiesAtItsDocumentedOffset)
{
    const std::string b = encodeParameterRecord(distinctState());
    ASSERT_EQ(b.size(), 1089u);
    EXPECT_EQ(textAt(b, 0, 5), "par05");
    EXPECT_EQ(b[5], 1);  // Language
    EXPECT_EQ(b[6], 7);  // AutomesVisible
    EXPECT_EQ(i16At(b, 7), -1234);
    EXPECT_EQ(i16At(b, 9), 32767);
    // Offset -> value for every 16-bit field from the print preview to the timebase panel.
    const int words[][2] = {
        {11, 101},  {13, 102},   {15, 1},     {17, 103},  {19, 104},  // print preview
        {21, 201},  {23, 202},   {25, 2},                             // printer settings
        {27, 301},  {29, 302},   {31, 0},     {33, 303},  {35, 304},  // screen window
        {37, 401},  {39, 402},   {41, 1},     {43, 403},  {45, 404},  // XY view
        {47, 501},  {49, 502},   {51, 2},     {53, 503},  {55, 504},  // zoom window
        {57, 601},  {59, 602},   {61, 1},                             // channel panel
        {63, 701},  {65, 702},   {67, 2},                             // trigger panel
        {69, 801},  {71, 802},   {73, 1},                             // storage panel
        {75, 901},  {77, 902},   {79, 2},                             // cursor window
        {81, 1001}, {83, 1002},  {85, 1},                             // intensity panel
        {87, 1101}, {89, 1102},  {91, 2},                             // timebase panel
        {93, 3},                                                      // port
        {99, 1201}, {101, 1202}, {103, 1203}, {105, 1204}};           // analysis charts
    for (const auto& w : words) EXPECT_EQ(i16At(b, w[0]), w[1]) << "offset " << w[0];
    EXPECT_EQ(i32At(b, 95), 115200);
    EXPECT_EQ(textAt(b, 107, 22), "reserved-22-characters");
    EXPECT_EQ(textAt(b, 129, 80), padded("Company Ltd", 80));
    EXPECT_EQ(textAt(b, 209, 80), padded("J\xF6rg", 80));  // Windows-1252 on disk
    EXPECT_EQ(textAt(b, 289, 80), padded("Last", 80));
    EXPECT_EQ(textAt(b, 369, 80), padded("Street", 80));
    EXPECT_EQ(textAt(b, 449, 80), padded("12a", 80));
    EXPECT_EQ(textAt(b, 529, 80), padded("D-12345", 80));
    EXPECT_EQ(textAt(b, 609, 80), padded("City", 80));
    EXPECT_EQ(textAt(b, 689, 80), padded("Country", 80));
    EXPECT_EQ(textAt(b, 769, 80), padded("VAT-1", 80));
    EXPECT_EQ(textAt(b, 849, 80), padded("+49 1", 80));
    EXPECT_EQ(textAt(b, 929, 80), padded("+49 2", 80));
    EXPECT_EQ(textAt(b, 1009, 80), padded("user@example.org", 80));
}

TEST_F(ParameterFileTest, AWrittenFileReadsBackUnchangedWithoutAMessage)
{
    ProgramState written = distinctState();
    written.language = 5;  // out of range: kept as read, start-up corrects it later
    written.user.userCity.assign("  spaced   ");
    ASSERT_TRUE(writeParameterFile(written, host, paths));
    EXPECT_EQ(fs::file_size(parFile()), 1089u);

    ProgramState read = startState();
    read.parDefaultsGenerated = 1;
    readParameterFile(read, host, paths);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(read.parDefaultsGenerated, 0);
    EXPECT_EQ(read.language, 5);
    expectSameRecord(read, written);
    EXPECT_EQ(read.user.userCity.str(), padded("  spaced   ", 80));
    EXPECT_EQ(read.user.userFirstName.trimmed(), "Jörg");
}

TEST_F(ParameterFileTest, AMissingFileGivesOneMessageAndTheDefaults)
{
    ProgramState s = startState();
    s.language = 1;
    readParameterFile(s, host, paths);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text.rfind("Generate new default settings\n", 0), 0u);
    EXPECT_EQ(host.messages[0].title, "Load default settings");
    expectDefaults(s);
    EXPECT_EQ(s.language, 1);
    EXPECT_EQ(s.user.userCompany.trimmed(), "Private person (no company)");
    EXPECT_FALSE(fs::exists(parFile()));  // reading creates nothing

    // Closing then writes a complete file that the next start reads without a message.
    ASSERT_TRUE(writeParameterFile(s, host, paths));
    ProgramState next = startState();
    host.clear();
    readParameterFile(next, host, paths);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(next.layout.screenWindow.width, 5650);
}

TEST_F(ParameterFileTest, AForeignTagIsTreatedAsMissing)
{
    for (const std::string tag : {"PAR05", "par04", "par0", ""}) {
        std::string bytes = encodeParameterRecord(distinctState());
        bytes.replace(0, 5, tag);
        writeFile(parFile(), bytes);
        ProgramState s = startState();
        host.clear();
        readParameterFile(s, host, paths);
        EXPECT_EQ(host.messages.size(), 1u) << tag;
        expectDefaults(s);
        EXPECT_EQ(s.language, 0) << tag;
        EXPECT_EQ(s.user.userCompany.trimmed(), "Private person (no company)") << tag;
        EXPECT_EQ(s.user.userEmail.trimmed(), "") << tag;
    }
}

TEST_F(ParameterFileTest, AShortFileIsDamagedButKeepsTheTextsWhollyInsideIt)
{
    // Ends 40 characters into the first name.
    const std::string bytes = encodeParameterRecord(distinctState()).substr(0, 209 + 40);
    writeFile(parFile(), bytes);
    ProgramState s = startState();
    readParameterFile(s, host, paths);
    EXPECT_EQ(host.messages.size(), 1u);
    expectDefaults(s);
    EXPECT_EQ(s.language, 1);
    EXPECT_EQ(s.parReservedText.str(), "reserved-22-characters");
    EXPECT_EQ(s.user.userCompany.trimmed(), "Company Ltd");
    EXPECT_EQ(s.user.userFirstName.trimmed(), "");  // cut: keeps its start value
    EXPECT_EQ(s.user.userVatId.trimmed(), "Not applicable");
}

TEST_F(ParameterFileTest, AFileNamedInAnotherCaseIsFound)
{
    writeFile(paths.configFile("tx4080.PAR"), encodeParameterRecord(distinctState()));
    ProgramState s = startState();
    readParameterFile(s, host, paths);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(s.link.baudRate, 115200);
    EXPECT_EQ(s.user.userEmail.trimmed(), "user@example.org");
}

TEST_F(ParameterFileTest, SavingTakesOnlyNormalPlacementsOfOpenWindows)
{
    ProgramState s = distinctState();
    ProgramState expected = s;
    // Normal: everything taken.
    host.openWindows.insert(ToolWindow::XyView);
    host.placements[static_cast<int>(ToolWindow::XyView)] = wp(11, 12, 0, 13, 14);
    // Maximised: state taken, the last normal placement kept.
    host.openWindows.insert(ToolWindow::ScreenWindow);
    host.placements[static_cast<int>(ToolWindow::ScreenWindow)] = wp(-8, -8, 2, 2000, 1500);
    // Minimised panel: state taken, position kept.
    host.openWindows.insert(ToolWindow::TimebasePanel);
    host.placements[static_cast<int>(ToolWindow::TimebasePanel)] = wp(0, 30000, 1);
    // A normal panel: position only.
    host.openWindows.insert(ToolWindow::ChannelPanel);
    host.placements[static_cast<int>(ToolWindow::ChannelPanel)] = wp(21, 22, 0, 999, 999);
    // The automatic-measurement window: position while normal, its state never stored.
    host.openWindows.insert(ToolWindow::MeasurementWindow);
    host.placements[static_cast<int>(ToolWindow::MeasurementWindow)] = wp(31, 32, 0);
    // Charts are open but store their own placement.
    host.openWindows.insert(ToolWindow::FftWindow);
    host.placements[static_cast<int>(ToolWindow::FftWindow)] = wp(41, 42, 0, 43, 44);

    ASSERT_TRUE(saveParameters(s, host, paths));
    WindowLayout& l = expected.layout;
    l.xyView = wp(11, 12, 0, 13, 14);
    l.screenWindow.windowState = 2;
    l.timebasePanel.windowState = 1;
    l.channelPanel = wp(21, 22, 0);
    l.measurementWindow.left = 31;
    l.measurementWindow.top = 32;
    expectSameRecord(s, expected);
    EXPECT_EQ(readFile(parFile()), encodeParameterRecord(s));

    host.placements[static_cast<int>(ToolWindow::MeasurementWindow)] = wp(51, 52, 1);
    ASSERT_TRUE(saveParameters(s, host, paths));
    EXPECT_EQ(s.layout.measurementWindow.left, 31);
    EXPECT_EQ(s.layout.measurementWindow.windowState, 0);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(ParameterFileTest, AnUnwritableFolderGivesOneMessageAndLeavesTheOldFile)
{
    const std::string old = encodeParameterRecord(distinctState());
    writeFile(parFile(), old);
    ::chmod(paths.configDir().c_str(), 0555);
    PermissionsEnforced enforced;
    if (!enforced.ok()) GTEST_SKIP() << "cannot enforce permissions here";
    ProgramState s = startState();
    EXPECT_FALSE(saveParameters(s, host, paths));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].title, "Save settings");
    EXPECT_NE(host.messages[0].text.find(parFile()), std::string::npos);
    EXPECT_EQ(readFile(parFile()), old);
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(paths.configDir())) ++entries;
    EXPECT_EQ(entries, 1);
}

TEST_F(ParameterFileTest, TheFirstSaveCreatesTheConfigurationFolder)
{
    fs::remove_all(paths.configDir());
    ProgramState s = startState();
    applyParameterDefaults(s);
    ASSERT_TRUE(writeParameterFile(s, host, paths));
    EXPECT_EQ(fs::file_size(parFile()), 1089u);
}

// Identification, the model table, the port search and the copy request.
#include <gtest/gtest.h>

#include "SimLink.h"
#include "TempModelTable.h"
#include "link/PortMap.h"

using namespace ql;
using ql::testing::SimLink;
using ql::testing::TableRow;
using ql::testing::TempModelTable;
using scopesim::Fault;

namespace {

// A message's first line: the fixed text; what follows says why.
std::string firstLine(const std::string& text)
{
    return text.substr(0, text.find('\n'));
}

}  // namespace

TEST(IdentityReplies, ModelNameAndFirmwareFollowTheTextRules)
{
    EXPECT_EQ(modelNameFromReply("ID:KORVA TX226-2  S/N:0471100\r\n"), "TX226-2");
    EXPECT_EQ(modelNameFromReply("xx T X1    yz"), "T X1");
    EXPECT_EQ(modelNameFromReply("abcTC308YZQ"), "TC308YZQ");
    EXPECT_FALSE(modelNameFromReply("no model initial here at all"));

    const auto full = firmwareFromReply("VERS:FC2.10 HW:1.3 BOOT:1.0\r\n");
    ASSERT_TRUE(full);
    EXPECT_EQ(full->text, "VERS:FC2.10 HW:1.3  ");  // 18 characters and two blanks
    EXPECT_FLOAT_EQ(full->version, 2.1f);
    const auto shortPart = firmwareFromReply("xxxxxxxxxxV1.16FC1.1");
    ASSERT_TRUE(shortPart);
    EXPECT_EQ(shortPart->text, "V1.16FC1.1     QL240");  // 10 + 5 blanks + 5 of the version
    EXPECT_FLOAT_EQ(shortPart->version, 1.1f);
    const auto noFc = firmwareFromReply("V2.00 something long");
    ASSERT_TRUE(noFc);
    EXPECT_FLOAT_EQ(noFc->version, 2.0f);  // characters 2 to 5
    EXPECT_FALSE(firmwareFromReply("no vee here at all, none"));
    EXPECT_FALSE(firmwareFromReply("VERS:FC9E99 HW:1.3 BOOT:1.0"));  // beyond single precision
}

TEST(Identification, ConnectsAndSetsIdentityCaptionAndCapabilities)
{
    SimLink t(SimLink::model("TC308", "2.10"));
    ASSERT_TRUE(t.link->connectInstrument());
    EXPECT_EQ(t.commands(), (std::vector<std::string>{" ", "id?", "vers?"}));
    EXPECT_EQ(t.state.identity.modelName.str(), "TC308     ");
    EXPECT_FLOAT_EQ(t.state.identity.firmwareVersion, 2.1f);
    EXPECT_EQ(t.state.link.remoteHeld, 1);
    EXPECT_TRUE(t.host.remoteBox);
    EXPECT_EQ(t.host.caption, "TC308        VERS:FC2.10 HW:1.3     QL240E - V3.02");
    EXPECT_TRUE(t.state.caps.unitMeasa);
    EXPECT_TRUE(t.state.caps.unitDdf2);
    EXPECT_TRUE(t.state.caps.unitDigimodec2);
    EXPECT_FALSE(t.state.caps.unitDigimodea);
    EXPECT_EQ(t.state.helpFile, "/help/DW3306_D.html");
    EXPECT_EQ(t.messageCount(), 0);
}

TEST(Identification, TriggerStatusCharactersFromFirmwareAbove116)
{
    SimLink old(SimLink::model("TX220", "1.16"));
    ASSERT_TRUE(old.link->connectInstrument());
    EXPECT_EQ(old.state.trigStatus.trigStatusDone, 0);
    EXPECT_EQ(old.state.trigStatus.trigStatusArmed, 2);
    SimLink newer(SimLink::model("TX220", "1.17"));
    ASSERT_TRUE(newer.link->connectInstrument());
    EXPECT_EQ(newer.state.trigStatus.trigStatusDone, '0');
    EXPECT_EQ(newer.state.trigStatus.trigStatusArmed, '2');
}

TEST(Identification, NoInstrumentCostsTwoWaitsAndOneMessage)
{
    SimLink t;
    t.port.addDevice("/dev/ttyS0", scopesim::DeviceKind::Silent);
    const auto start = t.clock.monotonicMs();
    EXPECT_FALSE(t.link->connectInstrument());
    const auto waited = t.clock.monotonicMs() - start;
    EXPECT_GT(waited, 16000);
    EXPECT_LT(waited, 16500);
    ASSERT_EQ(t.messageCount(), 1);
    EXPECT_EQ(firstLine(t.host.messages[0].text), "Unit not found");
    EXPECT_EQ(t.host.messages[0].title, "Serial - Error");
    EXPECT_EQ(t.host.caption, "");  // nothing after the failing step runs
    EXPECT_EQ(t.state.link.remoteHeld, 0);
}

TEST(Identification, EveryFailedReplySaysWhichReplyFailedAndOnWhichPort)
{
    const struct {
        const char* fault;
        const char* cause;  // what the second line says went wrong
    } cases[] = {
        {"silence@id?", "No reply to \"id?\""},
        {"delay:9000@id?", "No reply to \"id?\""},
        {"stop:10@id?", "too short"},
        {"garbage:40@id?", "names no model"},
        {"silence@vers?", "No reply to \"vers?\""},
        {"stop:15@vers?", "too short"},
        {"garbage:30@vers?", "no firmware version"},
        {"vanish:5@id?", "is no longer there"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        SimLink t;
        t.sim.injectFault(*Fault::parse(c.fault));
        EXPECT_FALSE(t.link->connectInstrument());
        ASSERT_EQ(t.messageCount(), 1);
        const std::string& text = t.host.messages[0].text;
        EXPECT_EQ(firstLine(text), "Unit not found");
        const std::string cause = text.substr(text.find('\n') + 1);
        EXPECT_NE(cause.find(c.cause), std::string::npos) << cause;
        EXPECT_NE(cause.find(*portDevice(1)), std::string::npos) << cause;
        EXPECT_EQ(t.state.link.remoteHeld, 0);
    }
}

TEST(Identification, AnUnknownModelIsReleasedAndKeepsTheFlags)
{
    TempModelTable table({TableRow{"TC999"}});
    SimLink t(SimLink::model("TC308"), table.path());
    t.state.caps.unitPk = true;  // from an earlier identification
    EXPECT_FALSE(t.link->connectInstrument());
    EXPECT_EQ(t.commands(), (std::vector<std::string>{" ", "id?", "vers?", "rm0"}));
    ASSERT_EQ(t.messageCount(), 1);
    EXPECT_EQ(t.host.messages[0].text, "Your Scope is not supported by this Softwareversion");
    EXPECT_EQ(t.host.messages[0].title, "Connect");
    EXPECT_TRUE(t.state.caps.unitPk);
    EXPECT_EQ(t.state.link.remoteHeld, 0);
    EXPECT_FALSE(t.host.remoteBox);
    EXPECT_NE(t.host.caption, "");  // the caption was already set
}

TEST(Identification, AnUnreadableModelTableReleasesTheInstrument)
{
    SimLink t(SimLink::model("TC308"), "/nonexistent/scopes.db");
    EXPECT_FALSE(t.link->connectInstrument());
    EXPECT_EQ(t.commands().back(), "rm0");
    EXPECT_FALSE(t.sim.instrument().remote());
    ASSERT_EQ(t.messageCount(), 1);
    EXPECT_EQ(firstLine(t.host.messages[0].text), "Unit not found");
    EXPECT_NE(t.host.messages[0].text.find("/nonexistent/scopes.db"), std::string::npos);
}

TEST(Identification, AnalogModelNarrowsTheInterfaceAndADigitalOneRestoresIt)
{
    SimLink t(SimLink::model("TA100"));
    ASSERT_TRUE(t.link->connectInstrument());
    EXPECT_EQ(t.state.identity.analogModel, 1);
    EXPECT_EQ(t.state.tbRange.tbAMaxIndex, 22);
    EXPECT_EQ(t.state.tbRange.tbBMaxIndex, 16);
    EXPECT_EQ(t.host.windowStates[static_cast<int>(ToolWindow::ScreenWindow)], 1);
    EXPECT_FALSE(t.host.actionEnabled[static_cast<int>(UiAction::FftMenuItem)]);
    EXPECT_FALSE(t.host.actionEnabled[static_cast<int>(UiAction::Notes)]);
    EXPECT_EQ(t.host.countEvents("close MeasurementWindow"), 1);
    EXPECT_EQ(t.state.layout.automesVisible, 0);

    // The same run, now a digital instrument: every time-base step is back.
    SimLink digital(SimLink::model("TC308"));
    digital.state.tbRange = t.state.tbRange;
    ASSERT_TRUE(digital.link->connectInstrument());
    EXPECT_EQ(digital.state.identity.analogModel, 0);
    EXPECT_EQ(digital.state.tbRange.tbAMaxIndex, 29);
    EXPECT_EQ(digital.state.tbRange.tbBMaxIndex, 19);
    EXPECT_TRUE(digital.host.actionEnabled[static_cast<int>(UiAction::FftMenuItem)]);
    EXPECT_TRUE(digital.host.actionChecked[static_cast<int>(UiAction::AutomeasurementMenuItem)]);
}

TEST(ModelTable, FirstRowWinsAndNamesAreLookedUpLiterally)
{
    TableRow first{"TX1"};
    first.measa = true;
    TableRow second{"TX1"};
    second.measa = false;
    TableRow percent{"T%"};
    percent.ddf2 = true;
    TableRow quote{"T'Q"};
    TempModelTable table({first, second, percent, quote});
    const ModelTable units(table.path());

    const auto tx1 = units.lookup("TX1");
    ASSERT_TRUE(tx1.ok());
    ASSERT_TRUE(tx1.value());
    EXPECT_TRUE(tx1.value()->unitMeasa);
    EXPECT_TRUE(units.lookup("tx1").value());  // case does not matter

    EXPECT_FALSE(units.lookup("TX2").value());  // "T%" is a name, not a pattern
    const auto pct = units.lookup("T%");
    ASSERT_TRUE(pct.ok() && pct.value());
    EXPECT_TRUE(pct.value()->unitDdf2);
    const auto q = units.lookup("T'Q");
    ASSERT_TRUE(q.ok());
    EXPECT_TRUE(q.value());
    EXPECT_FALSE(units.lookup("T' OR 1=1 --").value());

    TableRow broken{"TB"};
    broken.nullFlag = true;
    TempModelTable brokenTable({broken});
    EXPECT_FALSE(ModelTable(brokenTable.path()).lookup("TB").ok());
    EXPECT_FALSE(ModelTable("/nonexistent.db").lookup("TX1").ok());
}

TEST(ModelTable, ShippedTableListsItsModelsWithDescriptions)
{
    const auto rows = ModelTable(ql::testing::modelTablePath()).listModels();
    ASSERT_TRUE(rows.ok());
    ASSERT_GE(rows.value().size(), 6u);
    for (const auto& r : rows.value()) {
        EXPECT_FALSE(r.memo.empty()) << r.scope;
        EXPECT_EQ(r.scope[0], 'T');
        EXPECT_LE(r.scope.size(), 8u);
        const auto caps = ModelTable(ql::testing::modelTablePath()).lookup(r.scope);
        ASSERT_TRUE(caps.ok() && caps.value()) << r.scope;
        // Every digital model defines the trigger-mark reference voltages.
        if (!caps.value()->unitAnalog) {
            EXPECT_TRUE(caps.value()->unitXyinv || caps.value()->unitDigimodec) << r.scope;
        }
    }
}

TEST(PortSearch, FindsTheInstrumentOnPortThreeAndChangesNoStoredSetting)
{
    SimLink t;
    t.port.addDevice("/dev/ttyS0", scopesim::DeviceKind::Silent);
    t.port.addDevice("/dev/ttyS1", scopesim::DeviceKind::Busy);
    t.port.addDevice("/dev/ttyS2", scopesim::DeviceKind::Instrument);
    t.port.addDevice("/dev/ttyS3", scopesim::DeviceKind::Silent);
    t.state.link.comPort = 2;
    t.state.link.baudRate = 9600;
    t.state.identity.modelName.assign("OLD");
    const PortSearchResult r = t.link->portSearch().autoSearchPort();
    EXPECT_TRUE(r.found);
    EXPECT_EQ(r.portNumber, 3);
    EXPECT_EQ(r.baudRate, 19200);
    EXPECT_EQ(r.modelName, "TX226-2");
    ASSERT_EQ(t.messageCount(), 1);
    EXPECT_EQ(t.host.messages[0].text, "Unit TX226-2   \r\n\r\nconnected to port:  3");
    EXPECT_EQ(t.host.messages[0].title, "Autosearch");
    EXPECT_EQ(t.port.lineSettings().stopBits, 1);
    EXPECT_FALSE(t.port.isOpen());
    EXPECT_FALSE(t.sim.instrument().remote());  // released
    EXPECT_EQ(t.state.link.comPort, 2);
    EXPECT_EQ(t.state.link.baudRate, 9600);
    EXPECT_EQ(t.state.identity.modelName.trimmed(), "OLD");
}

TEST(PortSearch, NothingAnswersAndOkStoresTheChoice)
{
    SimLink t;
    for (int n = 0; n < 4; ++n)
        t.port.addDevice("/dev/ttyS" + std::to_string(n), scopesim::DeviceKind::Silent);
    const PortSearchResult r = t.link->portSearch().autoSearchPort();
    EXPECT_FALSE(r.found);
    EXPECT_EQ(r.portNumber, 1);
    EXPECT_EQ(r.baudRate, 2400);
    ASSERT_EQ(t.messageCount(), 1);
    EXPECT_EQ(firstLine(t.host.messages[0].text), "Unit not found");
    EXPECT_EQ(t.host.messages[0].title, "Autosearch");

    SimLink ok;
    ok.state.link.comPort = 4;
    ok.link->portSearch().setupAccepted(1, 0, ok.link->identification());
    EXPECT_EQ(ok.state.link.comPort, 1);
    EXPECT_EQ(ok.state.link.baudRate, 19200);  // no baud rate chosen: kept
    EXPECT_EQ(ok.state.link.remoteHeld, 1);
    EXPECT_EQ(ok.port.lineSettings().stopBits, 2);
}

TEST(CopyRequest, IsARunOfMoreThanSixBytesWithTheRequestAmongTheFirst80)
{
    SimLink t;
    ASSERT_TRUE(t.link->line().openComPort());
    t.sim.sendUnsolicited("COP:\r\n");
    t.clock.advance(20);
    EXPECT_FALSE(t.link->checkCopyRequest());
    EXPECT_EQ(t.port.inputCount(), 6);

    t.sim.sendUnsolicited("X");
    t.clock.advance(20);
    EXPECT_TRUE(t.link->checkCopyRequest());
    EXPECT_EQ(t.port.inputCount(), 0);

    // A long run whose "COP:" lies beyond the first 80 bytes is missed and discarded.
    t.sim.sendUnsolicited(std::string(89, '.') + "COP:HC\r\n");
    t.clock.advance(100);
    EXPECT_FALSE(t.link->checkCopyRequest());
    EXPECT_EQ(t.port.inputCount(), 0);
    // Serving the request is the caller's: the link itself sent nothing.
    EXPECT_TRUE(t.commands().empty());
}

TEST(CopyRequest, AVanishedPortEndsTheHoldWithOneMessage)
{
    SimLink t;
    ASSERT_TRUE(t.connect());
    t.state.link.autoUpdate = 1;
    t.host.autoBox = true;
    t.port.vanish();
    t.link->checkCopyRequest();
    EXPECT_FALSE(t.port.isOpen());
    EXPECT_EQ(t.state.link.remoteHeld, 0);
    EXPECT_EQ(t.state.link.autoUpdate, 0);
    EXPECT_FALSE(t.host.remoteBox);
    EXPECT_FALSE(t.host.autoBox);
    ASSERT_EQ(t.messageCount(), 1);
    EXPECT_EQ(t.host.messages[0].text.substr(0, 18), "Transmission Error");

    // The next operation connects afresh once the adapter is back.
    t.port.reconnect();
    t.host.clear();
    EXPECT_TRUE(t.link->connectInstrument());
    EXPECT_EQ(t.messageCount(), 0);
}

TEST(Identification, APortWhoseOtherEndHasGoneIsNamedAndOpenedAfreshByTheNextRead)
{
    // Gone while idle: the next connect names the device instead of a bare "Unit not found".
    SimLink t;
    ASSERT_TRUE(t.link->line().openComPort());
    t.port.vanish();
    EXPECT_FALSE(t.link->connectInstrument());
    ASSERT_EQ(t.messageCount(), 1);
    const std::string gone = "The port /dev/ttyS0 is no longer there";
    EXPECT_EQ(t.host.messages[0].text.substr(0, 15), "Unit not found\n");
    EXPECT_NE(t.host.messages[0].text.find(gone), std::string::npos);
    EXPECT_FALSE(t.port.isOpen());
    t.port.reconnect();
    t.host.clear();
    EXPECT_TRUE(t.link->connectInstrument());
    EXPECT_EQ(t.messageCount(), 0);

    // Gone in the middle of an answer: the transmission error names it the same way.
    t.sim.injectFault(*Fault::parse("vanish:9@ddf?"));
    EXPECT_FALSE(t.link->settings().queryDdf());
    ASSERT_EQ(t.messageCount(), 1);
    EXPECT_EQ(t.host.messages[0].text.substr(0, 19), "Transmission Error\n");
    EXPECT_NE(t.host.messages[0].text.find(gone), std::string::npos);

    // A model table that cannot be read on a working port names the table, not the port.
    SimLink unknown(SimLink::model("TC308"), "/no/such/table.db");
    EXPECT_FALSE(unknown.link->connectInstrument());
    ASSERT_EQ(unknown.messageCount(), 1);
    EXPECT_EQ(unknown.host.messages[0].text.find(gone), std::string::npos);
}

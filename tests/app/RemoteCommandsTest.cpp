// The remote-command interpreter: matching, READ's answers and refusal, and the GET answers'
// shape (the line protocol is tested over the socket).
#include <gtest/gtest.h>

#include "OperationsRig.h"

using namespace ql;
using namespace ql::testing;

namespace {

std::vector<std::string> fields(const std::string& text)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t comma; (comma = text.find(',', start)) != std::string::npos; start = comma + 1)
        out.push_back(text.substr(start, comma - start));
    EXPECT_EQ(start, text.size()) << "the answer ends with a comma";
    return out;
}

}  // namespace

TEST(RemoteCommands, MatchingIsCaseBlindButExact)
{
    OperationsRig t;
    for (const char* accepted : {"GETBINCHA", "getbincha", "GetBinChB", "getcha", "GETCHB"})
        EXPECT_EQ(t.remote.execute(accepted), CommandResult::Ok) << accepted;
    for (const char* refused :
         {" READ", "READ ", "GETBINCH", "GETCHAX", "", "READ\r", "GET CHA", "ＲＥＡＤ"})
        EXPECT_EQ(t.remote.execute(refused), CommandResult::Refused) << refused;
    EXPECT_EQ(t.remote.execute(std::string("READ\0", 5)), CommandResult::Refused);
    EXPECT_TRUE(t.commands().empty());
}

TEST(RemoteCommands, ReadAnswersReadyOnlyAfterASuccessfulRead)
{
    OperationsRig t;
    const auto reference = probeCommands(t.sim.config(), {Probe::ReadAll});
    ASSERT_TRUE(t.connect());
    EXPECT_EQ(t.remote.execute("read"), CommandResult::Ok);
    EXPECT_EQ(t.remote.data(), "ready");
    EXPECT_EQ(t.commands(), join({reference[0], kRelease}));  // a hold ends too
    EXPECT_EQ(t.state.link.remoteHeld, 0);

    t.sim.injectFault(*scopesim::Fault::parse("silence@ddf1?"));
    EXPECT_EQ(t.remote.execute("READ"), CommandResult::Ok);
    EXPECT_EQ(t.remote.data(), "error");
    EXPECT_EQ(t.messageCount(), 1);

    OperationsRig u;
    u.unplugInstrument();
    EXPECT_EQ(u.remote.execute("READ"), CommandResult::Ok);
    EXPECT_EQ(u.remote.data(), "error");

    // While another operation runs it is refused and "data" keeps its text.
    t.state.busy.uiBusy = true;
    t.sim.clearRecording();
    EXPECT_EQ(t.remote.execute("READ"), CommandResult::Refused);
    EXPECT_EQ(t.remote.data(), "error");
    EXPECT_TRUE(t.commands().empty());
}

TEST(RemoteCommands, ChannelTextsBeforeAnyReadUseThePointInEveryLocale)
{
    OperationsRig t({}, ',');
    ASSERT_EQ(t.remote.execute("GETCHA"), CommandResult::Ok);
    const auto values = fields(t.remote.data());
    ASSERT_EQ(values.size(), 4096u);
    // Time base A at its start step, calibrated: 200 samples to the division.
    ASSERT_EQ(t.state.ddf.tbAVariable, 0);
    const double perDiv = t.state.tables.timePerDiv[t.state.ddf.tbAIndex + 1];
    for (std::size_t i = 0; i < values.size(); i += 2) {
        // Code 0 with the start values: (0 - 127) x 10 x 0.5 V / 25 at every point.
        ASSERT_EQ(values[i + 1], "-2.54E+01") << i;
        ASSERT_DOUBLE_EQ(std::stod(values[i]), static_cast<double>(i / 2) / 200.0 * perDiv) << i;
    }
    ASSERT_EQ(t.remote.execute("GETBINCHB"), CommandResult::Ok);
    const auto codes = fields(t.remote.data());
    EXPECT_EQ(codes, std::vector<std::string>(2048, "0"));
}

// Feeds arbitrary answers to the settings queries "ddf?", "ddf1?", "roddf?", "ddf2?" and
// "measddf?" through the program's command frame into the settings decoders. The first byte
// chooses the query (bits 0-2), the firmware form (bits 3-5), an analog-only model (bit 6) and
// a model without time base B (bit 7); the rest is the instrument's answer.
// Besides not crashing: a query succeeds exactly when the answer begins with its echo (after
// any copy request ahead of it) and is long enough, and no copy request moved it; a failed one
// leaves the decoded blocks unchanged; and once a block has been written back and read again,
// writing and reading it changes it no more. (One round may: a panel's "A and B both on" travels as
// the A-and-B display.)
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzLink.h"
#include "link/SettingsCodec.h"
#include "state/Numeric.h"

namespace {

using namespace ql;
using ql::fuzz::require;

struct Query {
    const char* command;
    std::size_t payload;
};
constexpr Query kQueries[] = {
    {"ddf?", 14}, {"ddf1?", 16}, {"roddf?", 10}, {"ddf2?", 8}, {"measddf?", 22},
};

// The blocks a query decodes whole, as bytes, as Set would send them.
std::string wholeBlocks(const ProgramState& s)
{
    ProgramState copy = s;
    prepareForSet(copy);
    const MainBlock main = encodeMainBlock(copy);
    const Ddf1Block ddf1 = encodeDdf1(s);
    const ReadoutBlock readout = encodeReadoutBlock(s);
    std::string bytes(main.begin(), main.end());
    bytes.append(ddf1.begin(), ddf1.end());
    bytes.append(readout.begin(), readout.end());
    return bytes;
}

// Reads an opaque block back as its query stores it: byte by byte, then finished.
template <typename Block>
auto storedBy(void (*store)(ProgramState&, std::size_t, std::uint8_t),
              void (*finish)(ProgramState&))
{
    return [store, finish](ProgramState& s, const Block& b) {
        for (std::size_t i = 0; i < b.size(); ++i) store(s, i, b[i]);
        finish(s);
    };
}

// Written as Set writes it, read back and written again, twice: the second and third writing
// are equal.
template <typename Block, typename Decode, typename Encode>
void stableRoundTrip(const ProgramState& decoded, Decode decode, Encode encode)
{
    ProgramState s = decoded;
    const auto sent = [&] {
        prepareForSet(s);
        return encode(s);
    };
    Block written = sent();
    Block previous{};
    for (int round = 0; round < 2; ++round) {
        decode(s, written);
        previous = written;
        written = sent();
    }
    require(written == previous);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1) return 0;
    const std::uint8_t choice = data[0];
    const Query& q = kQueries[(choice & 7) % 5];
    const float firmware = fuzz::kFirmwareForms[(choice >> 3) & 7];
    const std::string reply(reinterpret_cast<const char*>(data + 1), size - 1);

    fuzz::FuzzLink t;
    t.state.identity.analogModel = (choice & 0x40) ? 1 : 0;
    t.state.caps.unitNotbb = (choice & 0x80) != 0;
    t.hold(firmware);
    t.port.answer(q.command, reply);
    const std::string before = wholeBlocks(t.state);

    SettingsCommands& c = t.link.settings();
    const std::string command = q.command;
    bool ok = false;
    if (command == "ddf?") ok = c.queryDdf();
    if (command == "ddf1?") ok = c.queryDdf1();
    if (command == "roddf?") ok = c.queryRoDdf();
    if (command == "ddf2?") ok = c.queryDdf2();
    if (command == "measddf?") ok = c.queryMeasDdf();

    const bool wellFormed = fuzz::takenAnswer(reply, command, q.payload).payload.has_value();
    require(ok == wellFormed);
    require(ok == (t.state.link.remoteHeld == 1));
    require(t.host.messages.size() == (ok ? 0u : 1u));
    if (!ok) {
        require(wholeBlocks(t.state) == before);
        return 0;
    }

    const DdfSettings& d = t.state.ddf;
    require(d.ch1VoltsIndex < 16 && d.ch2VoltsIndex < 16 && d.tbAIndex < 32 && d.tbBIndex < 32);
    if (firmwareAbove(firmware, kTenthPositionsFirmware)) {
        for (int p : {int{d.horPosition}, int{d.ch1Position}, int{d.ch2Position},
                      int{d.readoutValue1}, int{d.readoutValue4}})
            require(p >= 0 && p <= 1023);
    }
    stableRoundTrip<MainBlock>(t.state, decodeMainBlock, encodeMainBlock);
    stableRoundTrip<Ddf1Block>(t.state, decodeDdf1, encodeDdf1);
    stableRoundTrip<ReadoutBlock>(t.state, decodeReadoutBlock, encodeReadoutBlock);
    stableRoundTrip<Ddf2Block>(t.state, storedBy<Ddf2Block>(storeDdf2Byte, finishDdf2), encodeDdf2);
    stableRoundTrip<MeasDdfBlock>(t.state, storedBy<MeasDdfBlock>(storeMeasDdfByte, finishMeasDdf),
                                  encodeMeasDdf);
    return 0;
}

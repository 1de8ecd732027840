#include "SettingsCommands.h"

#include <algorithm>

#include "SettingsCodec.h"

namespace ql {

namespace {

template <std::size_t N>
std::array<std::uint8_t, N> toBlock(const std::vector<std::uint8_t>& payload)
{
    std::array<std::uint8_t, N> block{};
    std::copy_n(payload.begin(), std::min(N, payload.size()), block.begin());
    return block;
}

template <std::size_t N>
std::vector<std::uint8_t> toBytes(const std::array<std::uint8_t, N>& block)
{
    return std::vector<std::uint8_t>(block.begin(), block.end());
}

// The hold flag travels as a digit character ("0" or "1"); a value read back from the
// instrument as another digit goes back as that digit.
std::vector<std::uint8_t> holdParameter(byte hold)
{
    return {static_cast<std::uint8_t>('0' + std::min<int>(hold, 9))};
}

}  // namespace

bool SettingsCommands::readyToSend()
{
    if (!frame_.guard()) return false;
    prepareForSet(ctx_.state);
    return true;
}

bool SettingsCommands::queryDdf()
{
    const QueryReply reply = frame_.query("ddf?", 14);
    if (!reply.ok) return false;
    decodeMainBlock(ctx_.state, toBlock<14>(reply.payload));
    return true;
}

bool SettingsCommands::sendDdf()
{
    if (!readyToSend()) return false;
    // The instrument needs a pause after byte 7 to take in the first half of the block.
    return frame_.set("ddf=", toBytes(encodeMainBlock(ctx_.state)), {7});
}

bool SettingsCommands::sendVerMode()
{
    return frame_.set("vermode=", {ctx_.state.ddf.verModeByte});
}

bool SettingsCommands::queryDdf1()
{
    const QueryReply reply = frame_.query("ddf1?", 16);
    if (!reply.ok) return false;
    decodeDdf1(ctx_.state, toBlock<16>(reply.payload));
    return true;
}

bool SettingsCommands::sendDdf1()
{
    if (!readyToSend()) return false;
    return frame_.set("ddf1=", toBytes(encodeDdf1(ctx_.state)), {8});
}

bool SettingsCommands::queryRoDdf()
{
    const QueryReply reply = frame_.query("roddf?", 10);
    if (!reply.ok) return false;
    decodeReadoutBlock(ctx_.state, toBlock<10>(reply.payload));
    return true;
}

bool SettingsCommands::sendRoDdf()
{
    if (!readyToSend()) return false;
    return frame_.set("roddf=", toBytes(encodeReadoutBlock(ctx_.state)));
}

bool SettingsCommands::queryDdf2()
{
    const QueryReply reply = frame_.query(
        "ddf2?", 8, [this](std::size_t i, std::uint8_t b) { storeDdf2Byte(ctx_.state, i, b); });
    if (!reply.ok) return false;
    finishDdf2(ctx_.state);
    ctx_.state.link.ddf2Received = true;
    return true;
}

bool SettingsCommands::sendDdf2()
{
    if (!readyToSend()) return false;
    const Ddf2Block block = encodeDdf2(ctx_.state);
    frame_.line().waitTimerTicks();
    return frame_.set("ddf2=", toBytes(block));
}

bool SettingsCommands::queryMeasDdf()
{
    const QueryReply reply = frame_.query("measddf?", 22, [this](std::size_t i, std::uint8_t b) {
        storeMeasDdfByte(ctx_.state, i, b);
    });
    if (!reply.ok) return false;
    finishMeasDdf(ctx_.state);
    ctx_.state.link.measDdfReceived = true;
    return true;
}

bool SettingsCommands::sendMeasDdf()
{
    if (!readyToSend()) return false;
    return frame_.set("measddf=", toBytes(encodeMeasDdf(ctx_.state)), {10});
}

bool SettingsCommands::sendAvrNm()
{
    return frame_.set("avrnm=", {clampToByte(ctx_.state.ddf.averageIndex)});
}

bool SettingsCommands::sendHldWfm()
{
    return frame_.set("hldwfm=", holdParameter(ctx_.state.storage.holdWaveform));
}

bool SettingsCommands::takeHoldForRead(byte userHold)
{
    // Recorded before it is sent: a failure may come after the instrument took it.
    ctx_.state.link.programHold = {.outstanding = true, .userHold = userHold};
    ctx_.state.storage.holdWaveform = 1;
    return sendHldWfm();
}

bool SettingsCommands::giveHoldBack(HoldGiveBack when)
{
    SerialLink::ProgramHold& hold = ctx_.state.link.programHold;
    if (!hold.outstanding) return true;
    const std::vector<std::uint8_t> value = holdParameter(hold.userHold);
    const bool sent = when == HoldGiveBack::AfterFailure ? frame_.setAfterFailure("hldwfm=", value)
                                                         : frame_.set("hldwfm=", value);
    if (sent) hold.outstanding = false;
    return sent;
}

}  // namespace ql

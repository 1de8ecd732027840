#include "TriggerCommands.h"

#include <algorithm>

#include "state/Numeric.h"

namespace ql {

std::int32_t trgPosFromWire(std::uint8_t low, std::uint8_t high)
{
    const std::int32_t value = high * 256 + low;
    return value > 32768 ? value - 65536 : value;
}

std::int16_t refPosFromWire(std::uint8_t b)
{
    return static_cast<std::int16_t>(b - 128);
}

std::uint8_t refPosToWire(int refPos)
{
    return static_cast<std::uint8_t>(std::clamp(refPos, -128, 127) + 128);
}

bool TriggerCommands::queryTrgVal()
{
    const QueryReply r = frame_.query("trgval?", 8);
    if (!r.ok) return false;
    auto word = [&](int k) {
        return asSigned16(
            static_cast<std::uint16_t>(r.payload[2 * k] | (r.payload[2 * k + 1] << 8)));
    };
    ctx_.state.trigCal.trgVal1 = word(0);
    ctx_.state.trigCal.trgVal2 = word(1);
    ctx_.state.trigCal.trgVal3 = word(2);
    ctx_.state.trigCal.trgVal4 = word(3);
    return true;
}

bool TriggerCommands::queryTrgPos(const char* command, std::int32_t& target)
{
    const QueryReply r = frame_.query(command, 2);
    if (!r.ok) return false;
    target = trgPosFromWire(r.payload[0], r.payload[1]);
    return true;
}

bool TriggerCommands::queryTrgPosA()
{
    return queryTrgPos("trgposa?", ctx_.state.trgPos.trgPosA);
}
bool TriggerCommands::queryTrgPosB()
{
    return queryTrgPos("trgposb?", ctx_.state.trgPos.trgPosB);
}

bool TriggerCommands::queryAvrNm()
{
    const QueryReply r = frame_.query("avrnm?", 1);
    if (!r.ok) return false;
    ctx_.state.ddf.averageIndex = r.payload[0];
    return true;
}

bool TriggerCommands::queryHldWfm()
{
    const QueryReply r = frame_.query("hldwfm?", 1);
    if (!r.ok) return false;
    const std::uint8_t c = r.payload[0];
    ctx_.state.storage.holdWaveform = (c >= '0' && c <= '9') ? static_cast<byte>(c - '0') : 0;
    return true;
}

bool TriggerCommands::queryRefPos()
{
    QueryReply r = frame_.query("ref1pos?", 1);
    if (!r.ok) return false;
    ctx_.state.storage.ref1Pos = refPosFromWire(r.payload[0]);
    r = frame_.query("ref2pos?", 1);
    if (!r.ok) return false;
    ctx_.state.storage.ref2Pos = refPosFromWire(r.payload[0]);
    return true;
}

bool TriggerCommands::sendRefPos()
{
    if (!frame_.set("ref1pos=", {refPosToWire(ctx_.state.storage.ref1Pos)})) return false;
    return frame_.set("ref2pos=", {refPosToWire(ctx_.state.storage.ref2Pos)});
}

bool TriggerCommands::queryTrgSta()
{
    const QueryReply r = frame_.query("trgsta?", 1);
    if (!r.ok) return false;
    ctx_.state.trigStatus.trigStatus = r.payload[0];
    return true;
}

}  // namespace ql

#pragma once
// What the read tests share: the instrument they read (every optional command, the A-and-B
// view), the length of each answer on the wire, and the checks that a read took exactly what
// the instrument serves, or nothing at all.

#include <map>
#include <string>

#include "OperationsRig.h"
#include "files/DataFileCodec.h"

namespace ql::testing {

// The instrument: every optional command, digital storage, the A-and-B view (so the
// reference records are read twice) and the forced hold around the transfer.
inline scopesim::SimulatorConfig instrument()
{
    return OperationsRig::model("TC308", "2.10");
}

inline void useTimebaseBView(scopesim::ScopeSimulator& sim)
{
    sim.instrument().mainBlock().set(scopesim::MainField::TimebaseMode, 2);
}

inline bool isRecord(const std::string& command)
{
    return command.rfind("rd", 0) == 0;
}

// Length of an answer on the wire: a query's echo and payload, a set command's "0" CR LF.
inline std::size_t answerLength(const std::string& command)
{
    static const std::map<std::string, std::size_t> payloads = {
        {"hldwfm?", 1}, {"ddf?", 14},    {"measddf?", 22}, {"ddf1?", 16},   {"roddf?", 10},
        {"trgsta?", 1}, {"trgval?", 8},  {"wfmpre?", 10},  {"ref1pos?", 1}, {"ref2pos?", 1},
        {"avrnm?", 1},  {"trgposa?", 2}, {"trgposb?", 2},  {"ddf2?", 8},
    };
    if (command.back() == '=') return 3;
    if (isRecord(command)) return 11 + 2047;  // the echo of the whole request
    return command.size() + payloads.at(command);
}

// What a read changes, as bytes: the measurement a Save would store, and the trigger data,
// hold and flags the file does not hold.
inline std::string readGroups(const ProgramState& s)
{
    std::string bytes = encodeMeasurementFile(s);
    for (int v : {int{s.trigStatus.trigStatus}, int{s.trigCal.trgVal1}, int{s.trigCal.trgVal2},
                  int{s.trigCal.trgVal3}, int{s.trigCal.trgVal4}, int{s.trgPos.trgPosA},
                  int{s.trgPos.trgPosB}, int{s.storage.holdWaveform}, int{s.screen.noDataYet},
                  int{s.link.ddf2Received}, int{s.link.measDdfReceived}})
        bytes += std::to_string(v) + ",";
    return bytes;
}

inline bool recordIs(const Waveform& w, const scopesim::WaveRecord& r)
{
    for (std::size_t i = 0; i < r.size(); ++i)
        if (w[i + 1] != r[i]) return false;
    return true;
}

// Everything the instrument serves now, taken whole.
inline bool readIsWhole(OperationsRig& t)
{
    auto& sim = t.sim.instrument();
    return recordIs(t.state.waves.waveCh1, sim.channelRecord(1)) &&
           recordIs(t.state.waves.waveCh2, sim.channelRecord(2)) &&
           recordIs(t.state.waves.waveRef1, sim.referenceRecord(1)) &&
           recordIs(t.state.waves.waveRef2, sim.referenceRecord(2)) &&
           t.state.preamble.wfmTrigPos == sim.preamble().trigPos &&
           t.state.trigCal.trgVal1 == sim.triggerValues()[0] &&
           t.state.trigCal.trgVal4 == sim.triggerValues()[3];
}

// Every acquisition differs, so a record read twice shows that the instrument stood still.
inline scopesim::SimulatorConfig noisyInstrument()
{
    scopesim::SimulatorConfig c = instrument();
    c.noiseCodes = 3;
    return c;
}

inline std::string remoteRead(OperationsRig& t)
{
    EXPECT_EQ(t.remote.answerLine("EXECUTE READ"), "OK");
    return t.remote.answerLine("REQUEST data");
}

}  // namespace ql::testing

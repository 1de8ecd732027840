#include "MeasurementBlock.h"

#include "FieldStreams.h"

namespace ql {

namespace {

template <typename Fields, typename Preamble>
void preambleFields(Fields& f, Preamble& p)
{
    f.i16(p.wfmTrigPos);
    f.i16(p.wfmPre2);
    f.i16(p.wfmPre3);
    f.i16(p.ch1ZeroOffset);
    f.i16(p.ch2ZeroOffset);
}

template <typename Fields, typename Wave>
void waveformFields(Fields& f, Wave& w)
{
    for (int i = 1; i <= kLastStoredSample; ++i) f.i16(w[static_cast<std::size_t>(i)]);
}

// Every field after the tag, in the order of the block. The preamble is stored twice with
// the same values; reading takes both copies into the same fields, so the second one counts.
template <typename Fields, typename State>
void blockFields(Fields& f, State& s)
{
    preambleFields(f, s.preamble);
    waveformFields(f, s.waves.waveCh1);
    waveformFields(f, s.waves.waveCh2);
    waveformFields(f, s.waves.waveRef1);
    waveformFields(f, s.waves.waveRef2);
    preambleFields(f, s.preamble);
    f.i16(s.storage.ref1Pos);
    f.i16(s.storage.ref2Pos);
    f.text(s.stamp.waveTime);
    f.text(s.stamp.waveDate);
}

}  // namespace

void writeMeasurementBlock(ByteWriter& out, const ProgramState& s)
{
    out.writeBytes(kMeasurementTag);
    FieldWriter put{out};
    blockFields(put, s);
}

bool readMeasurementFields(ByteReader& in, DataFileFields& f)
{
    FieldReader get{in};
    blockFields(get, f);
    return !in.failed();
}

bool measurementFieldsInRange(const DataFileFields& f)
{
    const auto offsetFits = [](int v) { return v >= -128 && v <= 127; };
    return offsetFits(f.storage.ref1Pos) && offsetFits(f.storage.ref2Pos);
}

}  // namespace ql

#include "CursorReadout.h"

#include <algorithm>
#include <cmath>

#include "ReadoutText.h"
#include "state/Scaling.h"

namespace ql {

namespace {

Channel scaleChannelOf(CursorTrace trace)
{
    return trace == CursorTrace::Ch1 || trace == CursorTrace::Ref1 ? Channel::Ch1 : Channel::Ch2;
}

int codeAt(const Waveform& w, int index)
{
    return w[static_cast<std::size_t>(clampCursorPosition(index))];
}

TraceReadout traceReadout(const ProgramState& s, std::optional<CursorTrace> trace, int cursor1,
                          int cursor2, char decimalSign)
{
    TraceReadout r;
    r.trace = trace;
    if (!trace) {
        r.atCursor1Text = r.atCursor2Text = r.differenceText = kOffText;
        return r;
    }
    // The stored samples as they are: a reference's display offset is not a voltage.
    const Waveform& w = traceSamples(s, *trace);
    const Channel ch = scaleChannelOf(*trace);
    r.voltsAtCursor1 = sampleVolts(s, ch, codeAt(w, cursor1));
    r.voltsAtCursor2 = sampleVolts(s, ch, codeAt(w, cursor2));
    if (r.voltsAtCursor1 && r.voltsAtCursor2) {
        r.atCursor1Text = readoutVoltsText(*r.voltsAtCursor1, decimalSign);
        r.atCursor2Text = readoutVoltsText(*r.voltsAtCursor2, decimalSign);
        r.differenceText = voltsDifferenceText(*r.voltsAtCursor1 - *r.voltsAtCursor2, decimalSign);
    } else {
        r.atCursor1Text = r.atCursor2Text = r.differenceText = kNoValueText;
    }
    r.levelAtCursor1 = static_cast<std::int16_t>(traceScreenCode(s, *trace, cursor1));
    r.levelAtCursor2 = static_cast<std::int16_t>(traceScreenCode(s, *trace, cursor2));
    return r;
}

// Time base of the cursor time: B while the cursors measure the time-base B traces or only
// time base B is shown, else A.
std::optional<double> cursorTimePerDiv(const ProgramState& s)
{
    const bool measuresB = s.cursor.cursorOnRef == 1 && s.tbB.tbBWindowOn == 1;
    if (measuresB || s.ddf.timebaseMode >= 3) return timebaseBTimePerDiv(s);
    return timebaseATimePerDiv(s);
}

}  // namespace

const Waveform& traceSamples(const ProgramState& s, CursorTrace trace)
{
    switch (trace) {
        case CursorTrace::Ch1: return s.waves.waveCh1;
        case CursorTrace::Ch2: return s.waves.waveCh2;
        case CursorTrace::Ref1: return s.waves.waveRef1;
        case CursorTrace::Ref2: return s.waves.waveRef2;
    }
    return s.waves.waveCh1;
}

std::int16_t clampCursorPosition(int position)
{
    return static_cast<std::int16_t>(
        std::clamp(position, kFirstCursorPosition, kLastCursorPosition));
}

void setCursorPositions(ProgramState& s, int cursor1, int cursor2)
{
    s.cursor.cursor1Pos = clampCursorPosition(cursor1);
    s.cursor.cursor2Pos = clampCursorPosition(cursor2);
}

std::optional<CursorTrace> cursorTrace1(const ProgramState& s)
{
    if (s.cursor.cursorOnRef == 1) {
        if (s.ddf.ref1On == 1) return CursorTrace::Ref1;
    } else if (s.ddf.ch1On == 1) {
        return CursorTrace::Ch1;
    }
    return std::nullopt;
}

std::optional<CursorTrace> cursorTrace2(const ProgramState& s)
{
    if (s.cursor.cursorOnRef == 1) {
        if (s.ddf.ref2On == 1) return CursorTrace::Ref2;
    } else if (s.ddf.ch2On == 1 && s.ddf.verAdd == 0) {
        return CursorTrace::Ch2;
    }
    return std::nullopt;
}

int traceScreenCode(const ProgramState& s, CursorTrace trace, int index)
{
    const int code = codeAt(traceSamples(s, trace), index);
    if (trace == CursorTrace::Ch1 || trace == CursorTrace::Ch2) return code;
    if (s.tbB.tbBWindowOn == 1) return code + 128 - s.ddf.traceSeparation;
    return code + (trace == CursorTrace::Ref1 ? s.storage.ref1Pos : s.storage.ref2Pos);
}

CursorReadout cursorReadout(const ProgramState& s, char decimalSign)
{
    CursorReadout r;
    const bool tbB = s.tbB.tbBWindowOn == 1;
    const bool onRef = s.cursor.cursorOnRef == 1;
    r.refBoxCaption = tbB ? "TBB" : "Ref";
    r.refBoxEnabled = s.ddf.ref1On == 1 || s.ddf.ref2On == 1;
    r.trace1Heading = onRef ? (tbB ? "TBB I" : "Ref I") : "CH I";
    r.trace2Heading = onRef ? (tbB ? "TBB II" : "Ref II") : "CH II";

    const int cursor1 = clampCursorPosition(s.cursor.cursor1Pos);
    const int cursor2 = clampCursorPosition(s.cursor.cursor2Pos);
    r.trace1 = traceReadout(s, cursorTrace1(s), cursor1, cursor2, decimalSign);
    r.trace2 = traceReadout(s, cursorTrace2(s), cursor1, cursor2, decimalSign);

    const auto perDiv = cursorTimePerDiv(s);
    if (!perDiv) {
        r.dtText = r.frequencyText = kNoValueText;
        return r;
    }
    const double dt = std::fabs((cursor2 - cursor1) / kSamplesPerDivision) * *perDiv;
    r.dtSeconds = dt;
    if (dt <= 0) {
        r.dtText = r.frequencyText = kSameSampleText;
        return r;
    }
    r.dtText = timeText(dt, decimalSign);
    r.frequencyText = frequencyText(1 / dt, decimalSign);
    return r;
}

CursorReadout updateCursorReadout(ProgramState& s, char decimalSign)
{
    if (s.ddf.ref1On != 1 && s.ddf.ref2On != 1) s.cursor.cursorOnRef = 0;
    return cursorReadout(s, decimalSign);
}

}  // namespace ql

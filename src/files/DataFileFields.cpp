#include "DataFileFields.h"

namespace ql {

DataFileFields DataFileFields::from(const ProgramState& s)
{
    return DataFileFields{s.ddf, s.identity, s.preamble, s.waves,  s.stamp, s.storage,
                          s.fft, s.harm,     s.tbB,      s.cursor, s.print, s.notesText};
}

void DataFileFields::applyTo(ProgramState& s) const
{
    s.ddf = ddf;
    s.identity = identity;
    s.preamble = preamble;
    s.waves = waves;
    s.stamp = stamp;
    s.storage = storage;
    s.fft = fft;
    const byte harmonicsWindowOpen = s.harm.obwActive;
    s.harm = harm;
    s.harm.obwActive = harmonicsWindowOpen;
    s.tbB = tbB;
    s.cursor = cursor;
    s.print = print;
    s.notesText = notesText;
}

}  // namespace ql

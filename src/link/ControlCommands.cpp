#include "ControlCommands.h"

#include <algorithm>

namespace ql {

bool ControlCommands::sendAutoset()
{
    // AUTOSET answers a little differently across instruments: any 3 characters with a "0".
    return frame_.control("AUTOSET\r", [](std::string_view reply) {
        return reply.find('0') != std::string_view::npos;
    });
}

bool ControlCommands::resetSingleShot()
{
    if (!frame_.guard()) return false;
    LinkBusyScope busy(ctx_.state);
    // A failed status query ends here: a "RES" now could discard a capture never read.
    if (!trigger_.queryTrgSta()) return false;
    frame_.discardStaleInput();
    if (ctx_.state.trigStatus.trigStatus == ctx_.state.trigStatus.trigStatusArmed) return true;
    return frame_.control("RES\r\n");
}

bool ControlCommands::saveRefInScope()
{
    if (!frame_.guard()) return false;
    if (ctx_.state.ddf.ref1On == 1 && !frame_.control("savref1\r")) return false;
    if (ctx_.state.ddf.ref2On == 1 && !frame_.control("savref2\r")) return false;
    return true;
}

std::uint8_t ControlCommands::slotDigit() const
{
    // Set-up memories are numbered 1..9 and travel as their digit character.
    return static_cast<std::uint8_t>('0' + std::clamp<int>(ctx_.state.storage.setupSlot, 1, 9));
}

bool ControlCommands::saveSettingsInScope()
{
    return frame_.set("savedf=", {slotDigit()});
}

bool ControlCommands::recallSettingsInScope()
{
    return frame_.set("recdf=", {slotDigit()});
}

}  // namespace ql

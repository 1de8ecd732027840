// Feeds arbitrary identity replies to the identification: the wake-up, "id?" and "vers?" with
// the model and firmware parsing, the model table lookup (the shipped table, built from its
// script), the caption, the trigger-status characters and the help file. The first byte is
// the length of the "id?" reply; the rest is that reply followed by the "vers?" reply.
// Besides not crashing: the instrument is held exactly when no message was shown, and then its
// model is one of the table, its capabilities are the table's and its firmware a number.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzLink.h"

namespace {

using namespace ql;
using ql::fuzz::require;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1) return 0;
    const std::size_t idLength = std::min<std::size_t>(data[0], size - 1);
    const std::string id(reinterpret_cast<const char*>(data + 1), idLength);
    const std::string vers(reinterpret_cast<const char*>(data + 1 + idLength), size - 1 - idLength);

    // The text rules alone, on anything.
    if (const auto model = modelNameFromReply(id)) require(model->size() <= 8);
    if (const auto fw = firmwareFromReply(vers)) {
        require(fw->text.size() == 20);
        require(std::isfinite(fw->version));
    }

    fuzz::FuzzLink t(QL240_FUZZ_MODEL_TABLE);
    t.port.answer(" \r", "0\r\n");
    t.port.answer("id?", id);
    t.port.answer("vers?", vers);
    t.port.answer("rm0\r", "0\r\n");
    const bool held = t.link.connectInstrument();
    require(held == (t.state.link.remoteHeld == 1));
    require(held == t.host.messages.empty());
    require(t.host.messages.size() <= 1);
    if (!held) return 0;

    const std::string model = t.state.identity.modelName.trimmed();
    const auto row = t.link.modelTable().lookup(model);
    require(row.ok() && row.value().has_value());
    require(row.value()->unitAnalog == t.state.caps.unitAnalog);
    require(t.state.identity.analogModel == (t.state.caps.unitAnalog ? 1 : 0));
    require(std::isfinite(t.state.identity.firmwareVersion));
    require(t.host.caption.rfind(t.state.identity.modelName.str(), 0) == 0);
    require(t.state.helpFile.rfind("/help/", 0) == 0);
    return 0;
}

// Feeds arbitrary bytes to the measurement and settings file loaders. Besides not crashing,
// whatever loads must hold only values in range and must save and load back to the same.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzSupport.h"
#include "files/DataFileCodec.h"

namespace {

using ql::fuzz::require;
using ql::fuzz::startState;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static ql::ProgramState loaded, reloaded;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (ql::DataFileKind kind : {ql::DataFileKind::Measurement, ql::DataFileKind::Settings}) {
        const auto fields = ql::parseDataFile(bytes, kind, startState());
        if (!fields) continue;
        ql::DataFileFields::from(startState()).applyTo(loaded);
        fields->applyTo(loaded);
        require(loaded.cursor.cursor1Pos >= 1 && loaded.cursor.cursor1Pos <= 2046);
        require(loaded.cursor.cursor2Pos >= 1 && loaded.cursor.cursor2Pos <= 2046);
        require(loaded.ddf.ch1VoltsIndex < 16 && loaded.ddf.tbAIndex < 32);
        require(loaded.ddf.averageIndex >= 0 && loaded.ddf.averageIndex < 16);

        const std::string saved = kind == ql::DataFileKind::Measurement
                                      ? ql::encodeMeasurementFile(loaded)
                                      : ql::encodeSettingsFile(loaded);
        const auto again = ql::parseDataFile(saved, kind, startState());
        require(again.has_value());
        ql::DataFileFields::from(startState()).applyTo(reloaded);
        again->applyTo(reloaded);
        require(ql::encodeMeasurementFile(reloaded) == ql::encodeMeasurementFile(loaded));
    }
    return 0;
}

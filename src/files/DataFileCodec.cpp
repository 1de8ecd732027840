#include "DataFileCodec.h"

#include "ByteReader.h"
#include "MeasurementBlock.h"
#include "SettingsBlock.h"
#include "state/ByteWriter.h"

namespace ql {

std::string encodeMeasurementFile(const ProgramState& s)
{
    ByteWriter out;
    writeMeasurementBlock(out, s);
    writeSettingsBlock(out, s);
    return out.takeBytes();
}

std::string encodeSettingsFile(const ProgramState& s)
{
    ByteWriter out;
    writeSettingsBlock(out, s);
    return out.takeBytes();
}

std::optional<DataFileFields> parseDataFile(std::string_view bytes, DataFileKind kind,
                                            const ProgramState& s)
{
    DataFileFields f = DataFileFields::from(s);
    std::size_t settingsStart = 0;
    if (kind == DataFileKind::Measurement) {
        if (bytes.size() < kBlockTagSize) return std::nullopt;
        if (bytes.substr(0, kBlockTagSize) == kMeasurementTag) {
            if (bytes.size() < kMeasurementBlockSize) return std::nullopt;
            ByteReader in(bytes.substr(0, kMeasurementBlockSize));
            in.skip(kBlockTagSize);
            if (!readMeasurementFields(in, f) || !measurementFieldsInRange(f)) return std::nullopt;
            settingsStart = kMeasurementBlockSize;
        } else {
            // Not a measurement block: the waveforms stay, the settings follow the five bytes.
            settingsStart = kBlockTagSize;
        }
    }

    const std::string_view block = bytes.substr(std::min(settingsStart, bytes.size()));
    if (block.size() < kBlockTagSize) return std::nullopt;
    const SettingsLayout layout = settingsLayoutOf(block.substr(0, kBlockTagSize));
    if (block.size() < settingsBlockSize(layout)) return std::nullopt;
    ByteReader in(block.substr(0, settingsBlockSize(layout)));
    in.skip(kBlockTagSize);
    if (!readSettingsFields(in, layout, f) || !settingsFieldsInRange(f)) return std::nullopt;
    clampCursorPositions(f);
    return f;
}

}  // namespace ql

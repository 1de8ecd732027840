#pragma once
// A paint device that writes a placeable Windows metafile: the picture as drawing records
// (pens, brushes, fonts, draw modes, lines, dots, rectangles and text) that other programs
// scale without loss. The logical coordinates are the device pixels, clamped to the 16 bits
// the format holds; texts are stored in Windows-1252.
//
// A metafile cannot measure text; give the device another device (a screen picture of the
// same resolution) to ask, or it estimates from the font size (0.6 em per character for the
// monospace faces, 0.5 em for others, 1.15 em per row).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "PaintDevice.h"
#include "state/ByteWriter.h"
#include "state/Status.h"

namespace ql {

class WmfDevice : public PaintDevice {
public:
    explicit WmfDevice(DeviceSize size, double dpi = 96.0,
                       const PaintDevice* textMetrics = nullptr);

    DeviceSize size() const override { return size_; }
    double dpi() const override { return dpi_; }
    // Starts the picture afresh: everything recorded so far is dropped, then the whole area is
    // filled with the background.
    void clear(Rgb background) override;
    void line(DevicePoint a, DevicePoint b, const Pen& pen) override;
    void polyline(std::span<const DevicePoint> points, const Pen& pen) override;
    void dot(DevicePoint p, const Pen& pen) override;
    void fillRect(const DeviceRect& rect, const Pen& pen) override;
    void text(DevicePoint topLeft, std::string_view utf8, const FontSpec& font, Rgb color) override;
    double textWidth(std::string_view utf8, const FontSpec& font) const override;
    double lineHeight(const FontSpec& font) const override;

    // The complete file: placeable header, metafile header, records, end record.
    std::vector<std::uint8_t> bytes() const;
    // Writes the file with the program's all-or-nothing writer (state/AtomicFile.h): the old
    // file stays until the new one is complete, a symbolic link stays a link and an existing
    // file keeps its permissions.
    Status saveAs(const std::string& path) const;

private:
    struct PenKey {
        int style = 0, width = 1;
        Rgb color;
        bool operator==(const PenKey&) const = default;
    };
    struct BrushKey {
        bool hollow = true;
        Rgb color;
        bool operator==(const BrushKey&) const = default;
    };

    std::string fileBytes() const;
    void start();
    void beginRecord(std::uint16_t function);
    void endRecord();
    void put16(int value);
    void putColor(Rgb color);
    int createObject();
    void selectAndReplace(int created, std::optional<int>& selected);
    void usePen(const PenKey& key);
    void useBrush(const BrushKey& key);
    void useFont(const FontSpec& font);
    void useMode(DrawMode mode);
    void moveTo(int x, int y);

    DeviceSize size_;
    double dpi_;
    const PaintDevice* textMetrics_;

    // The finished records, and the parameters of the one being written.
    ByteWriter records_;
    ByteWriter record_;
    std::uint16_t recordFunction_ = 0;
    std::uint32_t maxRecordWords_ = 0;
    std::vector<bool> slots_;
    std::size_t maxObjects_ = 0;
    std::optional<int> penHandle_, brushHandle_, fontHandle_;
    PenKey pen_;
    BrushKey brush_;
    FontSpec font_;
    std::optional<Rgb> textColor_;
    DrawMode mode_ = DrawMode::CopyPen;
    std::optional<DevicePoint> position_;
};

}  // namespace ql

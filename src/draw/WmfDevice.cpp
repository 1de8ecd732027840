#include "WmfDevice.h"

#include <algorithm>
#include <cmath>

#include "state/AtomicFile.h"
#include "state/Text.h"

namespace ql {

namespace {

// Record function numbers of the metafile format.
constexpr std::uint16_t kEof = 0x0000;
constexpr std::uint16_t kSaveDc = 0x001E;
constexpr std::uint16_t kSetBkMode = 0x0102;
constexpr std::uint16_t kSetMapMode = 0x0103;
constexpr std::uint16_t kSetRop2 = 0x0104;
constexpr std::uint16_t kRestoreDc = 0x0127;
constexpr std::uint16_t kSelectObject = 0x012D;
constexpr std::uint16_t kSetTextAlign = 0x012E;
constexpr std::uint16_t kDeleteObject = 0x01F0;
constexpr std::uint16_t kSetTextColor = 0x0209;
constexpr std::uint16_t kSetWindowOrg = 0x020B;
constexpr std::uint16_t kSetWindowExt = 0x020C;
constexpr std::uint16_t kLineTo = 0x0213;
constexpr std::uint16_t kMoveTo = 0x0214;
constexpr std::uint16_t kCreatePen = 0x02FA;
constexpr std::uint16_t kCreateFont = 0x02FB;
constexpr std::uint16_t kCreateBrush = 0x02FC;
constexpr std::uint16_t kPolyline = 0x0325;
constexpr std::uint16_t kEllipse = 0x0418;
constexpr std::uint16_t kRectangle = 0x041B;
constexpr std::uint16_t kSetPixel = 0x041F;
constexpr std::uint16_t kTextOut = 0x0521;

constexpr int kMapModeAnisotropic = 8;
constexpr int kTransparent = 1;
constexpr int kAlignTopLeft = 0;
constexpr int kPenSolid = 0, kPenDash = 1, kPenDot = 2, kPenNull = 5;
constexpr int kBrushSolid = 0, kBrushNull = 1;
// The longest text one record carries; longer rows are cut (far wider than any picture).
constexpr std::size_t kMaxTextBytes = 4096;
constexpr std::size_t kMaxPolylinePoints = 8000;

int clamp16(long long v)
{
    return static_cast<int>(std::clamp<long long>(v, -32768, 32767));
}

bool isMonospaceFace(const std::string& face)
{
    const std::string f = upperAscii(face);
    return f.find("COURIER") != std::string::npos || f.find("MONO") != std::string::npos ||
           f.find("FIXEDSYS") != std::string::npos || f.find("CONSOLE") != std::string::npos;
}

int penStyle(DrawStyle style)
{
    switch (style) {
        case DrawStyle::Dash: return kPenDash;
        case DrawStyle::Dot: return kPenDot;
        case DrawStyle::Solid: break;
    }
    return kPenSolid;
}

}  // namespace

WmfDevice::WmfDevice(DeviceSize size, double dpi, const PaintDevice* textMetrics)
    : size_{std::clamp(size.width, 1, 32767), std::clamp(size.height, 1, 32767)},
      dpi_(std::isfinite(dpi) && dpi >= 1.0 && dpi <= 32767.0 ? dpi : 96.0),
      textMetrics_(textMetrics)
{
    start();
}

// ---- Records ----------------------------------------------------------------------------

void WmfDevice::beginRecord(std::uint16_t function)
{
    recordFunction_ = function;
    record_ = ByteWriter();
}

// A record is its size in 16-bit words (the 6-byte head included), its function and its
// parameters padded to a whole word.
void WmfDevice::endRecord()
{
    if (record_.size() % 2 != 0) record_.writeU8(0);
    const auto words = static_cast<std::uint32_t>(3 + record_.size() / 2);
    records_.writeU32(words);
    records_.writeU16(recordFunction_);
    records_.writeBytes(record_.bytes());
    maxRecordWords_ = std::max(maxRecordWords_, words);
}

void WmfDevice::put16(int value)
{
    record_.writeI16(static_cast<std::int16_t>(clamp16(value)));
}

void WmfDevice::putColor(Rgb color)
{
    record_.writeU8(color.r);
    record_.writeU8(color.g);
    record_.writeU8(color.b);
    record_.writeU8(0);
}

// The prologue of every picture: logical units are device pixels, text is transparent and
// anchored at its top-left corner, the pen copies.
void WmfDevice::start()
{
    records_ = ByteWriter();
    maxRecordWords_ = 0;
    slots_.clear();
    maxObjects_ = 0;
    penHandle_.reset();
    brushHandle_.reset();
    fontHandle_.reset();
    textColor_.reset();
    position_.reset();
    mode_ = DrawMode::CopyPen;

    beginRecord(kSetWindowOrg);
    put16(0);
    put16(0);
    endRecord();
    beginRecord(kSetWindowExt);
    put16(size_.height);
    put16(size_.width);
    endRecord();
    beginRecord(kSetMapMode);
    put16(kMapModeAnisotropic);
    endRecord();
    beginRecord(kSaveDc);
    endRecord();
    beginRecord(kSetBkMode);
    put16(kTransparent);
    endRecord();
    beginRecord(kSetTextAlign);
    put16(kAlignTopLeft);
    endRecord();
    beginRecord(kSetRop2);
    put16(static_cast<int>(DrawMode::CopyPen));
    endRecord();
}

// A created object takes the lowest free slot of the object table.
int WmfDevice::createObject()
{
    const auto free = std::find(slots_.begin(), slots_.end(), false);
    const auto index = static_cast<std::size_t>(free - slots_.begin());
    if (free == slots_.end())
        slots_.push_back(true);
    else
        *free = true;
    maxObjects_ = std::max(
        maxObjects_, static_cast<std::size_t>(std::count(slots_.begin(), slots_.end(), true)));
    return static_cast<int>(index);
}

// Selects the new object, then deletes the one it replaced (never a selected object).
void WmfDevice::selectAndReplace(int created, std::optional<int>& selected)
{
    beginRecord(kSelectObject);
    put16(created);
    endRecord();
    if (selected) {
        beginRecord(kDeleteObject);
        put16(*selected);
        endRecord();
        slots_[static_cast<std::size_t>(*selected)] = false;
    }
    selected = created;
}

void WmfDevice::usePen(const PenKey& key)
{
    if (penHandle_ && pen_ == key) return;
    const int handle = createObject();
    beginRecord(kCreatePen);
    put16(key.style);
    put16(key.width);
    put16(0);
    putColor(key.color);
    endRecord();
    selectAndReplace(handle, penHandle_);
    pen_ = key;
}

void WmfDevice::useBrush(const BrushKey& key)
{
    if (brushHandle_ && brush_ == key) return;
    const int handle = createObject();
    beginRecord(kCreateBrush);
    put16(key.hollow ? kBrushNull : kBrushSolid);
    putColor(key.color);
    put16(0);
    endRecord();
    selectAndReplace(handle, brushHandle_);
    brush_ = key;
}

void WmfDevice::useFont(const FontSpec& font)
{
    if (fontHandle_ && font_ == font) return;
    const int handle = createObject();
    beginRecord(kCreateFont);
    put16(-static_cast<int>(std::lround(font.points * dpi_ / 72.0)));  // em height
    put16(0);                                                          // width: from height
    put16(0);                                                          // escapement
    put16(0);                                                          // orientation
    put16(font.bold ? 700 : 400);
    record_.writeU8(0);                                         // italic
    record_.writeU8(font.underline ? 1 : 0);                    // underline
    record_.writeU8(0);                                         // strike-out
    record_.writeU8(0);                                         // character set: ANSI
    record_.writeU8(0);                                         // output precision: default
    record_.writeU8(0);                                         // clip precision: default
    record_.writeU8(0);                                         // quality: default
    record_.writeU8(isMonospaceFace(font.face) ? 0x31 : 0x00);  // fixed pitch, modern
    std::string face = utf8ToCp1252(font.face).substr(0, 31);
    face.resize(32, '\0');
    record_.writeBytes(face);
    endRecord();
    selectAndReplace(handle, fontHandle_);
    font_ = font;
}

void WmfDevice::useMode(DrawMode mode)
{
    if (mode == mode_) return;
    beginRecord(kSetRop2);
    put16(static_cast<int>(mode));
    endRecord();
    mode_ = mode;
}

void WmfDevice::moveTo(int x, int y)
{
    beginRecord(kMoveTo);
    put16(y);
    put16(x);
    endRecord();
    position_ = DevicePoint{clamp16(x), clamp16(y)};
}

// ---- Primitives -------------------------------------------------------------------------

void WmfDevice::clear(Rgb background)
{
    start();
    DeviceRect all{0, 0, size_.width - 1, size_.height - 1};
    Pen fill;
    fill.color = background;
    fillRect(all, fill);
}

void WmfDevice::line(DevicePoint a, DevicePoint b, const Pen& pen)
{
    usePen({penStyle(pen.style), pen.width, pen.color});
    useMode(pen.mode);
    // Consecutive segments of a trace share their ends: the pen is already there.
    const DevicePoint start{clamp16(a.x), clamp16(a.y)};
    if (!position_ || !(*position_ == start)) moveTo(a.x, a.y);
    beginRecord(kLineTo);
    put16(b.y);
    put16(b.x);
    endRecord();
    position_ = DevicePoint{clamp16(b.x), clamp16(b.y)};
}

void WmfDevice::polyline(std::span<const DevicePoint> points, const Pen& pen)
{
    if (points.size() < 2) return;
    usePen({penStyle(pen.style), pen.width, pen.color});
    useMode(pen.mode);
    // A very long path goes in several records that share their joining point.
    for (std::size_t first = 0; first + 1 < points.size(); first += kMaxPolylinePoints - 1) {
        const std::size_t count = std::min(kMaxPolylinePoints, points.size() - first);
        beginRecord(kPolyline);
        put16(static_cast<int>(count));
        for (std::size_t i = first; i < first + count; ++i) {
            put16(points[i].x);
            put16(points[i].y);
        }
        endRecord();
    }
}

void WmfDevice::dot(DevicePoint p, const Pen& pen)
{
    useMode(pen.mode);
    if (pen.width <= 1) {
        beginRecord(kSetPixel);
        putColor(pen.color);
        put16(p.y);
        put16(p.x);
        endRecord();
        return;
    }
    // A wide point is a filled circle with no outline, pen.width pixels across.
    usePen({kPenNull, 1, pen.color});
    useBrush({false, pen.color});
    const long long left = p.x - pen.width / 2, top = p.y - pen.width / 2;
    beginRecord(kEllipse);
    put16(clamp16(top + pen.width));
    put16(clamp16(left + pen.width));
    put16(clamp16(top));
    put16(clamp16(left));
    endRecord();
}

void WmfDevice::fillRect(const DeviceRect& rect, const Pen& pen)
{
    usePen({kPenNull, 1, pen.color});
    useBrush({false, pen.color});
    useMode(pen.mode);
    // The rectangle record leaves out its right and bottom edges.
    beginRecord(kRectangle);
    put16(clamp16(static_cast<long long>(std::max(rect.top, rect.bottom)) + 1));
    put16(clamp16(static_cast<long long>(std::max(rect.left, rect.right)) + 1));
    put16(std::min(rect.top, rect.bottom));
    put16(std::min(rect.left, rect.right));
    endRecord();
}

void WmfDevice::text(DevicePoint topLeft, std::string_view utf8, const FontSpec& font, Rgb color)
{
    std::string bytes = utf8ToCp1252(utf8);
    if (bytes.empty()) return;
    if (bytes.size() > kMaxTextBytes) bytes.resize(kMaxTextBytes);
    useFont(font);
    if (!textColor_ || !(*textColor_ == color)) {
        beginRecord(kSetTextColor);
        putColor(color);
        endRecord();
        textColor_ = color;
    }
    beginRecord(kTextOut);
    put16(static_cast<int>(bytes.size()));
    record_.writeBytes(bytes);
    if (bytes.size() % 2 != 0) record_.writeU8(0);
    put16(topLeft.y);
    put16(topLeft.x);
    endRecord();
}

double WmfDevice::textWidth(std::string_view utf8, const FontSpec& font) const
{
    if (textMetrics_) return textMetrics_->textWidth(utf8, font) * dpi_ / textMetrics_->dpi();
    const double em = font.points * dpi_ / 72.0;
    return static_cast<double>(characterCount(utf8)) * em *
           (isMonospaceFace(font.face) ? 0.6 : 0.5);
}

double WmfDevice::lineHeight(const FontSpec& font) const
{
    if (textMetrics_) return textMetrics_->lineHeight(font) * dpi_ / textMetrics_->dpi();
    return font.points * dpi_ / 72.0 * 1.15;
}

// ---- File -------------------------------------------------------------------------------

std::vector<std::uint8_t> WmfDevice::bytes() const
{
    const std::string file = fileBytes();
    return {file.begin(), file.end()};
}

Status WmfDevice::saveAs(const std::string& path) const
{
    return writeFileAtomically(path, fileBytes(), "Save picture");
}

std::string WmfDevice::fileBytes() const
{
    // Closing records on a copy: restoring the saved state deselects our objects, which can
    // then all be deleted, leaving the object table empty at the end.
    WmfDevice closing = *this;
    closing.beginRecord(kRestoreDc);
    closing.put16(-1);
    closing.endRecord();
    for (std::size_t i = 0; i < closing.slots_.size(); ++i) {
        if (!closing.slots_[i]) continue;
        closing.beginRecord(kDeleteObject);
        closing.put16(static_cast<int>(i));
        closing.endRecord();
    }
    closing.beginRecord(kEof);
    closing.endRecord();

    // Placeable header: key, bounding box in logical units, units per inch, reserved, and the
    // exclusive or of those ten 16-bit words (the zero words drop out).
    constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7u;
    const auto width = static_cast<std::uint16_t>(size_.width);
    const auto height = static_cast<std::uint16_t>(size_.height);
    const auto inch = static_cast<std::uint16_t>(std::lround(dpi_));
    const auto checksum = static_cast<std::uint16_t>((kPlaceableKey & 0xFFFF) ^
                                                     (kPlaceableKey >> 16) ^ width ^ height ^ inch);
    ByteWriter out;
    out.writeU32(kPlaceableKey);
    out.writeU16(0);
    out.writeU16(0);
    out.writeU16(0);
    out.writeU16(width);
    out.writeU16(height);
    out.writeU16(inch);
    out.writeU32(0);
    out.writeU16(checksum);
    // Metafile header: in memory form, 9 words, version 3.
    const auto totalWords = static_cast<std::uint32_t>(9 + closing.records_.size() / 2);
    out.writeU16(1);
    out.writeU16(9);
    out.writeU16(0x0300);
    out.writeU32(totalWords);
    out.writeU16(static_cast<std::uint16_t>(closing.maxObjects_));
    out.writeU32(closing.maxRecordWords_);
    out.writeU16(0);
    out.writeBytes(closing.records_.bytes());
    return out.takeBytes();
}

}  // namespace ql

// The metafile writer, checked by a reader of the documented record layout written here and
// by an independent reader (wmf2svg from libwmf), which must accept the file and show the
// lines and texts drawn.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "DemoScene.h"
#include "draw/Surface.h"
#include "draw/WmfDevice.h"

namespace ql {
namespace {

namespace fs = std::filesystem;

// Bounds-checked little-endian reader over the file bytes; a read past the end fails the
// test instead of reading beyond the buffer.
class Reader {
public:
    explicit Reader(const std::vector<std::uint8_t>& data) : data_(data) {}
    bool has(std::size_t offset, std::size_t n) const { return offset + n <= data_.size(); }
    std::uint16_t u16(std::size_t offset) const
    {
        EXPECT_TRUE(has(offset, 2)) << "read past the end at " << offset;
        if (!has(offset, 2)) return 0;
        return static_cast<std::uint16_t>(data_[offset] | (data_[offset + 1] << 8));
    }
    std::int16_t i16(std::size_t offset) const { return static_cast<std::int16_t>(u16(offset)); }
    std::uint32_t u32(std::size_t offset) const
    {
        return u16(offset) | (static_cast<std::uint32_t>(u16(offset + 2)) << 16);
    }
    std::uint8_t u8(std::size_t offset) const { return has(offset, 1) ? data_[offset] : 0; }
    std::size_t size() const { return data_.size(); }

private:
    const std::vector<std::uint8_t>& data_;
};

struct Record {
    std::uint16_t function = 0;
    std::uint32_t words = 0;
    std::size_t params = 0;  // offset of the first parameter
};

struct ParsedWmf {
    int left = 0, top = 0, right = 0, bottom = 0, inch = 0;
    std::uint16_t objects = 0;
    std::uint32_t maxRecord = 0;
    std::vector<Record> records;
    std::vector<std::string> texts;
    std::vector<std::vector<int>> lineTos;  // {y, x}
};

// Words of the records whose size the layout fixes.
const std::map<std::uint16_t, std::uint32_t> kFixedWords = {
    {0x0000, 3}, {0x001E, 3},  {0x0102, 4}, {0x0103, 4}, {0x0104, 4}, {0x0127, 4}, {0x012D, 4},
    {0x012E, 4}, {0x01F0, 4},  {0x0209, 5}, {0x020B, 5}, {0x020C, 5}, {0x0213, 5}, {0x0214, 5},
    {0x02FA, 8}, {0x02FB, 28}, {0x02FC, 7}, {0x0418, 7}, {0x041B, 7}, {0x041F, 7},
};

ParsedWmf parse(const std::vector<std::uint8_t>& bytes)
{
    ParsedWmf wmf;
    Reader in(bytes);
    EXPECT_EQ(in.u32(0), 0x9AC6CDD7u);
    wmf.left = in.i16(6);
    wmf.top = in.i16(8);
    wmf.right = in.i16(10);
    wmf.bottom = in.i16(12);
    wmf.inch = in.u16(14);
    std::uint16_t checksum = 0;
    for (std::size_t i = 0; i < 20; i += 2) checksum ^= in.u16(i);
    EXPECT_EQ(in.u16(20), checksum) << "placeable header checksum";
    const std::size_t header = 22;
    EXPECT_EQ(in.u16(header + 2), 9);  // header words
    EXPECT_EQ(in.u16(header + 4), 0x0300);
    const std::uint32_t totalWords = in.u32(header + 6);
    EXPECT_EQ(std::size_t{totalWords} * 2, bytes.size() - header) << "size in the header";
    wmf.objects = in.u16(header + 10);
    wmf.maxRecord = in.u32(header + 12);

    std::vector<bool> table;  // the object table as a player keeps it
    std::uint32_t largest = 0;
    std::size_t offset = header + 18;
    while (in.has(offset, 6)) {
        Record r{in.u16(offset + 4), in.u32(offset), offset + 6};
        EXPECT_GE(r.words, 3u) << "record at " << offset;
        if (r.words < 3 || !in.has(offset, std::size_t{r.words} * 2)) {
            ADD_FAILURE() << "record at " << offset << " runs past the end";
            break;
        }
        if (auto fixed = kFixedWords.find(r.function); fixed != kFixedWords.end()) {
            EXPECT_EQ(r.words, fixed->second) << "function " << std::hex << r.function;
        }
        largest = std::max(largest, r.words);
        switch (r.function) {
            case 0x02FA:
            case 0x02FB:
            case 0x02FC: {  // created objects take the lowest free slot
                auto free = std::find(table.begin(), table.end(), false);
                if (free == table.end())
                    table.push_back(true);
                else
                    *free = true;
                EXPECT_LE(static_cast<std::size_t>(std::count(table.begin(), table.end(), true)),
                          std::size_t{wmf.objects});
                break;
            }
            case 0x012D: {
                const auto i = in.u16(r.params);
                EXPECT_TRUE(i < table.size() && table[i]) << "select of a free slot " << i;
                break;
            }
            case 0x01F0: {
                const auto i = in.u16(r.params);
                EXPECT_TRUE(i < table.size() && table[i]) << "delete of a free slot " << i;
                if (i < table.size()) table[i] = false;
                break;
            }
            case 0x0213: wmf.lineTos.push_back({in.i16(r.params), in.i16(r.params + 2)}); break;
            case 0x0521: {
                const std::uint16_t n = in.u16(r.params);
                EXPECT_EQ(r.words, 3u + 1u + (n + 1u) / 2u + 2u);
                std::string text;
                for (std::size_t i = 0; i < n; ++i)
                    text.push_back(static_cast<char>(in.u8(r.params + 2 + i)));
                wmf.texts.push_back(text);
                break;
            }
            case 0x0325: {
                const std::uint16_t n = in.u16(r.params);
                EXPECT_EQ(r.words, 3u + 1u + 2u * n);
                break;
            }
            default: break;
        }
        wmf.records.push_back(r);
        offset += std::size_t{r.words} * 2;
        if (r.function == 0x0000) break;
    }
    EXPECT_EQ(offset, bytes.size()) << "the end record closes the file";
    EXPECT_FALSE(wmf.records.empty());
    if (!wmf.records.empty()) {
        EXPECT_EQ(wmf.records.back().function, 0x0000);
    }
    EXPECT_EQ(std::count(table.begin(), table.end(), true), 0) << "objects left undeleted";
    EXPECT_EQ(largest, wmf.maxRecord);
    return wmf;
}

std::vector<std::uint8_t> readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct TempFolder {
    fs::path path;
    TempFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "ql240-wmf-XXXXXX").string();
        path = mkdtemp(pattern.data());
    }
    ~TempFolder() { fs::remove_all(path); }
};

TEST(WmfDevice, DemoSceneParsesBackWithBalancedObjects)
{
    WmfDevice device({800, 600}, 96.0);
    Surface surface(device);
    drawDemoScene(surface);
    const ParsedWmf wmf = parse(device.bytes());
    EXPECT_EQ(wmf.right, 800);
    EXPECT_EQ(wmf.bottom, 600);
    EXPECT_EQ(wmf.inch, 96);
    EXPECT_GT(wmf.lineTos.size(), 400u);
    std::set<std::string> texts(wmf.texts.begin(), wmf.texts.end());
    EXPECT_TRUE(texts.count(kDemoHeadline));
    for (const char* column : kDemoColumnTexts) EXPECT_TRUE(texts.count(column));
    // The not-XOR pen and back, and every drawing kind of the scene.
    std::multiset<std::uint16_t> functions;
    for (const Record& r : wmf.records) functions.insert(r.function);
    for (std::uint16_t f : {0x0104, 0x0214, 0x0213, 0x0325, 0x0418, 0x041B, 0x0521, 0x02FB})
        EXPECT_GT(functions.count(f), 0u) << std::hex << f;
}

TEST(WmfDevice, TextIsStoredInWindows1252)
{
    WmfDevice device({100, 100});
    device.text({1, 2}, "5 \xC2\xB5s \xE2\x82\xAC \xE4\xB8\xAD", FontSpec{}, kBlack);
    const ParsedWmf wmf = parse(device.bytes());
    ASSERT_EQ(wmf.texts.size(), 1u);
    EXPECT_EQ(wmf.texts[0], "5 \xB5s \x80 ?");
}

TEST(WmfDevice, CoordinatesBeyondSixteenBitsAreClampedNotWrapped)
{
    WmfDevice device({40000, 100});  // the extent itself is held to 32767
    device.line({-70000, 5}, {70000, 40000}, Pen{});
    device.dot({100000, -100000}, Pen{kBlack, 4});
    const std::vector<std::uint8_t> bytes = device.bytes();
    const ParsedWmf wmf = parse(bytes);
    EXPECT_EQ(wmf.right, 32767);
    ASSERT_EQ(wmf.lineTos.size(), 1u);
    EXPECT_EQ(wmf.lineTos[0], (std::vector<int>{32767, 32767}));
    Reader in(bytes);
    for (const Record& r : wmf.records) {
        if (r.function == 0x0214) {  // move to: y, x
            EXPECT_EQ(in.i16(r.params), 5);
            EXPECT_EQ(in.i16(r.params + 2), -32768);
        }
        if (r.function == 0x0418) {  // ellipse: bottom, right, top, left
            EXPECT_EQ(in.i16(r.params), -32768);
            EXPECT_EQ(in.i16(r.params + 2), 32767);
        }
    }
}

TEST(WmfDevice, ClearStartsThePictureAfresh)
{
    WmfDevice device({50, 50});
    device.text({1, 1}, "old", FontSpec{}, kBlack);
    device.clear(qbColor(1));
    device.text({1, 1}, "new", FontSpec{}, kBlack);
    const ParsedWmf wmf = parse(device.bytes());
    EXPECT_EQ(wmf.texts, (std::vector<std::string>{"new"}));
}

TEST(WmfDevice, SavesAllOrNothing)
{
    TempFolder folder;
    WmfDevice device({64, 48});
    Surface surface(device);
    surface.line(0, 0, 63, 47);
    const fs::path target = folder.path / "picture.wmf";
    {
        std::ofstream(target) << "previous contents";
    }
    ASSERT_TRUE(device.saveAs(target.string()));
    EXPECT_EQ(readFile(target), device.bytes());
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path), fs::directory_iterator()), 1);

    // A folder in the way of the name: the old folder stays and no temporary file is left.
    const fs::path blocked = folder.path / "taken.wmf";
    fs::create_directory(blocked);
    fs::create_directory(blocked / "inside");
    const Status refused = device.saveAs(blocked.string());
    EXPECT_FALSE(refused);
    EXPECT_NE(refused.failure().text.find("taken.wmf"), std::string::npos);
    EXPECT_TRUE(fs::is_directory(blocked / "inside"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path), fs::directory_iterator()), 2);

    EXPECT_FALSE(device.saveAs((folder.path / "missing" / "p.wmf").string()));
}

TEST(WmfDevice, AnIndependentReaderShowsTheLinesAndTexts)
{
    TempFolder folder;
    WmfDevice device({800, 600}, 96.0);
    Surface surface(device);
    drawDemoScene(surface);
    const fs::path wmf = folder.path / "scene.wmf";
    const fs::path svg = folder.path / "scene.svg";
    ASSERT_TRUE(device.saveAs(wmf.string()));
    const std::string command = "wmf2svg -o '" + svg.string() + "' '" + wmf.string() + "' > '" +
                                (folder.path / "log").string() + "' 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << "wmf2svg (libwmf-bin) refused the file";
    std::ifstream in(svg);
    std::stringstream text;
    text << in.rdbuf();
    const std::string out = text.str();
    EXPECT_NE(out.find("<svg"), std::string::npos);
    EXPECT_NE(out.find(kDemoHeadline), std::string::npos);
    for (const char* column : kDemoColumnTexts) EXPECT_NE(out.find(column), std::string::npos);
    // Lines come out as line, polyline or path elements; there are hundreds of them.
    std::size_t shapes = 0;
    for (const char* tag : {"<line", "<polyline", "<path"})
        for (std::size_t at = out.find(tag); at != std::string::npos; at = out.find(tag, at + 1))
            ++shapes;
    EXPECT_GT(shapes, 400u);
}

}  // namespace
}  // namespace ql

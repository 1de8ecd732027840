// The metafile writer, checked by a reader of the documented record layout (WmfReader.h) and
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
#include "WmfReader.h"
#include "draw/Surface.h"
#include "draw/WmfDevice.h"

namespace ql {
namespace {

namespace fs = std::filesystem;
using test::ParsedWmf;
using test::parseWmf;
using test::Reader;
using test::Record;

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
    const ParsedWmf wmf = parseWmf(device.bytes());
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
    const ParsedWmf wmf = parseWmf(device.bytes());
    ASSERT_EQ(wmf.texts.size(), 1u);
    EXPECT_EQ(wmf.texts[0], "5 \xB5s \x80 ?");
}

TEST(WmfDevice, CoordinatesBeyondSixteenBitsAreClampedNotWrapped)
{
    WmfDevice device({40000, 100});  // the extent itself is held to 32767
    device.line({-70000, 5}, {70000, 40000}, Pen{});
    device.dot({100000, -100000}, Pen{kBlack, 4});
    const std::vector<std::uint8_t> bytes = device.bytes();
    const ParsedWmf wmf = parseWmf(bytes);
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
    const ParsedWmf wmf = parseWmf(device.bytes());
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

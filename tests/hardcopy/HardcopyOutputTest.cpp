// The metafile picture goes to a file or to the clipboard, and the bitmap the clipboard gets is
// the same picture as the metafile saved: the same texts at the same places.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "HardcopyRig.h"
#include "WmfReader.h"
#include "draw/RecordingClipboard.h"
#include "draw/WmfDevice.h"
#include "hardcopy/HardcopyOutput.h"

namespace ql::test {
namespace {

namespace fs = std::filesystem;

HardcopyInput inputOf(const ProgramState& s)
{
    HardcopyInput input = hardcopyInputFor(s);
    input.decimalSign = '.';
    return input;
}

TEST(HardcopyOutput, TheClipboardGetsABitmapOfTheMetafilesPicture)
{
    const ProgramState s = hardcopyState();
    const fs::path file = fs::temp_directory_path() / "ql240-hardcopy-output.wmf";
    fs::remove(file);
    RecordingClipboard clipboard;
    ExportTarget toFile{"  " + file.string() + " ", true};
    ASSERT_TRUE(drawWmf(inputOf(s), toFile, clipboard));
    EXPECT_EQ(clipboard.putCount(), 0);
    std::ifstream in(file, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    fs::remove(file);
    const ParsedWmf wmf = parseWmf(bytes);
    EXPECT_EQ(wmf.right, kMetafilePictureSize.width);
    EXPECT_EQ(wmf.bottom, kMetafilePictureSize.height);

    ASSERT_TRUE(drawWmf(inputOf(s), ExportTarget{file.string(), false}, clipboard));
    EXPECT_FALSE(fs::exists(file));
    ASSERT_NE(clipboard.picture(), nullptr);
    EXPECT_EQ(clipboard.picture()->size(), kMetafilePictureSize);
    const std::vector<DrawOp> texts = clipboard.picture()->opsOfKind(DrawOp::Kind::Text);
    ASSERT_EQ(texts.size(), wmf.texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(utf8ToCp1252(texts[i].text), wmf.texts[i]);
        EXPECT_EQ(texts[i].points[0].y, wmf.textAt[i][0]) << texts[i].text;
    }

    clipboard.setRefused(true);
    const Status refused = drawWmf(inputOf(s), ExportTarget{}, clipboard);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.failure().text, "Printing failed: The clipboard is not available.");
    EXPECT_EQ(refused.failure().title, "Print");
}

TEST(HardcopyOutput, ThePreviewKeepsThePagesProportionsInAnyRoom)
{
    for (const DeviceSize room : {DeviceSize{333, 451}, {1800, 700}, {300, 2000}, {0, 400}}) {
        const DeviceSize page = previewPictureSize(room);
        EXPECT_TRUE(page.width <= room.width && page.height <= room.height) << room.width;
        EXPECT_NEAR(page.width * 297.0, page.height * 210.0, 297.0) << room.width;
        EXPECT_TRUE(page.width == 0 || page.width + 1 >= room.width ||
                    page.height + 1 >= room.height);
    }
}

}  // namespace
}  // namespace ql::test

#pragma once
// A reader of the documented placeable-metafile layout for tests, independent of the writer:
// it checks the headers, every record's size, the object table as a player keeps it and the
// end record, and collects the texts and lines drawn.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace ql::test {

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
    std::vector<std::vector<int>> textAt;   // {y, x} of each text
    std::vector<std::vector<int>> lineTos;  // {y, x}
};

// Words of the records whose size the layout fixes.
inline const std::map<std::uint16_t, std::uint32_t> kFixedWords = {
    {0x0000, 3}, {0x001E, 3},  {0x0102, 4}, {0x0103, 4}, {0x0104, 4}, {0x0127, 4}, {0x012D, 4},
    {0x012E, 4}, {0x01F0, 4},  {0x0209, 5}, {0x020B, 5}, {0x020C, 5}, {0x0213, 5}, {0x0214, 5},
    {0x02FA, 8}, {0x02FB, 28}, {0x02FC, 7}, {0x0418, 7}, {0x041B, 7}, {0x041F, 7},
};

inline ParsedWmf parseWmf(const std::vector<std::uint8_t>& bytes)
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
                const std::size_t place = r.params + 2 + (n + 1u) / 2u * 2u;
                wmf.textAt.push_back({in.i16(place), in.i16(place + 2)});
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

}  // namespace ql::test

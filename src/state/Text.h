#pragma once
// Text helpers: Windows-1252 <-> UTF-8 at the file and wire boundary, fixed-length fields
// and the 1-based substring search the identification and file rules are written in.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ql {

// One Windows-1252 byte for a Unicode code point; '?' for a character outside the code page.
std::uint8_t toCp1252(char32_t codePoint);
char32_t fromCp1252(std::uint8_t byte);

// Whole-text conversions. Invalid UTF-8 sequences become '?'.
std::string utf8ToCp1252(std::string_view utf8);
std::string cp1252ToUtf8(std::string_view bytes);

// Number of characters (code points) of a UTF-8 text.
std::size_t characterCount(std::string_view utf8);

// 1-based position of `needle` in `haystack` at or after `start` (1-based); 0 when absent.
// Case-sensitive, byte-wise; an empty needle is found at `start`.
std::size_t instr(std::string_view haystack, std::string_view needle, std::size_t start = 1);

// Blanks (spaces) removed at both ends / at the end.
std::string trim(std::string_view text);
std::string trimRight(std::string_view text);

// ASCII upper case (the comparisons of the file and command rules only concern ASCII).
std::string upperAscii(std::string_view text);

// A fixed-length text field: exactly N characters of Windows-1252, padded with blanks or cut.
// Holds the bytes as they travel; str() gives the UTF-8 text the program works with.
template <std::size_t N>
class FixedText {
public:
    FixedText() { bytes_.fill(' '); }
    explicit FixedText(std::string_view utf8) { assign(utf8); }

    void assign(std::string_view utf8) { assignBytes(utf8ToCp1252(utf8)); }

    // Bytes as read from a file or the line; shorter input is padded, longer input cut.
    void assignBytes(std::string_view cp1252)
    {
        bytes_.fill(' ');
        for (std::size_t i = 0; i < N && i < cp1252.size(); ++i) bytes_[i] = cp1252[i];
    }

    std::string str() const { return cp1252ToUtf8(std::string_view(bytes_.data(), N)); }
    std::string trimmed() const { return trim(str()); }
    std::string_view bytes() const { return std::string_view(bytes_.data(), N); }
    static constexpr std::size_t size() { return N; }

    bool operator==(const FixedText&) const = default;

private:
    std::array<char, N> bytes_{};
};

}  // namespace ql

#include "WireRecorder.h"

#include <cstdio>

namespace ql::scopesim {

namespace {

std::string hexList(const std::vector<std::uint8_t>& bytes)
{
    std::string s = "[";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        char buf[4];
        std::snprintf(buf, sizeof buf, "%02X", bytes[i]);
        if (i) s += ' ';
        s += buf;
    }
    return s + "]";
}

}  // namespace

std::string CommandRecord::describe() const
{
    if (!received.spec) {
        std::vector<std::uint8_t> raw(received.text.begin(), received.text.end());
        return std::string(received.abandoned ? "<incomplete " : "<junk ") + hexList(raw) + ">";
    }
    std::string s = received.text;
    if (!received.params.empty()) s += " " + hexList(received.params);
    if (received.abandoned) s = "<incomplete " + s + ">";
    return s;
}

void WireRecorder::addByte(std::uint8_t value, std::int64_t startUs, std::int64_t endUs)
{
    bytes_.push_back(ReceivedByte{value, startUs, endUs});
}

void WireRecorder::clear()
{
    bytes_.clear();
    commands_.clear();
}

std::vector<std::string> WireRecorder::commandTexts() const
{
    std::vector<std::string> texts;
    for (const auto& c : commands_)
        if (c.known()) texts.push_back(c.text());
    return texts;
}

std::vector<std::string> WireRecorder::commandLines() const
{
    std::vector<std::string> lines;
    for (const auto& c : commands_) lines.push_back(c.describe());
    return lines;
}

std::string WireRecorder::receivedText() const
{
    std::string s;
    for (const auto& b : bytes_) s.push_back(static_cast<char>(b.value));
    return s;
}

}  // namespace ql::scopesim

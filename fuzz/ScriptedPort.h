#pragma once
// The instrument as a fuzzer plays it: a serial port that answers each command with bytes the
// fuzzer chose. Once the bytes written since the last flush end with a command it has an
// answer for (the longest such command), the whole answer is waiting to be read. Nothing else
// ever arrives and the port never fails, so every outcome comes from the answer's bytes.

#include <algorithm>
#include <map>
#include <string>
#include <string_view>

#include "state/SerialPort.h"

namespace ql::fuzz {

class ScriptedPort final : public SerialPort {
public:
    void answer(std::string command, std::string reply)
    {
        answers_[std::move(command)] = std::move(reply);
    }

    PortOpenResult open(const std::string&, const LineSettings&) override
    {
        open_ = true;
        return {true, {}};
    }
    void close() override
    {
        open_ = false;
        discardInput();
    }
    bool isOpen() const override { return open_; }
    long inputCount() override { return static_cast<long>(input_.size() - readPos_); }
    std::size_t read(std::span<std::uint8_t> out) override
    {
        const std::size_t n = std::min(out.size(), input_.size() - readPos_);
        std::copy_n(input_.begin() + static_cast<long>(readPos_), n, out.begin());
        readPos_ += n;
        return n;
    }
    bool write(std::span<const std::uint8_t> bytes) override
    {
        if (!open_) return false;
        sent_.append(bytes.begin(), bytes.end());
        const std::string* reply = nullptr;
        std::size_t longest = 0;
        for (const auto& [command, answer] : answers_) {
            if (command.size() > longest && sent_.size() >= command.size() &&
                std::string_view(sent_).substr(sent_.size() - command.size()) == command) {
                reply = &answer;
                longest = command.size();
            }
        }
        if (reply) {
            input_ += *reply;
            sent_.clear();
        }
        return true;
    }
    long outputCount() override { return 0; }
    void discardInput() override
    {
        input_.clear();
        readPos_ = 0;
        sent_.clear();
    }
    void discardOutput() override {}
    bool hasFailed() const override { return false; }

private:
    std::map<std::string, std::string> answers_;
    std::string sent_;
    std::string input_;
    std::size_t readPos_ = 0;
    bool open_ = false;
};

}  // namespace ql::fuzz

#include "Fault.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace ql::scopesim {

namespace {

struct KindName {
    FaultKind kind;
    std::string_view name;
};

constexpr KindName kKindNames[] = {
    {FaultKind::Silence, "silence"},      {FaultKind::ReplyDelay, "delay"},
    {FaultKind::StopAfter, "stop"},       {FaultKind::ByteDelay, "byte-delay"},
    {FaultKind::WrongAck, "ack"},         {FaultKind::Surplus, "surplus"},
    {FaultKind::LateLf, "late-lf"},       {FaultKind::Garbage, "garbage"},
    {FaultKind::Vanish, "vanish"},        {FaultKind::JunkBefore, "junk-before"},
    {FaultKind::JunkAfter, "junk-after"}, {FaultKind::CopyInside, "copy-inside"},
};

std::int64_t toUs(double ms)
{
    return static_cast<std::int64_t>(std::llround(ms * 1000.0));
}

// Line noise: bytes with the top bit set, so noise never reads as a digit, CR or LF.
std::uint8_t noiseByte(int k)
{
    return static_cast<std::uint8_t>(0x80 | ((k * 37 + 11) & 0x7F));
}

std::optional<double> number(std::string_view text)
{
    if (text.empty()) return std::nullopt;
    std::string s(text);
    char* end = nullptr;
    const double v = std::strtod(s.c_str(), &end);
    if (end != s.c_str() + s.size() || v < 0.0) return std::nullopt;
    return v;
}

}  // namespace

void Fault::applyTo(Reply& reply, std::string_view copyRequest,
                    std::int64_t pauseAfterRequestUs) const
{
    auto& bytes = reply.bytes;
    const auto keep = [&](int n) {
        if (n >= 0 && static_cast<std::size_t>(n) < bytes.size())
            bytes.resize(static_cast<std::size_t>(n));
    };
    switch (kind) {
        case FaultKind::Silence: bytes.clear(); break;
        case FaultKind::ReplyDelay:
            if (!bytes.empty()) bytes.front().extraDelayUs += toUs(delayMs);
            break;
        case FaultKind::StopAfter: keep(count); break;
        case FaultKind::ByteDelay:
            for (auto& b : bytes) b.extraDelayUs += toUs(delayMs);
            break;
        case FaultKind::WrongAck:
            bytes.clear();
            reply.append(ack == WrongAck::OneCrLf  ? "1\r\n"
                         : ack == WrongAck::ZeroCr ? "0\r"
                                                   : "0\rX");
            break;
        case FaultKind::Surplus:
            for (int k = 0; k < count; ++k) reply.append(static_cast<std::uint8_t>("0\r\n"[k % 3]));
            break;
        case FaultKind::LateLf:
            for (auto it = bytes.rbegin(); it != bytes.rend(); ++it) {
                if (it->value == '\n') {
                    it->extraDelayUs += toUs(delayMs);
                    break;
                }
            }
            break;
        case FaultKind::Garbage:
            bytes.clear();
            for (int k = 0; k < count; ++k) reply.append(noiseByte(k));
            break;
        case FaultKind::Vanish:
            keep(count);
            reply.vanishAfter = true;
            break;
        case FaultKind::JunkBefore: {
            // Stray bytes on the line ahead of the answer, as from a device that talks late.
            std::vector<OutByte> junk;
            for (int k = 0; k < count; ++k) junk.push_back(OutByte{noiseByte(k), 0});
            bytes.insert(bytes.begin(), junk.begin(), junk.end());
            break;
        }
        case FaultKind::JunkAfter:
            for (int k = 0; k < count; ++k) reply.append(noiseByte(k));
            break;
        case FaultKind::CopyInside: {
            // The copy key pressed while the instrument answers, its request sent at once.
            Reply request;
            request.append(copyRequest);
            const auto at = std::min(bytes.size(), static_cast<std::size_t>(count));
            if (at < bytes.size()) bytes[at].extraDelayUs += pauseAfterRequestUs;
            bytes.insert(bytes.begin() + static_cast<long>(at), request.bytes.begin(),
                         request.bytes.end());
            break;
        }
    }
}

std::optional<Fault> Fault::parse(std::string_view text)
{
    Fault f;
    if (!text.empty() && text.back() == '*') {
        f.everyTime = true;
        text.remove_suffix(1);
    }
    if (const auto at = text.find('@'); at != std::string_view::npos) {
        f.command = std::string(text.substr(at + 1));
        if (f.command == "wake") f.command = " ";
        if (f.command.empty()) return std::nullopt;
        text = text.substr(0, at);
    }
    std::string_view arg;
    if (const auto colon = text.find(':'); colon != std::string_view::npos) {
        arg = text.substr(colon + 1);
        text = text.substr(0, colon);
    }
    bool known = false;
    for (const auto& k : kKindNames) {
        if (k.name == text) {
            f.kind = k.kind;
            known = true;
        }
    }
    if (!known) return std::nullopt;

    switch (f.kind) {
        case FaultKind::Silence: return arg.empty() ? std::optional<Fault>(f) : std::nullopt;
        case FaultKind::WrongAck:
            if (arg == "1crlf")
                f.ack = WrongAck::OneCrLf;
            else if (arg == "0cr")
                f.ack = WrongAck::ZeroCr;
            else if (arg == "0crx")
                f.ack = WrongAck::ZeroCrX;
            else
                return std::nullopt;
            return f;
        case FaultKind::ReplyDelay:
        case FaultKind::ByteDelay:
        case FaultKind::LateLf: {
            const auto v = number(arg);
            if (!v) return std::nullopt;
            f.delayMs = *v;
            return f;
        }
        case FaultKind::StopAfter:
        case FaultKind::Surplus:
        case FaultKind::Garbage:
        case FaultKind::JunkBefore:
        case FaultKind::JunkAfter:
        case FaultKind::Vanish:
        case FaultKind::CopyInside: {
            const auto v = number(arg);
            if (!v || *v != std::floor(*v) || *v > 1e6) return std::nullopt;
            f.count = static_cast<int>(*v);
            return f;
        }
    }
    return std::nullopt;
}

std::string Fault::describe() const
{
    std::string s;
    for (const auto& k : kKindNames)
        if (k.kind == kind) s = std::string(k.name);
    switch (kind) {
        case FaultKind::Silence: break;
        case FaultKind::WrongAck:
            s += ack == WrongAck::OneCrLf ? ":1crlf" : ack == WrongAck::ZeroCr ? ":0cr" : ":0crx";
            break;
        case FaultKind::ReplyDelay:
        case FaultKind::ByteDelay:
        case FaultKind::LateLf:
            s += ":" + std::to_string(static_cast<long long>(std::llround(delayMs)));
            break;
        default: s += ":" + std::to_string(count); break;
    }
    if (!command.empty()) s += "@" + (command == " " ? std::string("wake") : command);
    if (everyTime) s += "*";
    return s;
}

}  // namespace ql::scopesim

#include "Options.h"

#include <cmath>
#include <cstdlib>

#include "ModelProfile.h"

namespace ql::scopesim {

namespace {

std::vector<std::string_view> split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t at = text.find(separator, start);
        parts.push_back(
            text.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start));
        if (at == std::string_view::npos) return parts;
        start = at + 1;
    }
}

std::optional<double> number(std::string_view text)
{
    if (text.empty()) return std::nullopt;
    const std::string s(text);
    char* end = nullptr;
    const double v = std::strtod(s.c_str(), &end);
    if (end != s.c_str() + s.size()) return std::nullopt;
    return v;
}

std::optional<PlantedCodes> parsePlantedCodes(std::string_view text)
{
    const auto parts = split(text, ':');
    if (parts.size() != 3) return std::nullopt;
    PlantedCodes p;
    const std::string_view records[] = {"ch1", "ch2", "ref1", "ref2"};
    p.record = 0;
    for (int r = 0; r < 4; ++r)
        if (parts[0] == records[r]) p.record = r + 1;
    const auto index = number(parts[1]);
    if (p.record == 0 || !index || *index != std::floor(*index)) return std::nullopt;
    p.index = static_cast<int>(*index);
    for (std::string_view code : split(parts[2], ',')) {
        const auto c = number(code);
        if (!c || *c < 0 || *c > 255 || *c != std::floor(*c)) return std::nullopt;
        p.codes.push_back(static_cast<std::uint8_t>(*c));
    }
    return p;
}

Failure problem(std::string text)
{
    return Failure{std::move(text), "scopesim"};
}

}  // namespace

std::optional<Signal> parseSignal(std::string_view text)
{
    if (text == "off") return Signal::dc(0.0);
    const auto parts = split(text, ':');
    const std::string_view shape = parts[0];
    if (shape == "dc") {
        if (parts.size() != 2) return std::nullopt;
        const auto v = number(parts[1]);
        return v ? std::optional<Signal>(Signal::dc(*v)) : std::nullopt;
    }
    if (parts.size() < 3) return std::nullopt;
    const auto hz = number(parts[1]);
    const auto amplitude = number(parts[2]);
    if (!hz || !amplitude || *hz <= 0.0) return std::nullopt;
    if (shape == "line") {
        std::vector<Harmonic> harmonics;
        if (parts.size() > 4) return std::nullopt;
        if (parts.size() == 4) {
            for (std::string_view h : split(parts[3], ',')) {
                const auto pair = split(h, '=');
                if (pair.size() != 2) return std::nullopt;
                const auto order = number(pair[0]);
                const auto a = number(pair[1]);
                if (!order || !a || *order < 2 || *order != static_cast<int>(*order))
                    return std::nullopt;
                harmonics.push_back(Harmonic{static_cast<int>(*order), *a, 0.0});
            }
        }
        return Signal::lineCurrent(*hz, *amplitude, std::move(harmonics));
    }
    if (parts.size() > 4) return std::nullopt;
    double offset = 0.0;
    if (parts.size() == 4) {
        const auto o = number(parts[3]);
        if (!o) return std::nullopt;
        offset = *o;
    }
    if (shape == "sine") return Signal::sine(*hz, *amplitude, offset);
    if (shape == "square") return Signal::square(*hz, *amplitude, offset);
    if (shape == "triangle") return Signal::triangle(*hz, *amplitude, offset);
    return std::nullopt;
}

Result<ScopesimOptions> parseOptions(const std::vector<std::string>& args)
{
    ScopesimOptions o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> value;
        if (const auto eq = name.find('='); name.starts_with("--") && eq != std::string::npos) {
            value = name.substr(eq + 1);
            name = name.substr(0, eq);
        }
        const auto needValue = [&]() -> std::optional<std::string> {
            if (value) return value;
            if (i + 1 < args.size()) return args[++i];
            return std::nullopt;
        };
        if (name == "--help" || name == "-h") {
            o.showHelp = true;
            continue;
        }
        if (name == "--list-models") {
            o.listModels = true;
            continue;
        }
        if (name == "--strict") {
            o.config.strictPauses = true;
            continue;
        }
        const auto v = needValue();
        if (!v) return problem("option " + name + " needs a value");
        if (name == "--model") {
            o.config.model = *v;
        } else if (name == "--firmware") {
            o.config.firmware = *v;
        } else if (name == "--baud") {
            const auto n = number(*v);
            if (!n) return problem("--baud needs a number");
            o.config.baudRate = static_cast<std::int32_t>(*n);
        } else if (name == "--stop-bits") {
            const auto n = number(*v);
            if (!n) return problem("--stop-bits needs 1 or 2");
            o.config.stopBits = static_cast<int>(*n);
        } else if (name == "--latency") {
            const auto n = number(*v);
            if (!n) return problem("--latency needs milliseconds");
            o.config.latencyMs = *n;
        } else if (name == "--noise") {
            const auto n = number(*v);
            if (!n || *n < 0 || *n > 127) return problem("--noise needs codes from 0 to 127");
            o.config.noiseCodes = static_cast<int>(*n);
        } else if (name == "--single-shot-delay") {
            if (*v == "never") {
                o.config.singleShotTriggerMs.reset();
            } else {
                const auto n = number(*v);
                if (!n) return problem("--single-shot-delay needs milliseconds or never");
                o.config.singleShotTriggerMs = *n;
            }
        } else if (name == "--ch1" || name == "--ch2") {
            const auto s = parseSignal(*v);
            if (!s) return problem("cannot read the signal \"" + *v + "\" (see --help)");
            o.config.inputs[name == "--ch1" ? 0 : 1] = *s;
        } else if (name == "--fault") {
            const auto f = Fault::parse(*v);
            if (!f) return problem("cannot read the fault \"" + *v + "\" (see --help)");
            o.faults.push_back(*f);
        } else if (name == "--codes") {
            const auto p = parsePlantedCodes(*v);
            if (!p) return problem("cannot read the codes \"" + *v + "\" (see --help)");
            o.config.plantedCodes.push_back(*p);
        } else if (name == "--copy-end") {
            if (*v == "crlf")
                o.config.copyRequestEnd = "\r\n";
            else if (*v == "cr")
                o.config.copyRequestEnd = "\r";
            else if (*v == "lf")
                o.config.copyRequestEnd = "\n";
            else
                return problem("--copy-end needs crlf, cr or lf");
        } else if (name == "--copy-pause") {
            const auto n = number(*v);
            if (!n || *n < 0) return problem("--copy-pause needs milliseconds");
            o.config.copyRequestPauseMs = *n;
        } else if (name == "--link") {
            o.linkPath = *v;
        } else {
            return problem("unknown option " + name + " (see --help)");
        }
    }
    if (!o.showHelp && !o.listModels)
        if (auto p = configProblem(o.config)) return problem(*p);
    return o;
}

std::string usageText()
{
    std::string models;
    for (const auto& p : modelProfiles()) models += (models.empty() ? "" : ", ") + p.name;
    std::string firmware;
    for (const auto& f : knownFirmwareVersions()) firmware += (firmware.empty() ? "" : " ") + f;
    std::string t;
    t += "Usage: scopesim [options]\n";
    t += "Simulates the oscilloscope on a pseudo-terminal. The first line of output is the\n";
    t += "terminal's path; open it like a serial port (e.g. QL240_COM1=<path>). Runs until\n";
    t += "SIGTERM or SIGINT; SIGUSR1 presses the instrument's copy key.\n\n";
    t += "  --model NAME             " + models + " (default TX226-2)\n";
    t += "  --firmware X.YZ|none     e.g. " + firmware + "\n";
    t += "                           none: a version reply without a firmware field\n";
    t += "                           (default: the model's own)\n";
    t += "  --baud RATE              2400 4800 9600 19200 38400 57600 115200 (19200)\n";
    t += "  --stop-bits 1|2          the instrument's stop bits (2)\n";
    t += "  --latency MS             from the end of a command to its answer (2)\n";
    t += "  --ch1 SIGNAL             what is connected to CH I (volts at the probe tip):\n";
    t += "  --ch2 SIGNAL             sine:HZ:PEAK[:OFFSET], square:..., triangle:...,\n";
    t += "                           dc:VOLTS, off, line:HZ:PEAK[:N=PEAK,N=PEAK...]\n";
    t += "  --fault KIND[:ARG][@COMMAND][*]\n";
    t += "                           silence, delay:MS, stop:K, byte-delay:MS,\n";
    t += "                           ack:1crlf|0cr|0crx, surplus:K, late-lf:MS, garbage:K,\n";
    t += "                           junk-before:K, junk-after:K, vanish:K,\n";
    t += "                           copy-inside:K; @COMMAND limits\n";
    t += "                           it to one command (ddf?, rdwfm1:, AUTOSET, wake),\n";
    t += "                           * repeats it; repeatable\n";
    t += "  --strict                 refuse set commands without their 100 ms pause\n";
    t += "  --single-shot-delay MS|never   trigger this long after RES (300)\n";
    t += "  --noise CODES            peak noise added to every sample; each acquisition\n";
    t += "                           differs (0)\n";
    t += "  --codes RECORD:INDEX:C,C,...\n";
    t += "                           serve these codes in ch1, ch2, ref1 or ref2 from\n";
    t += "                           sample INDEX (0-2046) on, e.g. ch1:1000:67,79,80,58;\n";
    t += "                           repeatable\n";
    t += "  --copy-end crlf|cr|lf    how the copy request ends (crlf)\n";
    t += "  --copy-pause MS          pause after a copy request inside an answer (0)\n";
    t += "  --link PATH              also make PATH a symbolic link to the terminal\n";
    t += "  --list-models            list the models and their capabilities\n";
    t += "  --help                   this text\n";
    return t;
}

}  // namespace ql::scopesim

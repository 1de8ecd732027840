// Writes the seed corpora of the fuzz targets other than the file loaders: good parameter
// files, and the simulated instrument's own answers for every model and firmware form (the
// settings queries, the identity replies, the preamble and the records), each behind the
// choice byte its target reads, and a script of remote-command lines.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "files/ParameterFile.h"
#include "scopesim/ModelProfile.h"
#include "scopesim/ScopeSimulator.h"
#include "scopesim/SimulatedPort.h"
#include "state/InitProgramState.h"

namespace {

namespace fs = std::filesystem;
using namespace ql;

// The firmware forms in the order of the targets' choice bits (see FuzzLink.h).
const std::vector<std::string> kFirmwareForms = {"none", "1.04", "1.05", "1.10",
                                                 "1.16", "1.17", "2.00", "2.10"};

void put(const fs::path& dir, const std::string& name, const std::string& bytes)
{
    fs::create_directories(dir);
    std::ofstream(dir / name, std::ios::binary) << bytes;
}

// The instrument's whole answer to `request`, as the line delivers it.
struct Instrument {
    explicit Instrument(const scopesim::SimulatorConfig& config)
        : sim(clock, config), port(sim, clock)
    {
        port.open("/dev/ttyS0", LineSettings{});
    }
    std::string answer(const std::string& request)
    {
        port.discardInput();
        for (char c : request) {
            const auto b = static_cast<std::uint8_t>(c);
            port.write(std::span<const std::uint8_t>(&b, 1));
            while (port.outputCount() > 0) clock.advance(1);
        }
        clock.advance(3000);  // a whole record takes 1.2 s at 19200 baud
        std::string got;
        std::uint8_t buf[4096];
        while (std::size_t n = port.read(buf)) got.append(reinterpret_cast<char*>(buf), n);
        return got;
    }
    FakeClock clock;
    scopesim::ScopeSimulator sim;
    scopesim::SimulatedPort port;
};

std::string request(const std::string& command, const std::string& firmware)
{
    std::string r = command + std::string("\0\0", 2);
    if (firmware == "none" || std::stof(firmware) < 1.05f) r += ",";
    return r + "\xFF\x07";
}

void parameterSeeds(const fs::path& dir)
{
    ProgramState s;
    initProgramState(s, "/tmp");
    applyParameterDefaults(s);
    const std::string defaults = encodeParameterRecord(s);
    put(dir, "defaults.par", defaults);
    s.language = 1;
    s.layout.screenWindow.windowState = 2;
    s.layout.xyView.left = -32768;
    s.link.comPort = 4;
    s.link.baudRate = 115200;
    s.user.userCompany.assign("Prüflabor Süd GmbH");
    s.user.userEmail.assign("labor@example.org");
    put(dir, "entered.par", encodeParameterRecord(s));
    put(dir, "short.par", defaults.substr(0, 700));
}

void instrumentSeeds(const fs::path& root)
{
    const char* settings[] = {"ddf?", "ddf1?", "roddf?", "ddf2?", "measddf?"};
    for (const auto& profile : scopesim::modelProfiles()) {
        for (std::size_t f = 0; f < kFirmwareForms.size(); ++f) {
            scopesim::SimulatorConfig config;
            config.model = profile.name;
            config.firmware = kFirmwareForms[f];
            Instrument instrument(config);
            const std::string tag = profile.name + "-" + kFirmwareForms[f];
            const auto flags = static_cast<char>((f << 3) | (profile.analogOnly ? 0x40 : 0) |
                                                 (profile.hasTimebaseB ? 0 : 0x80));
            for (int q = 0; q < 5; ++q) {
                const std::string a = instrument.answer(settings[q]);
                if (!a.empty())
                    put(root / "settings", tag + "-" + settings[q],
                        static_cast<char>(flags | q) + a);
            }
            const std::string id = instrument.answer("id?");
            put(root / "identity", tag,
                static_cast<char>(id.size()) + id + instrument.answer("vers?"));
            const std::string preamble = instrument.answer("wfmpre?");
            if (!preamble.empty()) {
                const auto form = static_cast<char>(f << 2);
                put(root / "waveform", tag + "-wfmpre", form + preamble);
                const std::string ch = instrument.answer(request("rdwfm1:", kFirmwareForms[f]));
                put(root / "waveform", tag + "-channels", static_cast<char>(form | 1 | 0x60) + ch);
                put(root / "waveform", tag + "-xy", static_cast<char>(form | 2) + ch);
                const std::string ref = instrument.answer(request("rdref1:", kFirmwareForms[f]));
                put(root / "waveform", tag + "-refs", static_cast<char>(form | 3 | 0x80) + ref);
            }
        }
    }
}

// The copy key pressed as the instrument answers "ddf?", "id?" and a record: the request ahead
// of the answer, inside its echo, inside its payload (moved) and right after it, ending in
// CR LF and in CR alone.
void copyRequestSeeds(const fs::path& root)
{
    for (const std::string end : {"\r\n", "\r"}) {
        scopesim::SimulatorConfig config;
        config.model = "TC308";
        config.copyRequestEnd = end;
        Instrument instrument(config);
        const std::string tag = end.size() == 2 ? "crlf" : "cr";
        for (int at : {0, 2, 9, 18}) {
            instrument.sim.injectFault(
                *scopesim::Fault::parse("copy-inside:" + std::to_string(at)));
            put(root / "settings", "copy-" + tag + "-ddf-" + std::to_string(at),
                static_cast<char>(7 << 3) + instrument.answer("ddf?"));
        }
        for (int at : {0, 12, 40}) {
            instrument.sim.injectFault(
                *scopesim::Fault::parse("copy-inside:" + std::to_string(at)));
            const std::string id = instrument.answer("id?");
            put(root / "identity", "copy-" + tag + "-id-" + std::to_string(at),
                static_cast<char>(id.size()) + id + instrument.answer("vers?"));
        }
        for (int at : {4, 1000, 2058}) {
            instrument.sim.injectFault(
                *scopesim::Fault::parse("copy-inside:" + std::to_string(at)));
            put(root / "waveform", "copy-" + tag + "-rdwfm1-" + std::to_string(at),
                static_cast<char>((7 << 2) | 1 | 0x20) +
                    instrument.answer(request("rdwfm1:", "2.10")));
        }
    }
}

void remoteSeeds(const fs::path& dir)
{
    put(dir, "read-and-fetch",
        "EXECUTE READ\nREQUEST data\nEXECUTE GETBINCHA\nREQUEST data\nEXECUTE getcha\r\n"
        "REQUEST data\nEXECUTE GETCHB\nEXECUTE GETBINCHB\nREQUEST data\n");
    put(dir, "refused",
        "EXECUTE  READ\nexecute READ\nREQUEST DATA\n\nEXECUTE \n" + std::string(300, 'X') +
            "\nREQUEST data\n");
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::cerr << "usage: make_fuzz_seeds <folder>\n";
        return 2;
    }
    const fs::path root = argv[1];
    parameterSeeds(root / "parameters");
    instrumentSeeds(root);
    copyRequestSeeds(root);
    remoteSeeds(root / "remote");
    return 0;
}

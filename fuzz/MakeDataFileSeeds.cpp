// Writes the seed corpus of fuzz_files: good measurement and settings files of every layout.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "files/DataFileCodec.h"
#include "state/InitProgramState.h"

namespace {

void put(const std::filesystem::path& dir, const std::string& name, const std::string& bytes)
{
    std::ofstream(dir / name, std::ios::binary) << bytes;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::cerr << "usage: make_data_file_seeds <folder>\n";
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);

    ql::ProgramState s;
    ql::initProgramState(s, "/tmp");
    s.identity.modelName.assign("TX220");
    s.notesText.assign("seed notes");
    s.ddf.tbBIndex = 31;
    s.ddf.ch2VoltsIndex = 15;
    s.ddf.timebaseMode = 7;
    s.storage.ref1Pos = -128;
    s.storage.ref2Pos = 127;
    for (std::size_t i = 1; i <= 2050; ++i) {
        s.waves.waveCh1[i] = static_cast<std::int16_t>(i % 256);
        s.waves.waveRef2[i] = static_cast<std::int16_t>(255 - i % 256);
    }
    const std::string set6 = ql::encodeSettingsFile(s);
    put(dir, "measurement.mes", ql::encodeMeasurementFile(s));
    put(dir, "settings-set6.set", set6);
    // The older layouts are parts of the newest head, in the same order.
    put(dir, "settings-set5.set", "set5 " + set6.substr(9));
    put(dir, "settings-set4.set", "set4 " + set6.substr(185));
    put(dir, "settings-set3.set", "set3 " + set6.substr(187));
    put(dir, "settings-set2.set", "set2 " + set6.substr(188));
    put(dir, "settings-foreign-tag.set", "xxxxx" + set6.substr(194));
    put(dir, "measurement-without-tag.mes", "MES1 " + set6);
    return 0;
}

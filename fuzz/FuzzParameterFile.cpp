// Feeds arbitrary bytes to the parameter file decoder, and what it took to what start-up does
// with it: the window placements converted to pixels at usual screen densities and back, the
// port number to its device.
// Besides not crashing: a record the decoder calls good writes back to the same 1,089 bytes;
// a truncated one keeps its tag; anything else leaves the state as it was.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "files/ParameterFile.h"
#include "link/PortMap.h"
#include "state/Twips.h"

namespace {

using namespace ql;
using ql::fuzz::require;
using ql::fuzz::startState;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static ProgramState s;
    s = startState();
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ParameterRecordStatus status = decodeParameterRecord(bytes, s);
    switch (status) {
        case ParameterRecordStatus::Good:
            require(size >= kParameterFileSize);
            require(encodeParameterRecord(s) == bytes.substr(0, kParameterFileSize));
            break;
        case ParameterRecordStatus::Truncated:
            require(size < kParameterFileSize && bytes.substr(0, 5) == kParameterFileTag);
            break;
        case ParameterRecordStatus::WrongTag:
            require(encodeParameterRecord(s) == encodeParameterRecord(startState()));
            return 0;
    }

    const WindowLayout& l = s.layout;
    for (const WindowPlacement* p :
         {&l.measurementWindow, &l.printPreview, &l.printerSettings, &l.screenWindow, &l.xyView,
          &l.zoomWindow, &l.channelPanel, &l.triggerPanel, &l.storagePanel, &l.cursorWindow,
          &l.intensityPanel, &l.timebasePanel, &l.analysisChart}) {
        for (double dpi : {72.0, 96.0, 144.0, 192.0}) {
            for (int twips : {int{p->left}, int{p->top}, int{p->width}, int{p->height}}) {
                const int pixels = twipsToPixels(twips, dpi);
                require(std::abs(pixelsToTwips(pixels, dpi) - twips) <= 1440.0 / dpi);
            }
        }
    }
    if (const auto device = portDevice(s.link.comPort)) require(!device->empty());
    (void)isOfferedBaudRate(s.link.baudRate);
    return 0;
}

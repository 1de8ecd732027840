// Links every core library into one program (the CMakeLists.txt beside this file takes each
// library whole). The program also refers to the number and text helpers of each library, the
// names two folders are most likely to give the same function, so their objects take part
// even in a link that takes only what is referred to.

#include "app/RemoteData.h"
#include "display/ReadoutText.h"
#include "draw/DrawTypes.h"
#include "fft/FftReadout.h"
#include "files/TableExport.h"
#include "harmonics/HarmonicTexts.h"
#include "link/PortMap.h"
#include "state/NumberFormat.h"

namespace {

using AnyFunction = void (*)();

template <typename R, typename... Args>
AnyFunction anyFunction(R (*f)(Args...))
{
    return reinterpret_cast<AnyFunction>(f);
}

}  // namespace

int main()
{
    // Stored through volatile so the references stay in the object file.
    volatile AnyFunction referred[] = {
        anyFunction(&ql::withDecimalPoint),  anyFunction(&ql::qbColor),
        anyFunction(&ql::portDevice),        anyFunction(&ql::readoutVoltsText),
        anyFunction(&ql::spectrumVoltsText), anyFunction(&ql::waveformTableText),
        anyFunction(&ql::channelText),       anyFunction(&ql::percentText),
    };
    return referred[0] == nullptr ? 1 : 0;
}

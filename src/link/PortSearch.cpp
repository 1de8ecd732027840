#include "PortSearch.h"

#include "Identification.h"
#include "PortMap.h"
#include "state/Numeric.h"
#include "state/Text.h"

namespace ql {

PortSearchResult PortSearch::autoSearchPort()
{
    LinkBusyScope busy(ctx_.state);
    SerialLine& line = frame_.line();
    ctx_.host.setBusyPointer(true);
    if (ctx_.port.isOpen()) ctx_.port.close();
    PortSearchResult result;
    for (int p = kFirstPortNumber; p <= kLastPortNumber; ++p) {
        if (!line.openForSearch(p)) continue;
        // Two wake-ups: the first may only bring the instrument's interface to life.
        line.sendString(" \r");
        line.waitForBytes(3);
        line.sendString(" \r");
        line.flushInput();
        if (line.sendString("id?") &&
            line.waitForBytes(kIdentityReplyLength) == WaitOutcome::Ready) {
            const std::string reply = line.receiveWholeReply();
            const auto model = modelNameFromReply(reply);
            FixedText<10> name;
            name.assignBytes(model ? *model : std::string(ctx_.state.identity.modelName.bytes()));
            frame_.releaseRemote();
            ctx_.port.close();
            ctx_.host.setBusyPointer(false);
            result.found = true;
            result.portNumber = p;
            result.baudRate = 19200;
            result.modelName = name.trimmed();
            ctx_.host.showMessage("Unit " + name.str() + "\r\n\r\nconnected to port: " + str(p),
                                  "Autosearch", MessageIcon::None);
            return result;
        }
        ctx_.port.close();
    }
    ctx_.host.setBusyPointer(false);
    ctx_.host.showMessage(std::string(kUnitNotFoundText) +
                              "\nNo instrument answered \"id?\" on ports " +
                              std::to_string(kFirstPortNumber) + " to " +
                              std::to_string(kLastPortNumber) + " at 19200 baud.",
                          "Autosearch", MessageIcon::None);
    return result;
}

void PortSearch::setupOpened()
{
    if (ctx_.port.isOpen() && ctx_.state.link.remoteHeld == 1) {
        frame_.releaseRemote();
        ctx_.state.link.remoteHeld = 0;
    }
}

void PortSearch::setupAccepted(int portNumber, long baudRate, Identification& identification)
{
    ctx_.host.setBusyPointer(true);
    if (baudRate > 0) ctx_.state.link.baudRate = static_cast<std::int32_t>(baudRate);
    if (portNumber > 0) ctx_.state.link.comPort = static_cast<std::int16_t>(portNumber);
    if (frame_.line().openComPort()) {
        identification.connectInstrument();
    } else {
        // The identification would only find the port closed: clear the hold without a
        // second message.
        ctx_.state.link.autoUpdate = 0;
        ctx_.state.link.remoteHeld = 0;
        ctx_.host.setRemoteBox(false);
        ctx_.host.setAutoBox(false);
    }
    ctx_.host.setBusyPointer(false);
}

}  // namespace ql

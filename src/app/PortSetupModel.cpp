#include "PortSetupModel.h"

#include <algorithm>

#include "OperationGuard.h"
#include "link/PortMap.h"

namespace ql {

namespace {

bool offered(long baudRate)
{
    const auto& rates = PortSetupModel::kBaudRates;
    return std::find(rates.begin(), rates.end(), baudRate) != rates.end();
}

}  // namespace

PortSetupModel::PortSetupModel(InstrumentLink& link) : link_(link) {}

void PortSetupModel::opened()
{
    const SerialLink& stored = link_.context().state.link;
    portChosen(stored.comPort);
    baudRateChosen(stored.baudRate);
    link_.portSearch().setupOpened();
}

PortSetupView PortSetupModel::view() const
{
    PortSetupView v;
    for (int p = kFirstPortNumber; p <= kLastPortNumber; ++p) {
        auto& option = v.ports[static_cast<std::size_t>(p - 1)];
        option.caption = "Com" + std::to_string(p) + "  (" + portDevice(p).value_or("?") + ")";
        option.selected = p == selectedPort_;
    }
    for (std::size_t i = 0; i < kBaudRates.size(); ++i) {
        v.baudRates[i].caption = std::to_string(kBaudRates[i]);
        v.baudRates[i].selected = kBaudRates[i] == selectedBaudRate_;
    }
    v.buttonsEnabled = !working_;
    return v;
}

void PortSetupModel::portChosen(int portNumber)
{
    const bool known = portNumber >= kFirstPortNumber && portNumber <= kLastPortNumber;
    selectedPort_ = known ? portNumber : 0;
}

void PortSetupModel::baudRateChosen(long baudRate)
{
    selectedBaudRate_ = offered(baudRate) ? baudRate : 0;
}

void PortSetupModel::setWorking(bool working)
{
    working_ = working;
    if (viewChanged_) viewChanged_();
}

Followup PortSetupModel::ok()
{
    // Another operation on the line (a remote read, the timer's work) goes first.
    OperationGuard guard(link_.context().state, link_.context().host);
    if (!guard || working_) return {};
    setWorking(true);
    link_.portSearch().setupAccepted(selectedPort_, selectedBaudRate_, link_.identification());
    setWorking(false);
    // The identified model decides what the panels offer (a "Del" column in place of time
    // base B, which switches are there and enabled): they show it at once, not at their next
    // click.
    Followup close;
    close.closeWindow = true;
    close.refresh = windowsShowing(link_.context().state, StateChange{.settings = true});
    return close;
}

Followup PortSetupModel::autosearch()
{
    OperationGuard guard(link_.context().state, link_.context().host);
    if (!guard || working_) return {};
    setWorking(true);
    const PortSearchResult result = link_.portSearch().autoSearchPort();
    portChosen(result.portNumber);
    baudRateChosen(result.baudRate);
    setWorking(false);
    return {};
}

}  // namespace ql

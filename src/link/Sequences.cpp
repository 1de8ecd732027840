#include "Sequences.h"

#include "state/Numeric.h"

namespace ql {

namespace {

// Shows the busy pointer for the lifetime of the scope.
class BusyPointer {
public:
    explicit BusyPointer(Host& host) : host_(host) { host_.setBusyPointer(true); }
    ~BusyPointer() { host_.setBusyPointer(false); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    Host& host_;
};

}  // namespace

bool Sequences::readAllFromScope()
{
    LinkBusyScope busy(ctx_.state);
    // A failure is told once the hold has gone back, or with the news that it has not.
    HeldLinkMessages messages(ctx_.messages);
    BusyPointer pointer(ctx_.host);
    // Everything is read into a copy, taken over only when the whole sequence got through.
    ReadScratch scratch(ctx_);
    const bool tookHold = readAllInto(scratch);
    if (!scratch.intact()) {
        scratch.abandon();
        // An instrument left holding would show the same acquisition to every later read.
        if (tookHold && !settings_.giveHoldBack(HoldGiveBack::AfterFailure))
            messages.addToLast(std::string(kHoldMayStillBeOnText) + kHoldGivenBackAtConnectText);
        return false;
    }
    scratch.commit();
    ProgramState& s = ctx_.state;
    s.screen.noDataYet = 0;
    ctx_.host.setActionEnabled(UiAction::SetRead, true);
    ctx_.host.setActionEnabled(UiAction::Set, true);
    ctx_.host.setActionEnabled(UiAction::Autoset, true);
    s.screen.scrollResyncPending = 1;
    ctx_.host.stateChanged(s, {.screen = true, .settings = true});
    return true;
}

bool Sequences::readAllInto(ReadScratch& scratch)
{
    ProgramState& s = scratch.state();
    SettingsCommands& settings = scratch.settings();
    TriggerCommands& trigger = scratch.trigger();
    WaveformCommands& waves = scratch.waves();
    const bool analogOnly = s.identity.analogModel == 1;
    // Every command returns at its guard once one has failed, so nothing more is sent.
    bool holdForced = false;
    if (!analogOnly) {
        trigger.queryHldWfm();
        settings.queryDdf();
        if (s.link.remoteHeld == 1 && s.ddf.digitalMode == 1 &&
            firmwareAbove(s.identity.firmwareVersion, kForcedHoldFirmware)) {
            // Hold the instrument's waveform so that all records belong to one acquisition.
            holdForced = true;
            settings.takeHoldForRead(s.storage.holdWaveform);
        }
    } else {
        s.ddf.componentTester = 0;
        settings.queryDdf();
    }
    if (s.caps.unitMeasa) settings.queryMeasDdf();
    settings.queryDdf1();
    settings.queryRoDdf();
    trigger.queryTrgSta();
    trigger.queryTrgVal();
    if (!analogOnly) {
        waves.queryWfmPre();
        trigger.queryRefPos();
        trigger.queryAvrNm();
        if (s.caps.unitTrgypos) {
            trigger.queryTrgPosA();
            trigger.queryTrgPosB();
        }
    } else {
        s.ddf.componentTester = 0;
    }
    if (s.caps.unitDdf2) settings.queryDdf2();

    bool recordsRead = false;
    if (s.ddf.digitalMode == 1 && s.link.remoteHeld == 1) {
        waves.readChannelWaveforms();
        waves.readRefWaveforms();
        recordsRead = true;
    }
    // With the A-and-B view on, the reference memories carry the time-base B traces.
    if (s.tbB.tbBWindowOn == 1 && !analogOnly) {
        waves.readRefWaveforms();
        recordsRead = true;
    }
    // The copy is taken over only when every command got through, and with it this step.
    if (recordsRead) s.waves.takeNew(s.ddf);
    if (!analogOnly) {
        if (holdForced) {
            s.storage.holdWaveform = s.link.programHold.userHold;
            settings.giveHoldBack();
        }
    } else {
        s.ddf.componentTester = 0;
    }
    return holdForced;
}

bool Sequences::readSettingsFromScope()
{
    LinkBusyScope busy(ctx_.state);
    BusyPointer pointer(ctx_.host);
    ReadScratch scratch(ctx_);
    ProgramState& s = scratch.state();
    SettingsCommands& settings = scratch.settings();
    TriggerCommands& trigger = scratch.trigger();
    settings.queryDdf();
    settings.queryDdf1();
    settings.queryRoDdf();
    if (s.identity.analogModel != 1) {
        trigger.queryAvrNm();
        scratch.waves().queryWfmPre();
        trigger.queryRefPos();
        trigger.queryHldWfm();
    }
    trigger.queryTrgSta();
    trigger.queryTrgVal();
    if (!scratch.intact()) {
        scratch.abandon();
        return false;
    }
    scratch.commit();
    ctx_.state.screen.noDataYet = 0;
    ctx_.host.stateChanged(ctx_.state, {.screen = true, .settings = true});
    return true;
}

bool Sequences::writeAllToScope()
{
    LinkBusyScope busy(ctx_.state);
    ProgramState& s = ctx_.state;
    // Opaque blocks never received in this run are fetched first, so the instrument gets its
    // own bytes back instead of zeros; the fields the program owns keep the program's values.
    if (s.caps.unitMeasa && !s.link.measDdfReceived) {
        const byte intensity = s.ddf.readoutIntensity;
        settings_.queryMeasDdf();
        s.ddf.readoutIntensity = intensity;
    }
    if (s.caps.unitDdf2 && !s.link.ddf2Received) {
        const std::int32_t position = s.ddf.pretriggerPosition;
        settings_.queryDdf2();
        s.ddf.pretriggerPosition = position;
    }
    if (s.caps.unitMeasa) settings_.sendMeasDdf();
    settings_.sendDdf();
    settings_.sendDdf1();
    if (!analogOnly()) trigger_.sendRefPos();
    if (s.ddf.digitalMode == 1 && !analogOnly()) {
        settings_.sendAvrNm();
        settings_.sendHldWfm();
    }
    if (s.caps.unitDdf2)
        settings_.sendDdf2();
    else
        settings_.sendRoDdf();
    settings_.sendVerMode();
    return s.link.remoteHeld == 1;
}

}  // namespace ql

#include "Identification.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "PortMap.h"
#include "SettingsCommands.h"
#include "state/Numeric.h"
#include "state/Text.h"

namespace ql {

std::optional<std::string> modelNameFromReply(const std::string& reply)
{
    const std::size_t t = instr(reply, "T");
    if (t == 0) return std::nullopt;
    return trim(reply.substr(t - 1, 8));
}

std::optional<FirmwareInfo> firmwareFromReply(const std::string& reply)
{
    const std::size_t v = instr(reply, "V");
    if (v == 0) return std::nullopt;
    FirmwareInfo info;
    info.text = (reply.substr(v - 1, 18) + "     " + kProgramVersionText).substr(0, 20);
    // The version is the four characters after "FC"; without "FC", characters 2 to 5.
    const std::size_t fc = instr(reply, "FC");
    const std::string digits = fc != 0 ? reply.substr(std::min(fc + 1, reply.size()), 4)
                                       : reply.substr(std::min<std::size_t>(1, reply.size()), 4);
    const double version = val(digits);
    // Four characters can spell a number beyond single precision ("9E99"): that is no
    // firmware version, as a reply without "V" is none.
    if (!(std::fabs(version) <= std::numeric_limits<float>::max())) return std::nullopt;
    info.version = static_cast<float>(version);
    return info;
}

void selectHelpFile(ProgramState& s, const std::string& helpFolder)
{
    if (s.language != 0 && s.language != 1) s.language = 1;
    const bool english = s.language == 1;
    const char* name = s.caps.unitDigimodea ? (english ? "DW720_E" : "DW720_D")
                                            : (english ? "DW3306_E" : "DW3306_D");
    s.helpFile = helpFolder + "/" + name + ".html";
}

namespace {

// "port 2 (/dev/ttyS1)": the port a failed identification was tried on.
std::string portNamed(int comPort)
{
    const auto device = portDevice(comPort);
    return "port " + std::to_string(comPort) + (device ? " (" + *device + ")" : std::string());
}

// Why `command` got no usable reply of `wanted` bytes: none at all, or too short.
std::string missingReplyCause(std::string_view command, std::size_t wanted, long arrived,
                              int comPort)
{
    const std::string asked = "\"" + std::string(command) + "\" on " + portNamed(comPort);
    if (arrived <= 0)
        return "No reply to " + asked + " within " + std::to_string(kReplyTimeoutMs / 1000) +
               " seconds. Is the instrument on, connected to this port and set to this baud rate?";
    return "The reply to " + asked + " is too short: " + std::to_string(arrived) + " of " +
           std::to_string(wanted) + " bytes came. Check the baud rate and the cable.";
}

// Why a whole reply to `command` was of no use: it lacks `what`.
std::string unusableReplyCause(std::string_view command, const std::string& reply,
                               std::string_view what, int comPort)
{
    constexpr std::size_t kShown = 40;
    const std::vector<std::uint8_t> bytes(reply.begin(),
                                          reply.begin() + std::min(reply.size(), kShown));
    return "The reply to \"" + std::string(command) + "\" on " + portNamed(comPort) + " " +
           std::string(what) + ": \"" + visibleBytes(bytes) +
           (reply.size() > kShown ? "...\"" : "\"") +
           ". Check that the oscilloscope, and no other device, is on this port.";
}

}  // namespace

void Identification::clearRemoteFlags()
{
    ctx_.state.link.autoUpdate = 0;
    ctx_.state.link.remoteHeld = 0;
    ctx_.host.setRemoteBox(false);
    ctx_.host.setAutoBox(false);
}

void Identification::unitNotFound(bool releaseFirst, const std::string& cause)
{
    // A port whose device has gone or whose far end has closed is no model question: the
    // message says so, and the port is closed so that the next Read opens it afresh.
    const bool portGone = ctx_.port.hasFailed();
    // The link worked but the model could not be looked up: give the front panel back.
    if (releaseFirst && ctx_.port.isOpen() && ctx_.state.link.remoteHeld == 1)
        frame_.releaseRemote();
    if (ctx_.port.hasFailed()) ctx_.port.close();
    if (ctx_.port.isOpen()) frame_.discardStaleInput();
    clearRemoteFlags();
    std::string text = kUnitNotFoundText;
    if (portGone)
        text += "\n" + portGoneText(ctx_.state.link.comPort);
    else if (!cause.empty())
        text += "\n" + cause;
    ctx_.messages.show(text, kSerialErrorTitle, MessageIcon::None);
}

bool Identification::connectInstrument()
{
    LinkBusyScope busy(ctx_.state);
    ProgramState& s = ctx_.state;
    SerialLine& line = frame_.line();
    if (!ctx_.port.isOpen()) line.openComPort();
    if (!ctx_.port.isOpen()) {
        clearRemoteFlags();
    } else {
        // Wake-up: the answer, if any, is never read. The line is quiet first: the rest of an
        // answer still arriving from an earlier exchange never reaches the identity.
        const int port = s.link.comPort;
        frame_.discardUntilQuiet();
        if (!line.sendString(" \r") || line.waitForBytes(3) == WaitOutcome::PortFailed) {
            unitNotFound(false, "The wake-up could not be sent on " + portNamed(port) + ".");
            return false;
        }
        const auto identity = identityReply("id?", kIdentityReplyLength);
        if (!identity) return false;
        const auto model = modelNameFromReply(*identity);
        if (!model) {
            unitNotFound(false, unusableReplyCause("id?", *identity, "names no model", port));
            return false;
        }
        s.identity.modelName.assignBytes(*model);

        const auto version = identityReply("vers?", kFirmwareReplyLength);
        if (!version) return false;
        const auto firmware = firmwareFromReply(*version);
        if (!firmware) {
            unitNotFound(false,
                         unusableReplyCause("vers?", *version, "holds no firmware version", port));
            return false;
        }
        s.identity.firmwareText.assignBytes(firmware->text);
        ctx_.host.setRemoteBox(true);
        s.link.remoteHeld = 1;
        s.identity.firmwareVersion = firmware->version;
    }

    ctx_.host.setCaption(s.identity.modelName.str() + "   " + s.identity.firmwareText.str() +
                         "   " + kProgramVersionText);
    if (firmwareAbove(s.identity.firmwareVersion, kCharacterStatusFirmware)) {
        s.trigStatus.trigStatusDone = '0';
        s.trigStatus.trigStatusArmed = '2';
    } else {
        s.trigStatus.trigStatusDone = 0;
        s.trigStatus.trigStatusArmed = 2;
    }

    if (s.link.remoteHeld == 1) {
        const auto found = table_.lookup(s.identity.modelName.trimmed());
        if (!found.ok()) {
            unitNotFound(true, found.failure().text);
            return false;
        }
        if (found.value()) {
            s.caps = *found.value();
        } else {
            ctx_.messages.show("Your Scope is not supported by this Softwareversion", "Connect",
                               MessageIcon::Information);
            if (ctx_.port.isOpen() && s.link.remoteHeld == 1) frame_.releaseRemote();
            s.link.remoteHeld = 0;
            ctx_.host.setRemoteBox(false);
        }
    }
    // A hold the program set itself and could not give back at the time goes back before
    // anything else is sent; an analog-only model has none to take back.
    if (s.link.remoteHeld == 1 && s.link.programHold.outstanding) {
        if (s.caps.unitAnalog)
            s.link.programHold.outstanding = false;
        else
            SettingsCommands(ctx_, frame_).giveHoldBack();
    }
    applyModelGating();
    selectHelpFile(s, helpFolder_);
    if (ctx_.port.isOpen()) frame_.discardUntilQuiet();
    return s.link.remoteHeld == 1;
}

std::optional<std::string> Identification::identityReply(std::string_view command,
                                                         std::size_t length)
{
    SerialLine& line = frame_.line();
    const int port = ctx_.state.link.comPort;
    frame_.discardUntilQuiet();
    std::vector<std::uint8_t> reply;
    bool sent = line.sendString(command);
    const std::int64_t start = line.nowMs();
    // The copy key pressed as the instrument answers: its request, ahead of the reply or inside
    // it, is cut out and kept, and the reply read on until it is as long as it must be.
    while (sent && reply.size() < length) {
        const std::int64_t left = kReplyTimeoutMs - (line.nowMs() - start);
        if (line.waitForBytes(length - reply.size(), std::max<std::int64_t>(left, 0)) !=
            WaitOutcome::Ready) {
            sent = false;
            break;
        }
        const std::vector<std::uint8_t> more = line.receiveUntilQuiet();
        reply.insert(reply.end(), more.begin(), more.end());
        (void)finishCopyRequest(line, reply, line.quietMs());
        if (cutCopyRequests(reply).taken) ctx_.state.link.copyRequestKept = true;
    }
    if (!sent) {
        const long waiting = std::max(line.inputCount(), 0L);
        unitNotFound(false, missingReplyCause(command, length,
                                              static_cast<long>(reply.size()) + waiting, port));
        return std::nullopt;
    }
    return std::string(reply.begin(), reply.end());
}

void Identification::applyModelGating()
{
    ProgramState& s = ctx_.state;
    Host& host = ctx_.host;
    const bool analog = s.caps.unitAnalog;
    s.tbRange.tbAFirstIndex = 1;
    s.tbRange.tbBFirstIndex = 1;
    if (analog) {
        s.tbRange.tbAMaxIndex = kTbAMaxIndexAnalog;
        s.tbRange.tbBMaxIndex = kTbBMaxIndexAnalog;
    } else {
        // A digital model gets back every time-base step an analog one took away.
        s.tbRange.tbAMaxIndex = kTbAMaxIndexDigital;
        s.tbRange.tbBMaxIndex = kTbBMaxIndexDigital;
    }
    s.identity.analogModel = analog ? 1 : 0;
    host.setWindowState(ToolWindow::ScreenWindow, analog ? 1 : 0);
    for (UiAction a :
         {UiAction::PrintMenuItem, UiAction::PrinterSetupMenuItem, UiAction::MeasurementMenu,
          UiAction::ClipboardMenuItem, UiAction::CursorMenuItem, UiAction::Notes,
          UiAction::FftMenuItem, UiAction::HarmonicsMenuItem})
        host.setActionEnabled(a, !analog);
    host.setActionChecked(UiAction::AutomeasurementMenuItem, !analog);
    if (analog) {
        host.closeWindow(ToolWindow::MeasurementWindow);
        host.closeWindow(ToolWindow::CursorWindow);
        s.layout.automesVisible = 0;
    }
}

void Identification::loadUnitCapabilities()
{
    // The name is kept left-aligned, as the caption after a load shows it.
    FixedText<10>& name = ctx_.state.identity.modelName;
    name.assignBytes(trim(name.bytes()));
    const auto found = table_.lookup(name.trimmed());
    if (found.ok() && found.value()) ctx_.state.caps = *found.value();
}

}  // namespace ql

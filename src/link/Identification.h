#pragma once
// Finding out which instrument answers: wake-up, "id?" and "vers?", taking it into remote,
// the caption, the trigger-status characters by firmware, the model's capabilities from the
// model table, and the adaptation of the user interface to analog-only models.

#include <string>

#include "CommandFrame.h"
#include "ModelTable.h"

namespace ql {

// The program's own version text, shown in the caption and the firmware text.
inline constexpr const char* kProgramVersionText = "QL240E - V3.02";
// Firmware above which the instrument reports its trigger status as a character.
constexpr float kCharacterStatusFirmware = 1.16f;
// Replies shorter than these are not an identity.
constexpr std::size_t kIdentityReplyLength = 29;
constexpr std::size_t kFirmwareReplyLength = 20;

// The model name in an "id?" reply: the 8 characters from the first "T", trimmed; nullopt
// when there is no "T".
std::optional<std::string> modelNameFromReply(const std::string& reply);
// The firmware text and version in a "vers?" reply; nullopt when there is no "V".
struct FirmwareInfo {
    std::string text;  // up to 20 characters
    float version = 0.0f;
};
std::optional<FirmwareInfo> firmwareFromReply(const std::string& reply);

// Chooses the help document from the model family and the language (a language other than
// 0 or 1 becomes 1, English).
void selectHelpFile(ProgramState& s, const std::string& helpFolder);

class Identification {
public:
    Identification(LinkContext& ctx, CommandFrame& frame, const ModelTable& table,
                   std::string helpFolder)
        : ctx_(ctx), frame_(frame), table_(table), helpFolder_(std::move(helpFolder))
    {
    }

    // Opens the port when needed and identifies the instrument, then gives back a hold the
    // program still owes it; true when it is held in remote afterwards. Failures are reported
    // here.
    bool connectInstrument();
    // Re-reads the capabilities of the current model name silently (after loading a file).
    void loadUnitCapabilities();

private:
    // One exchange of the identity ("id?", "vers?"): the line flushed until quiet, the
    // command sent, and its reply read whole once `length` bytes have come, with every copy
    // request ahead of it or inside it cut out and kept. nullopt after "Unit not found".
    std::optional<std::string> identityReply(std::string_view command, std::size_t length);
    // "Unit not found", with `cause` (which reply failed, on which port) on a second line.
    void unitNotFound(bool releaseFirst, const std::string& cause = {});
    void clearRemoteFlags();
    void applyModelGating();

    LinkContext& ctx_;
    CommandFrame& frame_;
    const ModelTable& table_;
    std::string helpFolder_;
};

}  // namespace ql

#pragma once
// The rules of the print settings window ("Printer settings") and of the preview window
// ("Printer Preview") that opens and closes with it: the headline and the nine option boxes,
// each change kept in the state's print options at once and shown by the preview, "&Print"
// and "&Cancel".

#include <string>
#include <string_view>
#include <vector>

#include "PrintOptionBoxes.h"
#include "draw/Printer.h"
#include "hardcopy/HardcopyRenderer.h"
#include "state/WindowModel.h"

namespace ql {

// The headline holds 60 characters.
constexpr int kHeadlineLength = 60;

struct PrintSettingsView {
    std::string headline;              // as stored, without its trailing blanks
    std::string headlineBox;           // the box's text: as typed while it stands for the
                                       // stored headline (trailing blanks kept), else that one
    std::vector<OptionBoxView> boxes;  // the nine options in their order
};

class PrintSettingsModel {
public:
    PrintSettingsModel(ProgramState& s, Host& host, Printer& printer);

    // The settings window opens: the preview opens with it. It closes: the preview closes too.
    void opened();
    void closed();
    // The box stops showing what was typed once the headline is changed elsewhere (a settings
    // file loaded, say), and shows that headline.
    Followup settle();
    PrintSettingsView view() const;

    // Every edit of the headline box is kept: without trailing blanks, the first 60 characters.
    Followup headlineEdited(std::string_view text);
    // Enter: the box shows the headline as kept, as on opening.
    Followup headlineEntered();
    // A box changed, by mouse or keyboard.
    Followup optionToggled(PrintOption option, bool checked);
    // "&Print": the hardcopy on the printer; both windows close when the page is done.
    Followup print();
    // "&Cancel": both windows close.
    Followup cancel();

private:
    ProgramState& s_;
    Host& host_;
    Printer& printer_;
    std::string typed_;  // the headline box's text as last shown or typed
};

// The preview window's part of the pair: it keeps printPreviewOpen and closes the settings
// window when it closes itself; a click on the picture repaints the settings (and with them
// the preview), and so does every redraw of the screen (the cursor window may have opened or
// closed, which changes what the Cursor box allows).
class PrintPreviewModel {
public:
    PrintPreviewModel(ProgramState& s, Host& host) : s_(s), host_(host) {}

    void opened();
    void closed();
    // The page as the printer would print it now.
    HardcopyInput view() const { return hardcopyInputFor(s_); }
    Followup pictureClicked() const;
    Followup screenRedrawn() const;

private:
    ProgramState& s_;
    Host& host_;
};

}  // namespace ql

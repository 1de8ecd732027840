#pragma once
// The rules of the export settings window ("Export settings"): eight option boxes of its own
// (no headline, no notes), "&Copy to clipboard", "&Save as WMF" with its save dialog and name
// check, and "&Cancel", which hides the window with its boxes as they are. Closed with its
// close box, the window starts from its initial boxes when it opens again.

#include <array>
#include <string>
#include <vector>

#include "PrintOptionBoxes.h"
#include "draw/MetafileName.h"
#include "draw/PictureClipboard.h"
#include "state/FileDialogs.h"
#include "state/WindowModel.h"

namespace ql {

struct ExportSettingsView {
    std::vector<OptionBoxView> boxes;  // CH I, CH II, REF I, REF II, Cursor, XY, Meas. Time, Color
};

class ExportSettingsModel {
public:
    // `textMetrics`: a picture of the metafile's resolution the metafile measures texts on.
    ExportSettingsModel(ProgramState& s, Host& host, PictureClipboard& clipboard,
                        const PaintDevice* textMetrics = nullptr);

    // Opens with the initial boxes, or, after "&Cancel", with the boxes as they were left.
    void opened();
    ExportSettingsView view() const;

    Followup optionToggled(PrintOption option, bool checked);
    // The picture as a bitmap on the clipboard.
    Followup copyToClipboard();
    // The save dialog, then the picture as a metafile under the chosen name; a name that is
    // not a metafile's gives "Bad Filename" and nothing is drawn; cancelling changes nothing.
    Followup saveAsWmf(FileDialogs& dialogs);
    Followup cancel();

private:
    // The picture with the window's boxes, delivered as the export target says; a failure is
    // reported once.
    Followup exportPicture();

    ProgramState& s_;
    Host& host_;
    PictureClipboard& clipboard_;
    const PaintDevice* textMetrics_;
    std::array<bool, kPrintOptionCount> checked_{};
    bool keepBoxes_ = false;
};

}  // namespace ql

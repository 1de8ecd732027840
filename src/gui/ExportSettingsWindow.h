#pragma once
// The export settings window ("Export settings"): eight option boxes, "&Copy to clipboard",
// "&Save as WMF" and "&Cancel". A thin view over ExportSettingsModel; the metafile measures its
// texts on a picture of its own resolution.

#include <QImage>
#include <QWidget>
#include <array>
#include <memory>

#include "ToolWindowEntry.h"
#include "UserChanges.h"
#include "app/ExportSettingsModel.h"

class QCheckBox;
class QPushButton;

namespace ql::gui {

class QtPaintDevice;

class ExportSettingsWindow : public QWidget, public ToolWindowContent {
    Q_OBJECT
public:
    ExportSettingsWindow(ProgramState& state, Host& host, PictureClipboard& clipboard,
                         FileDialogs& dialogs, QWidget* parent = nullptr);
    ~ExportSettingsWindow() override;

    void refresh() override { applyView(); }
    void opened() override;

    QCheckBox* optionBox(PrintOption option) const;
    QPushButton* copyButton() const { return copy_; }
    QPushButton* saveButton() const { return save_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    void applyView();
    void carry(const Followup& followup);

    QImage metricsPicture_;
    std::unique_ptr<QtPaintDevice> metrics_;
    ExportSettingsModel model_;
    Host& host_;
    FileDialogs& dialogs_;
    UserChanges changes_{this};
    std::array<QCheckBox*, kPrintOptionCount> boxes_{};
    QPushButton* copy_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace ql::gui

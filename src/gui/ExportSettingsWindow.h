#pragma once
// The export settings window ("Export settings"): eight option boxes, "&Copy to clipboard",
// "&Save as WMF" and "&Cancel"; Escape closes it as Cancel does. A thin view over
// ExportSettingsModel; the metafile measures its texts on a picture of its own resolution.

#include <QImage>
#include <QWidget>
#include <array>

#include "ModelWindow.h"
#include "QtPaintDevice.h"
#include "app/ExportSettingsModel.h"
#include "hardcopy/HardcopyOutput.h"

class QCheckBox;
class QPushButton;

namespace ql::gui {

// The picture the metafile's texts are measured on: a base of the window, so that it is made
// before the model that measures on it.
struct MetafileTextMetrics {
    QImage picture = textMetricsImage(kMetafilePictureDpi);
    QtPaintDevice device{picture};
};

class ExportSettingsWindow : public QWidget,
                             private MetafileTextMetrics,
                             public ModelWindow<ExportSettingsModel> {
    Q_OBJECT
public:
    ExportSettingsWindow(ProgramState& state, Host& host, PictureClipboard& clipboard,
                         FileDialogs& dialogs, QWidget* parent = nullptr);

    void opened() override;

    QPushButton* copyButton() const { return copy_; }
    QPushButton* cancelButton() const { return cancel_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showView(const ExportSettingsView& v) override;

    std::array<QCheckBox*, kPrintOptionCount> boxes_{};
    QPushButton* copy_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace ql::gui

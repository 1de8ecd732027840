#pragma once
// The preview window ("Printer Preview"): the page as the printer would print it, drawn by
// the core's preview on an image of the page's proportions, as large as the window allows
// (less a strip of 300 twips at the bottom) and centred across it. A thin view over
// PrintPreviewModel, whose view is the page: redrawn when it opens, is resized or repainted
// from the state, and by every redraw of the screen while it is open; a click on the picture
// repaints the settings.

#include <QImage>
#include <QWidget>

#include "ModelWindow.h"
#include "app/PrintSettingsModel.h"

namespace ql::gui {

class PrintPreviewWindow : public QWidget, public ModelWindow<PrintPreviewModel> {
    Q_OBJECT
public:
    PrintPreviewWindow(ProgramState& state, Host& host, QWidget* parent = nullptr);

    // The page as last drawn.
    const QImage& picture() const { return picture_; }

    void opened() override
    {
        model_.opened();
        applyView();
    }
    void closed() override { model_.closed(); }
    std::optional<RedrawLink> chainLink() const override { return RedrawLink::PrintPreview; }
    void chainMember(ProgramState&) override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void showView(const HardcopyInput& page) override;

    QImage picture_;
    int pictureLeft_ = 0;
};

}  // namespace ql::gui

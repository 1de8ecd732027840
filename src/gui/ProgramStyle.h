#pragma once
// The application's style: the system style, with two changes.
// - The pictures of the sub-window title bars and menus are made once: the style makes them
//   anew (decoding their images) for every window in the main window's area, which costs the
//   start a few milliseconds per window.
// - The control that has the focus shows it in every colour it can take: a frame of a dark and
//   a light line, which stands out on any background, is drawn over the push buttons, lists,
//   scroll bars and number boxes that have the focus, and in place of the style's own focus
//   rectangle (tool buttons, check boxes, option buttons, value cells, table cells, tabs), which
//   some styles draw faintly, not at all, or hidden by the colours the windows give their
//   controls.

#include <QHash>
#include <QIcon>
#include <QProxyStyle>

namespace ql::gui {

class ProgramStyle : public QProxyStyle {
public:
    // Puts the style in front of the application's own (once).
    static void install();

    QIcon standardIcon(StandardPixmap picture, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;

private:
    mutable QHash<int, QIcon> made_;
};

}  // namespace ql::gui

#pragma once
// The application's style with the pictures of the sub-window title bars and menus made once:
// the style makes them anew (decoding their images) for every window in the main window's
// area, which costs the start a few milliseconds per window. Everything else is the system
// style's own.

#include <QHash>
#include <QIcon>
#include <QProxyStyle>

namespace ql::gui {

class SubWindowIcons : public QProxyStyle {
public:
    // Puts the style in front of the application's own (once).
    static void install();

    QIcon standardIcon(StandardPixmap picture, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;

private:
    mutable QHash<int, QIcon> made_;
};

}  // namespace ql::gui

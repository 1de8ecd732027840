#include "SubWindowIcons.h"

#include <QApplication>

namespace ql::gui {

void SubWindowIcons::install()
{
    if (!dynamic_cast<SubWindowIcons*>(QApplication::style()))
        QApplication::setStyle(new SubWindowIcons);
}

QIcon SubWindowIcons::standardIcon(StandardPixmap picture, const QStyleOption* option,
                                   const QWidget* widget) const
{
    // The title-bar pictures depend on nothing but their kind.
    const bool titleBar =
        picture >= SP_TitleBarMenuButton && picture <= SP_TitleBarContextHelpButton;
    if (option || !titleBar) return QProxyStyle::standardIcon(picture, option, widget);
    const auto found = made_.constFind(picture);
    if (found != made_.constEnd()) return *found;
    return made_[picture] = QProxyStyle::standardIcon(picture, option, widget);
}

}  // namespace ql::gui

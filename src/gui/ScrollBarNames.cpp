#include "ScrollBarNames.h"

#include <QAbstractScrollArea>
#include <QScrollBar>
#include <utility>

namespace ql::gui {

void nameScrollBars(QAbstractScrollArea* area)
{
    const QString name = area->accessibleName();
    for (auto [bar, which] :
         {std::pair{area->verticalScrollBar(), QStringLiteral(" up/down")},
          std::pair{area->horizontalScrollBar(), QStringLiteral(" left/right")}}) {
        bar->setAccessibleName(name + which);
        bar->setFocusPolicy(Qt::TabFocus);
    }
}

}  // namespace ql::gui

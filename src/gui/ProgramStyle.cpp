#include "ProgramStyle.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOption>

namespace ql::gui {

namespace {

// A dark line with a light one inside it: one of the two stands out on any colour.
void drawFocusFrame(QPainter* painter, const QRect& rect)
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setBrush(Qt::NoBrush);
    painter->setPen(QPen(Qt::black, 1));
    painter->drawRect(rect.adjusted(0, 0, -1, -1));
    painter->setPen(QPen(Qt::white, 1));
    painter->drawRect(rect.adjusted(1, 1, -2, -2));
    painter->restore();
}

// The controls drawn whole by the style, whose focus the style marks faintly or not at all.
bool marksFocusOver(QStyle::ComplexControl control)
{
    return control == QStyle::CC_ScrollBar || control == QStyle::CC_ComboBox ||
           control == QStyle::CC_SpinBox || control == QStyle::CC_Slider;
}

}  // namespace

void ProgramStyle::install()
{
    if (!dynamic_cast<ProgramStyle*>(QApplication::style()))
        QApplication::setStyle(new ProgramStyle);
}

QIcon ProgramStyle::standardIcon(StandardPixmap picture, const QStyleOption* option,
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

void ProgramStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                 QPainter* painter, const QWidget* widget) const
{
    if (element == PE_FrameFocusRect) return drawFocusFrame(painter, option->rect);
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void ProgramStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                      QPainter* painter, const QWidget* widget) const
{
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    if (marksFocusOver(control) && (option->state & State_HasFocus))
        drawFocusFrame(painter, option->rect);
}

void ProgramStyle::drawControl(ControlElement element, const QStyleOption* option,
                               QPainter* painter, const QWidget* widget) const
{
    QProxyStyle::drawControl(element, option, painter, widget);
    if (element == CE_PushButton && (option->state & State_HasFocus))
        drawFocusFrame(painter, option->rect);
}

}  // namespace ql::gui

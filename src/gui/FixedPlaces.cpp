#include "FixedPlaces.h"

#include <QPushButton>
#include <QWidget>

#include "QtPaintDevice.h"
#include "state/Twips.h"

namespace ql::gui {

QRect twipsRect(const QWidget& window, int left, int top, int width, int height)
{
    const double dpiX = window.logicalDpiX(), dpiY = window.logicalDpiY();
    return QRect(twipsToPixels(left, dpiX), twipsToPixels(top, dpiY), twipsToPixels(width, dpiX),
                 twipsToPixels(height, dpiY));
}

QSize twipsSize(const QWidget& window, int width, int height)
{
    return twipsRect(window, 0, 0, width, height).size();
}

void placeInTwips(QWidget& control, int left, int top, int width, int height)
{
    const QWidget* parent = control.parentWidget();
    control.setGeometry(twipsRect(parent ? *parent : control, left, top, width, height));
}

QFont toolWindowFont(bool bold)
{
    FontSpec font;
    font.bold = bold;
    return QtPaintDevice::qtFont(font);
}

QPushButton* namedButton(QWidget* parent, const char* caption, const char* name)
{
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(QString::fromUtf8(name));
    return b;
}

QLabel* colouredCell(QWidget* parent, const QString& text, const QColor& background, bool bold)
{
    auto* cell = new QLabel(text, parent);
    cell->setAutoFillBackground(true);
    QPalette palette = cell->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, Qt::black);
    cell->setPalette(palette);
    cell->setFont(toolWindowFont(bold));
    return cell;
}

}  // namespace ql::gui

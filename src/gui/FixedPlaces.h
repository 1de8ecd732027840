#pragma once
// Controls at fixed places given in twips, as the small tool windows lay them out, converted
// at the window's resolution; and the coloured cells those windows show their values in.

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QRect>
#include <QSize>

class QAbstractScrollArea;
class QWidget;

namespace ql::gui {

// A place (left, top, width, height in twips) in the pixels of `window`.
QRect twipsRect(const QWidget& window, int left, int top, int width, int height);
QSize twipsSize(const QWidget& window, int width, int height);

// Puts a child control at its place in its parent.
void placeInTwips(QWidget& control, int left, int top, int width, int height);

// The dialog font of the tool windows (8.25 pt sans), bold or not.
QFont toolWindowFont(bool bold = false);

// The scroll bars of a list, table or text box, named after it and reached by Tab like every
// control.
void nameScrollBars(QAbstractScrollArea& area);

// A label on a coloured background, in bold when it is a heading.
QLabel* colouredCell(QWidget* parent, const QString& text, const QColor& background, bool bold);

}  // namespace ql::gui

#pragma once
// Controls at fixed places given in twips, as the small tool windows lay them out, converted
// at the window's resolution; and the coloured cells those windows show their values in.

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QRect>
#include <QSize>

class QPushButton;
class QWidget;

namespace ql::gui {

// A place (left, top, width, height in twips) in the pixels of `window`.
QRect twipsRect(const QWidget& window, int left, int top, int width, int height);
QSize twipsSize(const QWidget& window, int width, int height);

// Puts a child control at its place in its parent.
void placeInTwips(QWidget& control, int left, int top, int width, int height);

// The dialog font of the tool windows (8.25 pt sans), bold or not.
QFont toolWindowFont(bool bold = false);

// A push button with its caption and object name.
QPushButton* namedButton(QWidget* parent, const char* caption, const char* name);

// A label on a coloured background, in bold when it is a heading.
QLabel* colouredCell(QWidget* parent, const QString& text, const QColor& background, bool bold);

}  // namespace ql::gui

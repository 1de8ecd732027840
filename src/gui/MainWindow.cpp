#include "MainWindow.h"

namespace ql::gui {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("QL240"));
    resize(1024, 720);
}

}  // namespace ql::gui

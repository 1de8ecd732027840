#include "QtPrinter.h"

#include <QPageLayout>

namespace ql::gui {

QtPrinter::QtPrinter(QPagedPaintDevice& printer)
    : printer_(printer), device_(std::make_unique<QtPaintDevice>(printer))
{
}

Status QtPrinter::beginDocument(PageOrientation orientation, std::string_view)
{
    if (inDocument_) return Status::fail("A print job is already open.", "Print");
    printer_.setPageOrientation(orientation == PageOrientation::Landscape ? QPageLayout::Landscape
                                                                          : QPageLayout::Portrait);
    if (!device_->begin())
        return Status::fail(
            "The printer could not be started. Check that a printer is "
            "installed and switched on.",
            "Print");
    inDocument_ = true;
    return Status::success();
}

Status QtPrinter::newPage()
{
    if (!inDocument_ || !printer_.newPage())
        return Status::fail("The printer refused a new page.", "Print");
    return Status::success();
}

Status QtPrinter::endDocument()
{
    // Drawing before beginDocument starts the job as well; ending it sends what was drawn.
    if (!inDocument_ && !device_->isActive()) return Status::fail("No print job is open.", "Print");
    inDocument_ = false;
    if (!device_->finish()) return Status::fail("The print job could not be completed.", "Print");
    return Status::success();
}

}  // namespace ql::gui

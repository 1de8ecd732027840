#include "RecordingPrinter.h"

namespace ql {

RecordingPrinter::RecordingPrinter(DeviceSize portraitPage, double dpi)
    : portrait_(portraitPage), page_(portraitPage, dpi)
{
}

Status RecordingPrinter::beginDocument(PageOrientation orientation, std::string_view kind)
{
    if (!available_) return Status::fail("No printer is available.", "Print");
    if (inDocument_) return Status::fail("A print job is already open.", "Print");
    const bool landscape = orientation == PageOrientation::Landscape;
    page_.setSize(landscape ? DeviceSize{portrait_.height, portrait_.width} : portrait_);
    events_.push_back(landscape ? "begin landscape" : "begin portrait");
    kinds_.emplace_back(kind);
    unattendedDocuments_.push_back(unattended_);
    inDocument_ = true;
    ended_ = false;
    pages_ = 1;
    return Status::success();
}

Status RecordingPrinter::newPage()
{
    if (!inDocument_) return Status::fail("No print job is open.", "Print");
    events_.push_back("new page");
    ++pages_;
    return Status::success();
}

Status RecordingPrinter::endDocument()
{
    if (!inDocument_) return Status::fail("No print job is open.", "Print");
    events_.push_back("end");
    inDocument_ = false;
    if (endRefused_) return Status::fail("The printer refused the job.", "Print");
    ended_ = true;
    ++done_;
    return Status::success();
}

void RecordingPrinter::polyline(std::span<const DevicePoint> points, const Pen& pen)
{
    page_.polyline(points, pen);
}

void RecordingPrinter::text(DevicePoint topLeft, std::string_view utf8, const FontSpec& font,
                            Rgb color)
{
    page_.text(topLeft, utf8, font, color);
}

double RecordingPrinter::textWidth(std::string_view utf8, const FontSpec& font) const
{
    return page_.textWidth(utf8, font);
}

}  // namespace ql

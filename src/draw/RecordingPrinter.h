#pragma once
// A printer for tests: a RecordingDevice page that also records the document's begin, new
// pages and end, and can play a missing printer, a job the printer refuses to complete, or a
// printer that writes files.

#include <string>
#include <utility>
#include <vector>

#include "Printer.h"
#include "RecordingDevice.h"

namespace ql {

class RecordingPrinter : public Printer {
public:
    // `portraitPage` is the printable area upright; landscape documents swap its sides.
    explicit RecordingPrinter(DeviceSize portraitPage = {4800, 6600}, double dpi = 600.0);

    // With no printer, beginDocument fails.
    void setAvailable(bool available) { available_ = available; }
    // A refused job: endDocument fails (the document is over all the same).
    void setEndRefused(bool refused) { endRefused_ = refused; }
    // Documents go to this file instead of paper (empty: printed).
    void setDocumentFile(std::string path) { file_ = std::move(path); }

    Status beginDocument(PageOrientation orientation, std::string_view kind = "printout") override;
    Status newPage() override;
    Status endDocument() override;
    std::string documentFile() const override { return ended_ ? file_ : std::string(); }
    void setUnattended(bool unattended) override { unattended_ = unattended; }

    DeviceSize size() const override { return page_.size(); }
    double dpi() const override { return page_.dpi(); }
    void clear(Rgb background) override { page_.clear(background); }
    void line(DevicePoint a, DevicePoint b, const Pen& pen) override { page_.line(a, b, pen); }
    void polyline(std::span<const DevicePoint> points, const Pen& pen) override;
    void dot(DevicePoint p, const Pen& pen) override { page_.dot(p, pen); }
    void fillRect(const DeviceRect& rect, const Pen& pen) override { page_.fillRect(rect, pen); }
    void text(DevicePoint topLeft, std::string_view utf8, const FontSpec& font, Rgb color) override;
    double textWidth(std::string_view utf8, const FontSpec& font) const override;
    double lineHeight(const FontSpec& font) const override { return page_.lineHeight(font); }

    // "begin portrait", "begin landscape", "new page", "end", in order.
    const std::vector<std::string>& events() const { return events_; }
    // Everything drawn, across all pages, and the count of the document's pages.
    const RecordingDevice& recording() const { return page_; }
    int pageCount() const { return pages_; }
    bool inDocument() const { return inDocument_; }
    // The kind of every document begun, in order.
    const std::vector<std::string>& documentKinds() const { return kinds_; }
    // Documents ended without a refusal.
    int documentsDone() const { return done_; }
    // For every document begun, whether it was printed unattended; and whether that is so now.
    const std::vector<bool>& unattendedDocuments() const { return unattendedDocuments_; }
    bool unattended() const { return unattended_; }

private:
    DeviceSize portrait_;
    RecordingDevice page_;
    std::vector<std::string> events_;
    std::vector<std::string> kinds_;
    std::vector<bool> unattendedDocuments_;
    std::string file_;
    bool available_ = true;
    bool endRefused_ = false;
    bool inDocument_ = false;
    bool ended_ = false;
    bool unattended_ = false;
    int pages_ = 0;
    int done_ = 0;
};

}  // namespace ql

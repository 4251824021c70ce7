// What the windows of whole-recording measures offer the main window: their rows as CSV
// and a printed page.
#pragma once

#include "rect.h"
#include "whole_recording.h"

#include <QString>

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <thread>

class QPagedPaintDevice;
class QPainter;

namespace trivant {

class MeasuresView {
public:
    virtual ~MeasuresView() = default;
    // The rows as trivant-cli writes them for this recording.
    virtual std::string MeasuresCsv() const = 0;
    // One page on device, oriented as asked; false when the device cannot be painted on.
    virtual bool MyPrint(QPagedPaintDevice& device, bool landscape) = 0;
    // While the rows are computed there is nothing to print or export.
    virtual bool Busy() const = 0;
};

// Rows computed on a thread of their own, for a window that polls how far it got; destroying
// the job stops the computation first.
class SpanJob {
public:
    using Work = std::function<std::vector<SpanMeasures>(std::atomic<std::size_t>* done,
                                                         const std::atomic<bool>* cancel)>;
    SpanJob(std::size_t total, Work work);
    ~SpanJob();
    SpanJob(const SpanJob&) = delete;
    SpanJob& operator=(const SpanJob&) = delete;
    bool finished() const { return finished_; }
    std::size_t percent() const { return done_ * 100 / std::max<std::size_t>(total_, 1); }
    void wait();
    // Waits for the rows and hands them over.
    std::vector<SpanMeasures> take();

private:
    std::atomic<bool> cancel_{false}, finished_{false};
    std::atomic<std::size_t> done_{0};
    std::size_t total_ = 0;
    std::vector<SpanMeasures> rows_;
    std::thread thread_;
};

// A page begun on device for such a window: turned as asked, the text in the share of the
// page the report's pages give it, the caption on top. Its digit width, line height and the
// area below the caption; nothing when the device cannot be painted on.
struct MeasuresPage {
    int tw = 0, th = 0;
    Rect area;
};
std::optional<MeasuresPage> BeginMeasuresPage(QPainter& p, QPagedPaintDevice& device,
                                              bool landscape, const QString& caption);

}  // namespace trivant

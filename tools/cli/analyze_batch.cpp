// Workers take the next file from an atomic index; each has its own buffers, so nothing but
// the queue of finished lines is shared.
#include "analyze_batch.h"

#include "recording_io.h"

#include <algorithm>
#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

namespace trivant {

namespace {

// Finished results wait here until every earlier file is done.
class OrderedResults {
public:
    explicit OrderedResults(const BatchSink& sink) : sink_(sink) {}

    void add(std::size_t index, FileResult r) {
        const std::lock_guard<std::mutex> lock(mutex_);
        waiting_.emplace(index, std::move(r));
        while (!waiting_.empty() && waiting_.begin()->first == next_) {
            sink_.result(next_, waiting_.begin()->second);
            waiting_.erase(waiting_.begin());
            ++next_;
        }
        // After the lines, so that the last count is what stays on the terminal.
        if (sink_.progress)
            sink_.progress(++done_);
    }

private:
    const BatchSink& sink_;
    std::mutex mutex_;
    std::map<std::size_t, FileResult> waiting_;
    std::size_t next_ = 0, done_ = 0;
};

struct Batch {
    const std::vector<std::string>& files;
    CoreSettings cfg;
    int startS;
    FragmentLine line;
    std::atomic<std::size_t> next{0};
    OrderedResults results;
};

// What the single-threaded tool did per file: a fresh recording, the worker's buffers.
FileResult analyzeOne(const std::string& file, const Batch& b, AnalysisBuffers& buf,
                      FragmentReport& report) {
    auto rec = std::make_unique<Recording>();
    std::string msg = LoadRecording(file, b.cfg, *rec);
    if (msg.empty() &&
        !AnalyzeFragment(*rec, b.startS, PrepareAnalysis(*rec, buf), buf, report, &msg))
        msg = file + ": " + msg;
    if (!msg.empty())
        return {false, msg};
    return b.line(file, report);
}

void work(Batch& b) {
    auto buf = std::make_unique<AnalysisBuffers>();
    auto report = std::make_unique<FragmentReport>();
    for (std::size_t i; (i = b.next++) < b.files.size();)
        b.results.add(i, analyzeOne(b.files[i], b, *buf, *report));
}

}  // namespace

int DefaultJobs() {
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

void AnalyzeFiles(const std::vector<std::string>& files, const Setup& setup, int startS, int jobs,
                  FragmentLine line, const BatchSink& sink) {
    Batch b{files, ToCoreSettings(setup), startS, line, {}, OrderedResults(sink)};
    const std::size_t threads = std::min<std::size_t>(std::max(jobs, 1), files.size());
    std::vector<std::thread> helpers;
    try {
        for (std::size_t t = 1; t < threads; ++t)
            helpers.emplace_back(work, std::ref(b));
    } catch (const std::system_error&) {
        // Fewer threads than asked for still finish the batch.
    }
    work(b);
    for (std::thread& h : helpers)
        h.join();
}

}  // namespace trivant

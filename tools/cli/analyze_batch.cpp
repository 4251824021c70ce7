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
    const WorkerMaker& make;
    std::atomic<std::size_t> next{0};
    OrderedResults results;
};

void work(Batch& b) {
    const RecordingLines lines = b.make();
    for (std::size_t i; (i = b.next++) < b.files.size();) {
        const std::string& file = b.files[i];
        auto rec = std::make_unique<Recording>();
        const std::string msg = LoadRecording(file, b.cfg, *rec);
        b.results.add(i, msg.empty() ? lines(file, *rec) : FileResult{false, msg});
    }
}

}  // namespace

int DefaultJobs() {
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

void ProcessFiles(const std::vector<std::string>& files, const Setup& setup, int jobs,
                  const WorkerMaker& make, const BatchSink& sink) {
    Batch b{files, ToCoreSettings(setup), make, {}, OrderedResults(sink)};
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

RecordingLines FragmentWorker(int startS, const FragmentLine& line) {
    // What the single-threaded tool did per file: the worker's own buffers.
    auto buf = std::make_shared<AnalysisBuffers>();
    auto report = std::make_shared<FragmentReport>();
    return [startS, line, buf, report](const std::string& file, const Recording& rec) {
        std::string msg;
        if (!AnalyzeFragment(rec, startS, PrepareAnalysis(rec, *buf), *buf, *report, &msg))
            return FileResult{false, file + ": " + msg};
        return line(file, rec, *report);
    };
}

void AnalyzeFiles(const std::vector<std::string>& files, const Setup& setup, int startS, int jobs,
                  FragmentLine line, const BatchSink& sink) {
    ProcessFiles(
        files, setup, jobs, [startS, line] { return FragmentWorker(startS, line); }, sink);
}

}  // namespace trivant

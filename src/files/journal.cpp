// The journal writer: words go to the page cache from the recording tick with one write(2);
// a worker thread makes them durable with fdatasync at least once a second, so that a slow
// disk stalls the worker, never the tick.
#include "journal.h"

#include "journal_file.h"
#include "label_edit.h"
#include "rr_file.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <thread>

namespace trivant {
namespace fs = std::filesystem;

namespace {

// Half the promised second: a beat written just after a wake waits at most this long, plus
// the flush itself.
constexpr auto kFlushWait = std::chrono::milliseconds(500);
constexpr size_t kMaxCommentBytes = 1 << 20;
constexpr size_t kMaxNamesBytes = 16 << 20;

}  // namespace

std::string JournalPathIn(const std::string& folder, const std::string& name) {
    return (fs::u8path(folder) / fs::u8path("." + name + ".rr.part")).u8string();
}

std::string JournalPathFor(const std::string& out) {
    return out + ".part";
}

std::string JournalCommentPath(const std::string& journal) {
    return journal + ".comment";
}

std::string JournalExactPath(const std::string& journal) {
    return journal + ".us";
}

std::string JournalNamesPath(const std::string& journal) {
    return journal + ".labels";
}

int32_t JournalExactUs(const Recording& rec, int k) {
    return k >= 1 && static_cast<size_t>(k) < rec.ExactUs.size()
               ? rec.ExactUs[static_cast<size_t>(k)]
               : 0;
}

SampleWord JournalWord(const Recording& rec, int k) {
    const bool label = rec.DataSeries[kSerLbl][k] != 0;
    return packSample(rec.DataSeries[kSerRR][k], label ? kLabelMark : rec.DataSeries[kSerSPO][k]);
}

struct JournalWriter::State {
    JournalFile file;
    JournalFile exact;  // the intervals in µs, when kept
    JournalFile names;  // from the first named label on
    std::string path;
    std::atomic<bool> dirty{false};   // written since the last flush
    std::atomic<bool> failed{false};  // no more words once set
    std::mutex mutex;                 // guards error, stop and the wait
    std::mutex flushing;              // one flush at a time: Finish waits for the worker's
    std::condition_variable wake;
    IoStatus error;
    bool stop = false;
    std::thread worker;

    void fail(const IoStatus& status) {
        std::lock_guard<std::mutex> lock(mutex);
        if (!failed.exchange(true))
            error = status;
    }
    // Flushes what was written since the last flush; false on failure.
    bool flush() {
        std::lock_guard<std::mutex> one(flushing);
        if (!dirty.exchange(false))
            return true;
        // The intervals first: a word on disk then always has its interval there too.
        int err = exact.isOpen() ? exact.sync() : 0;
        if (err == 0 && names.isOpen())
            err = names.sync();
        if (err == 0)
            err = file.sync();
        if (err != 0)
            fail(journalFailure(path, "cannot flush to disk", err));
        return err == 0;
    }
    void run() {
        std::unique_lock<std::mutex> lock(mutex);
        while (!stop) {
            wake.wait_for(lock, kFlushWait, [this] { return stop; });
            lock.unlock();
            flush();
            lock.lock();
        }
    }
    void stopWorker() {
        if (!worker.joinable())
            return;
        {
            std::lock_guard<std::mutex> lock(mutex);
            stop = true;
        }
        wake.notify_all();
        worker.join();
    }
    // Closed, with no error and no stop pending: ready for the next journal.
    void reset() {
        close();
        dirty = false;
        failed = false;
        error = {};
        stop = false;
    }
    void close() {
        stopWorker();
        if (file.isOpen())
            flush();
        file.close();
        exact.close();
        names.close();
        path.clear();
    }
};

JournalWriter::JournalWriter() : s_(std::make_unique<State>()) {}

JournalWriter::~JournalWriter() {
    s_->close();
}

IoStatus JournalWriter::Open(const std::string& path, bool exact) {
    s_->reset();
    std::error_code ec;
    const fs::path folder = fs::u8path(path).parent_path();
    if (!folder.empty())
        fs::create_directories(folder, ec);
    IoStatus status = s_->file.create(path);
    if (!status.ok)
        return status;
    // A sidecar left beside a journal that held no beat belongs to nothing.
    fs::remove(fs::u8path(JournalExactPath(path)), ec);
    fs::remove(fs::u8path(JournalNamesPath(path)), ec);
    if (exact && !(status = s_->exact.create(JournalExactPath(path))).ok) {
        s_->file.close();
        RemoveJournal(path);
        return status;
    }
    s_->path = path;
    s_->worker = std::thread([state = s_.get()] { state->run(); });
    return status;
}

IoStatus JournalWriter::Adopt(const std::string& path) {
    s_->reset();
    IoStatus status = s_->file.adopt(path);
    if (status.ok)
        s_->path = path;
    return status;
}

bool JournalWriter::isOpen() const {
    return s_->file.isOpen();
}

const std::string& JournalWriter::path() const {
    return s_->path;
}

void JournalWriter::Append(SampleWord word, int32_t exactUs) {
    if (!s_->file.isOpen() || s_->failed)
        return;
    // The file's byte order: low byte first, as EncodeRr writes.
    const char bytes[2] = {static_cast<char>(sampleLow(word)), static_cast<char>(sampleRR(word))};
    int err = 0;
    if (s_->exact.isOpen()) {  // before the word: a word never lacks its interval
        const auto u = static_cast<uint32_t>(exactUs);
        const char us[4] = {static_cast<char>(u), static_cast<char>(u >> 8),
                            static_cast<char>(u >> 16), static_cast<char>(u >> 24)};
        err = s_->exact.append(us, sizeof us);
    }
    if (err == 0)
        err = s_->file.append(bytes, sizeof bytes);
    if (err != 0)
        s_->fail(journalFailure(s_->path, "cannot write", err));
    else
        s_->dirty = true;
}

void JournalWriter::AppendName(int k, const std::string& name) {
    const std::string text = LabelNameText(name);
    if (!s_->file.isOpen() || s_->failed || text.empty() || k < 1)
        return;
    const std::string sidecar = JournalNamesPath(s_->path);
    if (!s_->names.isOpen()) {
        // Made here, not at Open: most recordings never name a label.
        const IoStatus made = s_->names.create(sidecar);
        if (!made.ok) {
            s_->fail(made);
            return;
        }
    }
    char number[16];
    char* end = std::to_chars(number, number + sizeof number, k).ptr;
    const std::string line =
        std::string(number, static_cast<size_t>(end - number)) + '\t' + text + '\n';
    if (const int err = s_->names.append(line.data(), line.size()); err != 0)
        s_->fail(journalFailure(sidecar, "cannot write", err));
    else
        s_->dirty = true;
}

void JournalWriter::SetComment(const std::string& text) {
    if (!s_->file.isOpen() || s_->failed)
        return;
    const std::string sidecar = JournalCommentPath(s_->path);
    if (!text.empty()) {
        const IoStatus status = WriteFileAtomic(sidecar, text);
        if (!status.ok)
            s_->fail(status);
        return;
    }
    std::error_code ec;
    fs::remove(fs::u8path(sidecar), ec);
}

IoStatus JournalWriter::Finish() {
    if (!s_->file.isOpen())
        return {true, s_->path, {}};
    if (s_->flush() && !s_->failed)
        return {true, s_->path, {}};
    std::lock_guard<std::mutex> lock(s_->mutex);
    return {false, s_->path, "the journal misses words: " + s_->error.detail};
}

void JournalWriter::Remove() {
    if (!s_->file.isOpen())
        return;
    s_->stopWorker();
    // Removed while still locked, so that no scan offers it in between.
    RemoveJournal(s_->path);
    s_->file.close();
    s_->exact.close();
    s_->names.close();
    s_->path.clear();
}

IoStatus JournalWriter::TakeError() {
    std::lock_guard<std::mutex> lock(s_->mutex);
    IoStatus out = s_->error;
    s_->error = {};
    return out;
}

namespace {

// The sidecar's intervals into ExactUs when it holds one for every beat, each rounding to its
// word; else none, and the count of beats known now only to 10 ms whose exact interval was
// not a whole 10 ms (a beat without one counts: its interval can't be told). 0 without a
// sidecar, as from a device that gives 10 ms values.
int readExact(const std::string& journal, Recording& rec) {
    rec.ExactUs.clear();
    std::string bytes;
    const std::string sidecar = JournalExactPath(journal);
    std::error_code ec;
    if (!fs::exists(fs::u8path(sidecar), ec) ||
        !ReadFileBytes(sidecar, bytes, kRrHeaderBytes + 4 * size_t{kMaxRecordingBeats}).ok ||
        bytes.size() < kRrHeaderBytes || rec.beats() == 0)
        return 0;
    const int beats = rec.beats();
    const int count = std::min(beats, static_cast<int>((bytes.size() - kRrHeaderBytes) / 4));
    std::vector<int32_t> us(static_cast<size_t>(beats) + 1, 0);
    int whole = 0;  // matching values that are whole tens of ms: nothing of them is lost
    int k = 1;
    for (; k <= count; ++k) {
        const auto* p =
            reinterpret_cast<const uint8_t*>(bytes.data()) + kRrHeaderBytes + 4 * (k - 1);
        const int32_t v = static_cast<int32_t>(uint32_t{p[0]} | uint32_t{p[1]} << 8 |
                                               uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24);
        if (RoundUsTo10Ms(v) != sampleRR(rec.DataBuf[static_cast<size_t>(k)]))
            break;
        us[static_cast<size_t>(k)] = v;
        whole += v % 10000 == 0;
    }
    if (k > beats) {
        rec.ExactUs = std::move(us);
        return 0;
    }
    return beats - whole;
}

// The names' sidecar into LabelNames, for the labelled beats it names; a line without its
// end, a power cut's, is dropped. Unreadable, it leaves the labels unnamed: the beats matter
// more than their names.
void readNames(const std::string& journal, Recording& rec) {
    rec.LabelNames.clear();
    std::string bytes;
    const std::string sidecar = JournalNamesPath(journal);
    std::error_code ec;
    if (!fs::exists(fs::u8path(sidecar), ec) || !ReadFileBytes(sidecar, bytes, kMaxNamesBytes).ok)
        return;
    for (size_t at = kRrHeaderBytes, end;
         at < bytes.size() && (end = bytes.find('\n', at)) != std::string::npos; at = end + 1) {
        const size_t tab = bytes.find('\t', at);
        int k = 0;
        const char* number = bytes.data() + at;
        const char* numberEnd = bytes.data() + std::min(tab, end);
        const auto parsed = std::from_chars(number, numberEnd, k);
        if (tab >= end || parsed.ec != std::errc() || parsed.ptr != numberEnd)
            continue;
        const std::string name = LabelNameText(bytes.substr(tab + 1, end - tab - 1));
        if (!name.empty() && k >= 1 && k <= rec.beats() &&
            sampleIsLabel(rec.DataBuf[static_cast<size_t>(k)]))
            rec.LabelNames[k] = name;
    }
}

}  // namespace

IoStatus ReadJournal(const std::string& path, Recording& rec, int* rounded) {
    IoStatus status = ReadDataFile(path, rec, kMaxRecordingBeats);
    if (!status.ok)
        return status;
    rec.Reserve(rec.CurrentFileLen + 1);
    if (rec.CurrentFileLen > 0 && rec.CurrentFileLen < rec.capacity())
        rec.DataBuf[static_cast<size_t>(++rec.CurrentFileLen)] = 0;
    const int lost = readExact(path, rec);
    readNames(path, rec);
    if (rounded)
        *rounded = lost;
    const std::string sidecar = JournalCommentPath(path);
    std::error_code ec;
    if (!fs::exists(fs::u8path(sidecar), ec)) {
        rec.Comment.clear();
        return status;
    }
    std::string text;
    const IoStatus comment = ReadFileBytes(sidecar, text, kMaxCommentBytes);
    if (!comment.ok)
        return comment;
    rec.Comment = text;
    return status;
}

void RemoveJournal(const std::string& path) {
    std::error_code ec;
    fs::remove(fs::u8path(JournalCommentPath(path)), ec);
    fs::remove(fs::u8path(JournalExactPath(path)), ec);
    fs::remove(fs::u8path(JournalNamesPath(path)), ec);
    fs::remove(fs::u8path(path), ec);
}

}  // namespace trivant

// The fragment analysis of many recordings on several threads, with the results handed
// back in the order of the files.
#pragma once

#include "fragment_analysis.h"
#include "setup.h"

#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace trivant {

// One file's outcome: its output line (no newline), or the message that names the file.
// A good outcome may carry a note for stderr, which names the file too.
struct FileResult {
    FileResult() = default;
    FileResult(bool good, std::string line, std::string aside = {})
        : ok(good), text(std::move(line)), note(std::move(aside)) {}
    bool ok = false;
    std::string text;
    std::string note;
};

// The outcome of an analysed file: its output line, or a message when what was asked of
// the fragment can't be given. Called on the worker threads.
using FragmentLine = std::function<FileResult(const std::string& file, const Recording& rec,
                                              const FragmentReport& r)>;

// Both are called under one lock, never at the same time. result gets file i as soon as
// files 0..i are done, in order; progress (may be empty) gets the number of files done.
struct BatchSink {
    std::function<void(std::size_t index, const FileResult& r)> result;
    std::function<void(std::size_t done)> progress;
};

// The number of cores, at least 1.
int DefaultJobs();

// The output of one loaded, prepared recording (its lines, without the last newline), or
// the message that names the file. Called on a worker thread.
using RecordingLines = std::function<FileResult(const std::string& file, const Recording& rec)>;
// Makes one worker's RecordingLines, with buffers of its own: workers share nothing.
using WorkerMaker = std::function<RecordingLines()>;

// Loads and prepares each file and hands it to a worker, on up to jobs threads (one thread
// runs in the caller's). Only the results of files done ahead of an earlier one wait in
// memory, as their lines.
void ProcessFiles(const std::vector<std::string>& files, const Setup& setup, int jobs,
                  const WorkerMaker& make, const BatchSink& sink);

// A worker of the fragment analysis from second startS, with buffers of its own.
RecordingLines FragmentWorker(int startS, const FragmentLine& line);

// ProcessFiles with the fragment analysis from second startS of each file.
void AnalyzeFiles(const std::vector<std::string>& files, const Setup& setup, int startS, int jobs,
                  FragmentLine line, const BatchSink& sink);

}  // namespace trivant

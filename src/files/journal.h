// The journal of a live recording: a ".rr" file that only grows, one sample word per
// completed beat, flushed to disk at least once a second, so that a crash, a kill or a
// power cut loses at most the last second of beats. Any .rr reader opens it as it stands.
#pragma once

#include "atomic_file.h"
#include "recording.h"
#include "sample_word.h"

#include <ctime>
#include <memory>
#include <string>
#include <vector>

namespace trivant {

// ".<name>.rr.part" in folder: the journal of a recording that has no file yet.
std::string JournalPathIn(const std::string& folder, const std::string& name);
// "OUT.part" beside OUT.
std::string JournalPathFor(const std::string& out);
// The comment's sidecar beside a journal ("JOURNAL.comment"): the comment's UTF-8 text as
// it is, nothing else, replaced atomically; no sidecar means no comment.
std::string JournalCommentPath(const std::string& journal);

// The exact intervals' sidecar beside a journal ("JOURNAL.us"): the journal's 2-byte header,
// then one little-endian int32 per beat, the interval in µs, written and synced before the
// beat's word.
std::string JournalExactPath(const std::string& journal);

// The label names' sidecar beside a journal ("JOURNAL.labels"), made with the first named
// label: the journal's 2-byte header, then "BEAT\tNAME\n" for each named beat as it completes
// (the beat in decimal, the name as LabelNameText gives it). Journals without one, those
// written before names were kept among them, read with unnamed labels.
std::string JournalNamesPath(const std::string& journal);

// Beat k's word, as Pack stores it (a labelled beat carries the label mark).
SampleWord JournalWord(const Recording& rec, int k);
// Beat k's exact interval in µs, or 0 when the recording has none.
int32_t JournalExactUs(const Recording& rec, int k);

class JournalWriter {
public:
    JournalWriter();
    ~JournalWriter();  // flushes and closes; the journal stays (only Remove deletes it)
    JournalWriter(const JournalWriter&) = delete;
    JournalWriter& operator=(const JournalWriter&) = delete;

    // Creates the journal with the .rr header and locks it for as long as it is open, so
    // that no other instance offers it for recovery. The folder is made when missing. A
    // journal that another writer holds, or that holds a whole beat nobody recovered yet, is
    // left as it is and Open fails. exact: the intervals in µs go to the sidecar too.
    IoStatus Open(const std::string& path, bool exact = false);
    // Takes over a journal left by an ended writer, as it is, with its lock: a recovered
    // recording holds its journal until saved or discarded, and may still change its comment.
    IoStatus Adopt(const std::string& path);
    bool isOpen() const;
    const std::string& path() const;

    // One completed beat's word (and its exact interval, when the journal keeps them), from
    // the recording tick: written at once, never waiting for the disk; the flush runs on a
    // worker at least once a second.
    void Append(SampleWord word, int32_t exactUs = 0);
    // The name of completed beat k's label, from the tick as Append; an empty name is none.
    void AppendName(int k, const std::string& name);
    // Replaces the comment's sidecar (empty text removes it).
    void SetComment(const std::string& text);
    // At Stop: the words so far are flushed to disk before it returns. Fails when the journal
    // misses words (an earlier failure included); a failure of its own flush also goes to
    // TakeError. The journal stays open and locked until Remove or the destructor.
    IoStatus Finish();
    // After a save, or when the user discards the recording: journal and sidecar go.
    void Remove();

    // The first failure since the last call (write, flush or sidecar); ok when none. After
    // a failure the journal takes no more words: the recording goes on in memory.
    IoStatus TakeError();

private:
    struct State;
    std::unique_ptr<State> s_;
};

struct JournalInfo {
    std::string path;
    int beats = 0;  // whole words after the header
    // When the recording started: the name's "YYYYMMDD-HHMMSS" (local time) for a journal
    // named by JournalPathIn with such a name, else the last write's time less the sum of
    // the RR intervals (each write ends a beat), to the second.
    std::time_t started = 0;
};

// The journals in folder that no running writer holds, by path: names ending in ".rr.part"
// or ".txt.part" (any case) whose header is the .rr one. Those without a whole beat are
// removed silently.
std::vector<JournalInfo> FindJournals(const std::string& folder);

// Fills DataBuf and CurrentFileLen as ReadDataFile does with the file a save at Stop would
// have written: the words (a torn last word is dropped), then the empty slot after the last
// beat, so that beats() is the journal's beat count. Comment comes from the sidecar, the
// exact intervals from theirs when it holds one for every beat (a power cut may have left it
// shorter) and each matches its word, the label names from theirs for the labelled beats it
// names (a torn last line is dropped); the caller prepares. rounded, when given, is how many
// intervals a sidecar that did not hold them all leaves rounded to 10 ms, else 0.
IoStatus ReadJournal(const std::string& path, Recording& rec, int* rounded = nullptr);

// A running writer holds the journal.
bool JournalInUse(const std::string& path);

// Removes a journal and its sidecars.
void RemoveJournal(const std::string& path);

}  // namespace trivant

// Content-driven reading of recordings.
#include "recording_file.h"

#include "csv_start.h"
#include "rr_csv.h"
#include "rr_file.h"
#include "trivant_csv.h"

namespace trivant {

namespace {

std::string textReportMessage(const std::string& path, const TextReadReport& r) {
    if (r.skippedLines > 0)
        return path + ":" + std::to_string(r.firstSkippedLine) + ": line can't be read (" +
               std::to_string(r.skippedLines) + " line(s) in all)";
    if (r.truncated)
        return path + ": more than " + std::to_string(kMaxBeats) + " beats";
    return {};
}

IoStatus failed(const std::string& path, const std::string& detail) {
    return {false, path, detail};
}

void loadList(const std::string& path, Recording& rec, RecordingLoad& load) {
    std::string text;
    load.status = ReadFileBytes(path, text, kMaxListFileBytes);
    if (!load.status.ok)
        return;
    MsListError err;
    if (!ParseRrList(text, rec, err)) {
        load.status = failed(path, err.message);
        load.line = err.line;
    }
}

}  // namespace

RecordingLoad LoadRecordingFile(const std::string& path, Recording& rec) {
    RecordingLoad load;
    std::string head;
    load.status = ReadFileBytes(path, head, kFormatHeadBytes);
    if (!load.status.ok)
        return load;
    load.format = DetectRecordingFormat(head, path);
    load.refusal = RefuseContent(head, load.format);
    if (load.refusal.refused()) {
        load.status = failed(path, RefusalText(load.refusal));
        return load;
    }
    switch (load.format) {
    case RecordingFormat::Rr:
        load.status = ReadDataFile(path, rec);
        break;
    case RecordingFormat::Text:
        load.status = ReadTextFile(path, rec, load.textReport);
        break;
    case RecordingFormat::MsList:
    case RecordingFormat::Csv:
    case RecordingFormat::TrivantCsv:
        loadList(path, rec, load);
        break;
    case RecordingFormat::Unknown:
        load.status =
            failed(path, "not a recording Trivant reads: neither .rr, Trivant text, an RR list "
                         "in ms nor a CSV file with an RR column");
        break;
    }
    return load;
}

std::string ReadRecordingFile(const std::string& path, Recording& rec) {
    return RecordingLoadMessage(path, LoadRecordingFile(path, rec));
}

std::string RecordingLoadMessage(const std::string& path, const RecordingLoad& load) {
    if (!load.status.ok)
        return load.status.path + (load.line > 0 ? ":" + std::to_string(load.line) : "") + ": " +
               load.status.detail;
    return textReportMessage(path, load.textReport);
}

bool RecordingStartKnown(const std::string& path) {
    std::string head;
    if (!ReadFileBytes(path, head, kFormatHeadBytes).ok)
        return false;
    const RecordingFormat format = DetectRecordingFormat(head, path);
    if (format != RecordingFormat::MsList && format != RecordingFormat::Csv &&
        format != RecordingFormat::TrivantCsv)
        return false;
    RrCsvHeader h;
    const bool csv = FindRrCsvHeader(head, h);
    return ListStartClock(head, csv ? &h : nullptr, 0) != kNoClock;
}

IoStatus SaveRecordingFile(const std::string& path, const Recording& rec, RecordingFormat format,
                           const std::string& dateText) {
    switch (format) {
    case RecordingFormat::Text:
        return SaveTextFile(path, rec, dateText);
    case RecordingFormat::TrivantCsv:
        return SaveTrivantCsv(path, rec);
    default:
        return SaveDataFile(path, rec);
    }
}

}  // namespace trivant

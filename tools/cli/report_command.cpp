// Analyses the fragment from --start and prints the report window's page into a PDF.
#include "report_command.h"

#include "beat_edit.h"
#include "cli_commands.h"
#include "fragment_analysis.h"
#include "recording_io.h"
#include "render_command.h"
#include "report_window.h"
#include "translation.h"
#include "whole_recording.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPrinter>

#include <memory>

namespace trivant {

int RunReport(const CliOptions& opt, const Setup& setup, std::ostream& err) {
    EnsureGuiApplication();
    const std::string& in = opt.files[0];
    auto rec = std::make_unique<Recording>();
    std::string msg = LoadRecording(in, ToCoreSettings(setup), *rec);
    auto buf = std::make_unique<AnalysisBuffers>();
    auto report = std::make_unique<FragmentReport>();
    if (msg.empty() &&
        !AnalyzeFragment(*rec, opt.start, PrepareAnalysis(*rec, *buf), *buf, *report, &msg))
        msg = in + ": " + msg;
    if (!msg.empty()) {
        err << "trivant-cli: " << msg << "\n";
        return kExitBadInput;
    }
    ReportWindow window;
    const std::string name = QFileInfo(QString::fromStdString(in)).completeBaseName().toStdString();
    window.setWindowTitle(QString::fromStdString(
        FragmentCaption(name, *report, TrMessage(kFragmentWord).toStdString())));
    window.SetComment(QString::fromStdString(rec->Comment));
    window.SetReport(*report);
    window.SetBands(opt.bands);
    window.SetEditedBeats(EditedBeats(*rec));
    window.SetRecordingIntervals(RecordingIntervalsUs(*rec));
    if (opt.artifacts)
        window.SetArtifactOptions(*opt.artifacts);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(opt.files[1]));
    if (!window.MyPrint(printer, opt.landscape)) {
        err << "trivant-cli: " << opt.files[1] << ": cannot write the PDF file\n";
        return kExitBadInput;
    }
    return kExitOk;
}

}  // namespace trivant

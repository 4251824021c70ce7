// Prints a recording window with the default view state after loading into a PDF page.
#include "print_command.h"

#include "cli_commands.h"
#include "render_command.h"

#include <QPageLayout>
#include <QPrinter>

namespace trivant {

int RunPrint(const CliOptions& opt, const Setup& setup, std::ostream& err) {
    OfflineGraphHost host(setup);
    auto graph = OffscreenGraph(host, opt, err);
    if (!graph)
        return kExitBadInput;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(opt.files[1]));
    printer.setPageOrientation(opt.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    if (!graph->MyPrint(printer)) {
        err << "trivant-cli: " << opt.files[1] << ": cannot write the PDF file\n";
        return kExitBadInput;
    }
    return kExitOk;
}

}  // namespace trivant

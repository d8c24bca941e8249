#include "platform/win/recording_printer.h"

namespace tra1::win {

PrintOutcome RecordingPrinter::Print(const PrintRequest& request) {
    printed_.push_back(request);
    return printOutcome_;
}

PdfOutcome RecordingPrinter::RenderPdf(const PrintRequest& request) {
    rendered_.push_back(request);
    return pdfOutcome_;
}

}  // namespace tra1::win

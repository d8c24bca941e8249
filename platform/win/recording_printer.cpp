#include "platform/win/recording_printer.h"

namespace tra1::win {

PrintOutcome RecordingPrinter::Print(const PrintRequest& request) {
    printed_.push_back(request);
    return print_outcome_;
}

PdfOutcome RecordingPrinter::RenderPdf(const PrintRequest& request) {
    rendered_.push_back(request);
    return pdf_outcome_;
}

}  // namespace tra1::win

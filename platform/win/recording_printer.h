#pragma once
// The test DocumentPrinter: records every request and answers from what the test set. Without a
// front end the loop uses one that prints nothing: Print is cancelled and RenderPdf fails.
//
//   RecordingPrinter printer;
//   loop.SetPrinter(&printer);
//   printer.SetPrintOutcome({PrintOutcome::Result::kPrinted, ""});
//   ... code under test prints ...
//   EXPECT_EQ(printer.printed().at(0).title, "REPORT");

#include <vector>

#include "platform/win/document_printer.h"

namespace tra1::win {

class RecordingPrinter final : public DocumentPrinter {
public:
    PrintOutcome Print(const PrintRequest& request) override;
    PdfOutcome RenderPdf(const PrintRequest& request) override;

    void SetPrintOutcome(PrintOutcome outcome) { printOutcome_ = std::move(outcome); }
    void SetPdfOutcome(PdfOutcome outcome) { pdfOutcome_ = std::move(outcome); }

    const std::vector<PrintRequest>& Printed() const { return printed_; }
    const std::vector<PrintRequest>& Rendered() const { return rendered_; }

private:
    PrintOutcome printOutcome_{PrintOutcome::Result::kCancelled, ""};
    PdfOutcome pdfOutcome_{{}, "Printing is not available."};
    std::vector<PrintRequest> printed_;
    std::vector<PrintRequest> rendered_;
};

}  // namespace tra1::win

#pragma once
// The DocumentPrinter for Qt: "Print..." shows the system's print dialog (QPrintDialog, which also
// offers printing to a PDF file) and prints there; a PDF document is laid out with QPdfWriter on
// A4. Both lay the text out the same way: the fixed-pitch font, tab stops every 8 columns, lines
// wider than the page continued on the next line, pages broken where they fill.

#include <QString>
#include <memory>

#include "platform/win/document_printer.h"

class QTextDocument;

namespace tra1::qtui {

class QtDialogHost;

class QtPrinter final : public win::DocumentPrinter {
public:
    // `host` (may be null) finds the window the print dialog is modal to.
    explicit QtPrinter(QtDialogHost* host) : host_(host) {}

    win::PrintOutcome Print(const win::PrintRequest& request) override;
    win::PdfOutcome RenderPdf(const win::PrintRequest& request) override;

    // The text as QTextDocument::print lays it out on a printer or a PDF writer (tab stops in
    // the screen's pixels, which the print scales to the device).
    static std::unique_ptr<QTextDocument> MakeDocument(const win::PrintRequest& request);

    // Points of the printed text.
    static constexpr int kPrintPoints = 9;

private:
    QtDialogHost* host_;
};

}  // namespace tra1::qtui

#pragma once
// Printing plain text behind an interface: the program hands over a document, the Qt front end
// shows the system's print dialog or lays the text out as a PDF, tests record what was asked
// (RecordingPrinter).
//
// The text is laid out as a plain-text viewer shows it: a fixed-pitch font, tab stops every 8
// columns, "\r\n" or "\n" line ends, lines wider than the page continued on the next line.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win/window_handle.h"

namespace tra1::win {

struct PrintRequest {
    std::string title;  // the document's name: the print job's, the PDF's title
    std::string text;
    WindowHandle owner;  // the window the print dialog is modal to
};

struct PrintOutcome {
    enum class Result { kPrinted, kCancelled, kFailed };
    Result result = Result::kCancelled;
    std::string error;  // why it failed, in words
};

struct PdfOutcome {
    std::vector<std::uint8_t> document;  // empty when it could not be made
    std::string error;
};

class DocumentPrinter {
public:
    virtual ~DocumentPrinter() = default;
    // Shows the print dialog (modal) and prints on the printer the user chose there.
    virtual PrintOutcome Print(const PrintRequest& request) = 0;
    // The text as a PDF document, laid out as Print lays it out on A4.
    virtual PdfOutcome RenderPdf(const PrintRequest& request) = 0;
};

}  // namespace tra1::win

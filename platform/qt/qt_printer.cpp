#include "platform/qt/qt_printer.h"

#include <QApplication>
#include <QBuffer>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>
#include <QTextOption>

#include "platform/qt/dialog_widget.h"
#include "platform/qt/plain_text_look.h"
#include "platform/qt/qt_dialog_host.h"
#include "platform/qt/qt_text.h"

namespace tra1::qtui {

namespace {
// QTextDocument::print keeps 2 cm of margin on every side itself; the page adds none, so that a
// 74-column rule fits across A4 and Letter.
const QMarginsF kNoMargins(0, 0, 0, 0);
}  // namespace

std::unique_ptr<QTextDocument> QtPrinter::MakeDocument(const win::PrintRequest& request) {
    auto document = std::make_unique<QTextDocument>();
    const QFont font = FixedPitchFont(kPrintPoints);
    document->setDefaultFont(font);
    QTextOption option;
    // QTextDocument::print lays the document out again on the device, but Qt's text engine reads
    // tab stops in the screen's pixels and scales them by the device's resolution itself: stops
    // measured on the device would come out that scale too wide, each tab then breaking the line.
    option.setTabStopDistance(TabStopDistance(font));
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document->setDefaultTextOption(option);
    document->setDocumentMargin(0);
    document->setMetaInformation(QTextDocument::DocumentTitle, ToQString(request.title));
    document->setPlainText(ToQString(request.text));
    return document;
}

win::PrintOutcome QtPrinter::Print(const win::PrintRequest& request) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(ToQString(request.title));
    printer.setPageMargins(kNoMargins, QPageLayout::Millimeter);
    QWidget* owner = nullptr;
    if (host_ != nullptr) {
        owner = host_->WidgetFor(request.owner);
    }
    QPrintDialog dialog(&printer, owner != nullptr ? owner : QApplication::activeWindow());
    dialog.setWindowTitle(QStringLiteral("Print %1").arg(ToQString(request.title)));
    if (dialog.exec() != QDialog::Accepted) {
        return {win::PrintOutcome::Result::kCancelled, ""};
    }
    MakeDocument(request)->print(&printer);
    if (printer.printerState() == QPrinter::Error) {
        return {win::PrintOutcome::Result::kFailed, "The printer reported an error."};
    }
    return {win::PrintOutcome::Result::kPrinted, ""};
}

win::PdfOutcome QtPrinter::RenderPdf(const win::PrintRequest& request) {
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        if (!buffer.open(QIODevice::WriteOnly)) {
            return {{}, "The document could not be made."};
        }
        QPdfWriter writer(&buffer);
        writer.setTitle(ToQString(request.title));
        writer.setCreator(QStringLiteral("Tolvek Receiver Editor"));
        writer.setResolution(300);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         kNoMargins, QPageLayout::Millimeter));
        MakeDocument(request)->print(&writer);
    }  // the writer finishes the file when it goes
    if (bytes.isEmpty()) {
        return {{}, "The document could not be made."};
    }
    return {std::vector<std::uint8_t>(bytes.begin(), bytes.end()), ""};
}

}  // namespace tra1::qtui

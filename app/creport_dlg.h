#pragma once
// The REPORT window (dialog 145): the configuration report in one multi-line edit filling the
// window, to be read and copied. The report is written once, when the window is created; the
// window's refresh message does nothing, so the text keeps showing the image as it was then.
// It opens at the top of the text. Its File menu saves the text ("Save As...", an atomic write),
// prints it ("Print...") or writes it as a PDF document ("Export PDF..."), through the loop's
// Prompter and DocumentPrinter.
//
// The main window opens it like a panel (button 1108 "Show Report", refresh message 0x9010),
// through its panel table:
//
//   panels_.SetFactory(PanelTable::IndexForRefresh(CREPORTDlg::kRefreshMessage),
//                      MakeReportPanelFactory(Loop(), image_, profile_, Handle()));
//
// or by hand:
//
//   report_ = std::make_unique<CREPORTDlg>(loop, image, profile, main.Handle());
//   report_->SetOnDestroyed([&] { report_open = false; loop.DeleteLater(std::move(report_)); });
//   if (!report_->Create(main.Handle())) { /* "Dialog Creating Error\r\nReport" */ }
//   report_->Show();
//
// The destroyed callback runs from PostNcDestroy, possibly inside the window's own handler (the
// close box), so the owner frees the object through EventLoop::DeleteLater, never directly.

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "app/panel_table.h"
#include "panels/panel_descriptor.h"
#include "platform/win/dialog.h"
#include "platform/win/document_printer.h"
#include "platform/win/event_loop.h"

namespace tra1 {

namespace win {
class Edit;
}

class ReceiverImage;
class ModelProfile;

class CREPORTDlg final : public win::Dialog {
public:
    // Opened like a panel from its main-window button only; it posts no change messages and
    // never holds its refreshes.
    static constexpr PanelDescriptor kDescriptor{.refreshMessage = 0x9010,
                                                 .templateId = 145,
                                                 .caption = "REPORT",
                                                 .buttonId = 1108,
                                                 .buttonLabel = "Show Report",
                                                 .windowName = "Report"};
    static constexpr int kTemplateId = kDescriptor.templateId;
    static constexpr win::Msg kRefreshMessage = kDescriptor.refreshMessage;
    static constexpr int kReportEdit = 1108;
    static constexpr int kTextLimit = 65535;

    // The File menu (menu 145).
    static constexpr int kMenuSaveAs = 32901;
    static constexpr int kMenuPrint = 32902;
    static constexpr int kMenuExportPdf = 32903;
    static constexpr int kMenuClose = 32904;

    static constexpr std::string_view kMessageTitle = "Tolvek Receiver Editor Message";
    static constexpr std::string_view kOverwriteQuestion =
        "File exists. Do you want to overwrite it?";
    static constexpr std::string_view kCannotSave = "Cannot save the report.";
    static constexpr std::string_view kCannotPrint = "Cannot print the report.";
    static constexpr std::string_view kCannotExport = "Cannot export the report.";

    // `mainWindow` is the window the report centres itself over when it is created. The image
    // is read once, during creation.
    CREPORTDlg(win::EventLoop& loop, const ReceiverImage& image, ModelProfile& profile,
               win::WindowHandle mainWindow);

    // Runs once the window is gone, so that the owner can clear its open flag and pointer.
    void SetOnDestroyed(std::function<void()> callback) { onDestroyed_ = std::move(callback); }

    // The report as the edit control holds it.
    std::string ReportText() const;

protected:
    bool OnInitDialog() override;
    // Enter does not close the window; Esc and the close box do.
    void OnOK() override {}
    void OnCancel() override { DestroyWindow(); }
    void OnCommand(int id, unsigned code) override;
    win::LResult OnMessage(win::Msg msg, win::WParam w, win::LParam l) override;
    void PostNcDestroy() override;

private:
    // Adds one section at the end of the edit, as much of it as the text limit leaves room for.
    void AppendSection(const std::string& section);

    void SaveAs();
    void Print();
    void ExportPdf();
    // Asks for a file to write, with `extension` ("txt") added when the chosen name has none,
    // and, if it exists, whether to overwrite it. Nothing when the user cancelled.
    std::optional<std::string> AskForFile(std::string_view title, std::string_view filter,
                                          std::string_view extension);
    // Writes the bytes atomically; a failure is shown with `failure` and the system's reason.
    bool WriteFile(const std::string& path, std::span<const std::uint8_t> bytes,
                   std::string_view failure);
    void ShowError(std::string_view failure, const std::string& reason);
    win::PrintRequest MakePrintRequest() const;

    const ReceiverImage& image_;
    ModelProfile& profile_;
    win::WindowHandle mainWindow_;
    std::function<void()> onDestroyed_;
};

// Adds `text` at the end of `edit`, as much of it as keeps the edit within `limit` characters:
// the program's own writes are not held by the edit's typing limit, so the report cuts itself.
void AppendWithinLimit(win::Edit& edit, const std::string& text, int limit);

// A panel-table factory for the REPORT window: creates it as a modeless window owned by
// `mainWindow` (it stays above the main window and goes with it) and centred over it, and when
// the window is destroyed calls the table's onClosed and frees the object through the loop. The
// window the factory made last is freed with the factory if it is still open then.
PanelFactory MakeReportPanelFactory(win::EventLoop& loop, const ReceiverImage& image,
                                    ModelProfile& profile, win::WindowHandle mainWindow);

}  // namespace tra1

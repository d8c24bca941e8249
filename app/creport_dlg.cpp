#include "app/creport_dlg.h"

#include <algorithm>
#include <filesystem>
#include <memory>

#include "app/configuration_report.h"
#include "model/model_profile.h"
#include "platform/files/atomic_file_writer.h"
#include "platform/win/edit.h"
#include "platform/win/prompter.h"

namespace tra1 {

CREPORTDlg::CREPORTDlg(win::EventLoop& loop, const ReceiverImage& image, ModelProfile& profile,
                       win::WindowHandle mainWindow)
    : Dialog(loop, kTemplateId), image_(image), profile_(profile), mainWindow_(mainWindow) {}

bool CREPORTDlg::OnInitDialog() {
    CenterWindow(mainWindow_);
    if (auto* edit = Get<win::Edit>(kReportEdit)) {
        edit->SetLimitText(kTextLimit);
    }
    ConfigurationReport(image_, profile_).Build([this](const std::string& section) {
        AppendSection(section);
    });
    // Appending left the caret at the end; the reader starts at the top.
    if (auto* edit = Get<win::Edit>(kReportEdit)) {
        edit->SetSel(0, 0);
    }
    return true;
}

void CREPORTDlg::OnCommand(int id, unsigned /*code*/) {
    switch (id) {
        case kMenuSaveAs:
            SaveAs();
            break;
        case kMenuPrint:
            Print();
            break;
        case kMenuExportPdf:
            ExportPdf();
            break;
        case kMenuClose:
            DestroyWindow();
            break;
        default:
            break;
    }
}

win::PrintRequest CREPORTDlg::MakePrintRequest() const {
    return win::PrintRequest{GetWindowText(), ReportText(), Handle()};
}

void CREPORTDlg::SaveAs() {
    if (const auto path = AskForFile("Save Report", "Text File(*.txt)", "txt")) {
        const std::string text = ReportText();
        WriteFile(*path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()),
                  kCannotSave);
    }
}

void CREPORTDlg::Print() {
    const win::PrintOutcome outcome = Loop().Printer().Print(MakePrintRequest());
    if (outcome.result == win::PrintOutcome::Result::kFailed) {
        ShowError(kCannotPrint, outcome.error);
    }
}

void CREPORTDlg::ExportPdf() {
    const auto path = AskForFile("Export Report as PDF", "PDF File(*.pdf)", "pdf");
    if (!path) {
        return;
    }
    const win::PdfOutcome pdf = Loop().Printer().RenderPdf(MakePrintRequest());
    if (pdf.document.empty()) {
        ShowError(kCannotExport, pdf.error);
        return;
    }
    WriteFile(*path, pdf.document, kCannotExport);
}

std::optional<std::string> CREPORTDlg::AskForFile(std::string_view title, std::string_view filter,
                                                  std::string_view extension) {
    win::FileDialogRequest request;
    request.title = std::string(title);
    request.filter = std::string(filter);
    request.patterns = {"*." + std::string(extension)};
    request.defaultExtension = std::string(extension);
    request.proposedName = std::string(profile_.ModelName()) + " Report." + std::string(extension);
    request.maxPath = 4096;
    request.owner = Handle();
    auto chosen = Loop().GetPrompter().GetSaveFileName(request);
    if (!chosen || chosen->empty()) {
        return std::nullopt;
    }
    if (std::filesystem::path(*chosen).extension().empty()) {
        *chosen += "." + std::string(extension);
    }
    std::error_code error;
    if (std::filesystem::exists(*chosen, error) &&
        MessageBox(std::string(kOverwriteQuestion), std::string(kMessageTitle),
                   win::Buttons::kOkCancel) != win::Answer::kOk) {
        return std::nullopt;
    }
    return chosen;
}

bool CREPORTDlg::WriteFile(const std::string& path, std::span<const std::uint8_t> bytes,
                           std::string_view failure) {
    const std::string error = files::WriteFileAtomically(path, bytes);
    if (!error.empty()) {
        ShowError(failure, error);
        return false;
    }
    return true;
}

void CREPORTDlg::ShowError(std::string_view failure, const std::string& reason) {
    std::string text(failure);
    if (!reason.empty()) {
        text += "\r\n" + reason;
    }
    MessageBox(text, std::string(kMessageTitle), win::Buttons::kOk);
}

void CREPORTDlg::AppendSection(const std::string& section) {
    if (auto* edit = Get<win::Edit>(kReportEdit)) {
        AppendWithinLimit(*edit, section, kTextLimit);
    }
}

std::string CREPORTDlg::ReportText() const {
    return GetDlgItemText(kReportEdit);
}

win::LResult CREPORTDlg::OnMessage(win::Msg msg, win::WParam /*w*/, win::LParam /*l*/) {
    // The report is a snapshot of the moment the window opened: a refresh changes nothing.
    if (msg == kRefreshMessage) {
        return 1;
    }
    return 0;
}

void CREPORTDlg::PostNcDestroy() {
    if (onDestroyed_) {
        // Moved out first: the callback may hand this object to DeleteLater.
        auto callback = std::move(onDestroyed_);
        callback();
    }
}

void AppendWithinLimit(win::Edit& edit, const std::string& text, int limit) {
    const int length = edit.GetTextLength();
    const auto room = static_cast<std::size_t>(std::max(0, limit - length));
    if (room == 0 || text.empty()) {
        return;
    }
    // Replace-selection at the end, as the edit control appends.
    edit.SetSel(length, length);
    edit.ReplaceSel(text.size() <= room ? text : text.substr(0, room));
}

PanelFactory MakeReportPanelFactory(win::EventLoop& loop, const ReceiverImage& image,
                                    ModelProfile& profile, win::WindowHandle mainWindow) {
    // The factory owns the window it made until the window closes; the window's callback only
    // looks at that slot weakly, so the two do not keep each other alive.
    auto slot = std::make_shared<std::unique_ptr<CREPORTDlg>>();
    return [&loop, &image, &profile, mainWindow, slot](std::function<void()> onClosed) {
        auto dialog = std::make_unique<CREPORTDlg>(loop, image, profile, mainWindow);
        CREPORTDlg* window = dialog.get();
        window->SetOnDestroyed(
            [&loop, weak = std::weak_ptr(slot), window, onClosed = std::move(onClosed)] {
                if (onClosed) {
                    onClosed();
                }
                if (auto owner = weak.lock(); owner && owner->get() == window) {
                    loop.DeleteLater(std::move(*owner));
                }
            });
        // Unlike the setting panels, which are windows of their own, the report belongs to the
        // main window: a click there must not hide it.
        if (!window->Create(mainWindow)) {
            return OpenPanel{};
        }
        *slot = std::move(dialog);
        return OpenPanel{window, {}};
    };
}

}  // namespace tra1

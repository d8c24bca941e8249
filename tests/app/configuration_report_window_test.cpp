// The REPORT window headless: created once from the panel table, the report written once and
// cut at the edit's limit, its refresh message ignored, closed by Esc and not by Enter; its File
// menu saves, prints and exports the text.

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/configuration_report.h"
#include "app/creport_dlg.h"
#include "app/panel_table.h"
#include "model/model_profile.h"
#include "model/receiver_image.h"
#include "platform/win/edit.h"
#include "platform/win/event_loop.h"
#include "platform/win/recording_printer.h"
#include "platform/win/scripted_prompter.h"
#include "platform/win/user_input.h"
#include "platform/win/virtual_clock.h"
#include "platform/win/window.h"

namespace tra1 {
namespace {

class ReportWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        profile_.SetModel(ModelProfile::kTrA1);
        image_.ResetToDefaults(profile_);
        ASSERT_TRUE(mainWindow_.CreateHidden());
        panels_.SetFactory(report_,
                           MakeReportPanelFactory(loop_, image_, profile_, mainWindow_.Handle()));
    }
    void TearDown() override {
        panels_.DestroyAll();
        loop_.DrainPosted();
    }

    CREPORTDlg* Window() const { return dynamic_cast<CREPORTDlg*>(panels_.Window(report_)); }
    win::Edit* ReportEdit() const { return Window()->Get<win::Edit>(CREPORTDlg::kReportEdit); }

    win::VirtualClock clock_;
    win::EventLoop loop_{clock_};
    ModelProfile profile_;
    ReceiverImage image_;
    win::Window mainWindow_{loop_};
    PanelTable panels_;
    const std::size_t report_ = PanelTable::IndexForRefresh(CREPORTDlg::kRefreshMessage);
};

TEST_F(ReportWindowTest, OpensOnceWithTheReportOfThatMoment) {
    ASSERT_LT(report_, kPanelCount);
    EXPECT_EQ(PanelDescriptors().at(report_).templateId, CREPORTDlg::kTemplateId);
    ASSERT_EQ(panels_.Show(report_), PanelTable::ShowResult::kCreated);
    CREPORTDlg* window = Window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->GetWindowText(), "REPORT");
    EXPECT_TRUE(window->IsWindowVisible());
    // A window of the main window's (kept above it, gone with it), modeless, unlike a panel.
    EXPECT_EQ(window->Parent(), mainWindow_.Handle());
    EXPECT_FALSE(window->IsModal());
    EXPECT_EQ(window->GetPlacement(), win::Placement::kCenterOverOwner);
    EXPECT_EQ(window->PlacementOwner(), mainWindow_.Handle());

    win::Edit* edit = ReportEdit();
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(edit->IsMultiLine());
    EXPECT_TRUE(edit->IsReadOnly());
    EXPECT_EQ(edit->GetLimitText(), 65535);
    EXPECT_TRUE(edit->HasStyle(win::style::kFixedPitch));
    EXPECT_TRUE(edit->HasStyle(win::style::kAutoHScroll));  // long rules do not wrap
    // The reader starts at the top, not where the last section was appended.
    EXPECT_EQ(edit->GetSelStart(), 0);
    EXPECT_EQ(edit->GetSelEnd(), 0);
    const std::string expected = ConfigurationReport(image_, profile_).Text();
    EXPECT_EQ(window->ReportText(), expected);

    // A second request only focuses the window.
    EXPECT_EQ(panels_.Show(report_), PanelTable::ShowResult::kFocused);
    EXPECT_EQ(Window(), window);
    EXPECT_TRUE(window->HasFocus());

    // The refresh message changes nothing: the text stays that of the moment of opening.
    image_.SpeakerLevels.at(speaker_levels::kFL) = 41;
    EXPECT_EQ(window->SendMessage(CREPORTDlg::kRefreshMessage), 1);
    loop_.Post(window->Handle(), CREPORTDlg::kRefreshMessage);
    loop_.DrainPosted();
    EXPECT_EQ(window->ReportText(), expected);

    // Enter leaves it open; Esc closes it and the table hears of it.
    win::user::PressEnter(*window);
    EXPECT_TRUE(panels_.IsOpen(report_));
    win::user::PressEsc(*window);
    EXPECT_FALSE(panels_.IsOpen(report_));
    loop_.DrainPosted();

    // Opened again, it shows the image as it is now.
    ASSERT_EQ(panels_.Show(report_), PanelTable::ShowResult::kCreated);
    EXPECT_EQ(Window()->ReportText(), ConfigurationReport(image_, profile_).Text());
    EXPECT_NE(Window()->ReportText(), expected);
    win::user::CloseBox(*Window());
    EXPECT_FALSE(panels_.IsOpen(report_));
}

TEST_F(ReportWindowTest, CreationFailureLeavesThePanelClosed) {
    loop_.SetCreationFailureHook([](int id) { return id == CREPORTDlg::kTemplateId; });
    EXPECT_EQ(panels_.Show(report_), PanelTable::ShowResult::kCreateFailed);
    EXPECT_FALSE(panels_.IsOpen(report_));
    loop_.SetCreationFailureHook({});
    EXPECT_EQ(panels_.Show(report_), PanelTable::ShowResult::kCreated);
}

TEST_F(ReportWindowTest, TextBeyondTheLimitIsCut) {
    ASSERT_EQ(panels_.Show(report_), PanelTable::ShowResult::kCreated);
    win::Edit& edit = *ReportEdit();
    const std::string reportText = Window()->ReportText();
    ASSERT_LT(reportText.size(), 65535u);

    const std::string filler(65535 - reportText.size() - 3, 'x');
    AppendWithinLimit(edit, filler, CREPORTDlg::kTextLimit);
    AppendWithinLimit(edit, "abcdef", CREPORTDlg::kTextLimit);
    EXPECT_EQ(edit.GetTextLength(), 65535);
    EXPECT_TRUE(edit.GetText().ends_with("xxxabc"));
    EXPECT_EQ(edit.GetText().substr(0, reportText.size()), reportText);
    AppendWithinLimit(edit, "more", CREPORTDlg::kTextLimit);
    EXPECT_EQ(edit.GetTextLength(), 65535);
}

// A scratch folder per test, removed afterwards.
class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tra1-report-XXXXXX").string();
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        if (::mkdtemp(buffer.data()) != nullptr) {
            path_ = buffer.data();
        }
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST_F(ReportWindowTest, FileMenuSavesPrintsAndExportsTheText) {
    win::ScriptedPrompter prompter;
    win::RecordingPrinter printer;
    loop_.SetPrompter(&prompter);
    loop_.SetPrinter(&printer);
    ScratchFolder folder;
    ASSERT_EQ(panels_.Show(report_), PanelTable::ShowResult::kCreated);
    CREPORTDlg& window = *Window();
    const std::string text = window.ReportText();

    // Save As: the text as the window shows it, ".txt" added to a name without one.
    prompter.QueueFile(folder.File("living room"));
    ASSERT_TRUE(win::user::ChooseMenuItem(window, CREPORTDlg::kMenuSaveAs));
    ASSERT_EQ(prompter.SaveDialogs().size(), 1u);
    EXPECT_EQ(prompter.SaveDialogs()[0].title, "Save Report");
    EXPECT_EQ(prompter.SaveDialogs()[0].proposedName, "TR-A1 Report.txt");
    EXPECT_EQ(ReadFile(folder.File("living room.txt")), text);
    EXPECT_TRUE(prompter.Boxes().empty());

    // Saving over it asks first; Cancel keeps the old file.
    std::ofstream(folder.File("living room.txt"), std::ios::binary) << "older";
    prompter.QueueFile(folder.File("living room.txt"));
    prompter.QueueAnswer(win::Answer::kCancel);
    win::user::ChooseMenuItem(window, CREPORTDlg::kMenuSaveAs);
    ASSERT_EQ(prompter.Boxes().size(), 1u);
    EXPECT_EQ(prompter.Boxes()[0].text, "File exists. Do you want to overwrite it?");
    EXPECT_EQ(ReadFile(folder.File("living room.txt")), "older");

    // A folder that does not exist: the message names the reason; nothing is written.
    prompter.QueueFile(folder.File("gone/report.txt"));
    win::user::ChooseMenuItem(window, CREPORTDlg::kMenuSaveAs);
    ASSERT_EQ(prompter.Boxes().size(), 2u);
    EXPECT_EQ(prompter.Boxes()[1].text, "Cannot save the report.\r\nNo such file or directory");
    EXPECT_EQ(prompter.Boxes()[1].title, "Tolvek Receiver Editor Message");

    // Print: the printer gets the window's title and text; a failure is shown.
    win::user::ChooseMenuItem(window, CREPORTDlg::kMenuPrint);
    ASSERT_EQ(printer.Printed().size(), 1u);
    EXPECT_EQ(printer.Printed()[0].title, "REPORT");
    EXPECT_EQ(printer.Printed()[0].text, text);
    EXPECT_EQ(printer.Printed()[0].owner, window.Handle());
    EXPECT_EQ(prompter.Boxes().size(), 2u);  // cancelled in the print dialog: nothing to say
    printer.SetPrintOutcome({win::PrintOutcome::Result::kFailed, "The printer is offline."});
    win::user::ChooseMenuItem(window, CREPORTDlg::kMenuPrint);
    ASSERT_EQ(prompter.Boxes().size(), 3u);
    EXPECT_EQ(prompter.Boxes()[2].text, "Cannot print the report.\r\nThe printer is offline.");

    // Export PDF: the printer's document written to the chosen file.
    printer.SetPdfOutcome({{'%', 'P', 'D', 'F', '-', '1', '.', '4'}, ""});
    prompter.QueueFile(folder.File("report.pdf"));
    win::user::ChooseMenuItem(window, CREPORTDlg::kMenuExportPdf);
    ASSERT_EQ(printer.Rendered().size(), 1u);
    EXPECT_EQ(printer.Rendered()[0].text, text);
    EXPECT_EQ(ReadFile(folder.File("report.pdf")), "%PDF-1.4");
    // No document: nothing written, the reason shown. Cancelling the file dialog does nothing.
    printer.SetPdfOutcome({{}, "No fonts."});
    prompter.QueueFile(folder.File("second.pdf"));
    win::user::ChooseMenuItem(window, CREPORTDlg::kMenuExportPdf);
    EXPECT_FALSE(std::filesystem::exists(folder.File("second.pdf")));
    EXPECT_EQ(prompter.Boxes().back().text, "Cannot export the report.\r\nNo fonts.");
    prompter.QueueFile(std::nullopt);
    win::user::ChooseMenuItem(window, CREPORTDlg::kMenuExportPdf);
    EXPECT_EQ(printer.Rendered().size(), 2u);

    // Close.
    win::user::ChooseMenuItem(window, CREPORTDlg::kMenuClose);
    EXPECT_FALSE(panels_.IsOpen(report_));
    loop_.SetPrompter(nullptr);
    loop_.SetPrinter(nullptr);
}

}  // namespace
}  // namespace tra1

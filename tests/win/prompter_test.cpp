// The scripted prompter: answers reach the caller, every box and file dialog is recorded.

#include "platform/win/scripted_prompter.h"

#include <gtest/gtest.h>

#include "platform/win/event_loop.h"
#include "platform/win/virtual_clock.h"
#include "platform/win/window.h"

namespace tra1::win {
namespace {

TEST(ScriptedPrompter, ScriptedAnswerReachesTheCallerAndTheBoxIsRecorded) {
    VirtualClock clock;
    EventLoop loop(clock);
    ScriptedPrompter prompter;
    loop.SetPrompter(&prompter);
    Window owner(loop);
    owner.CreateHidden();
    bool ranWhileOpen = false;
    prompter.QueueAnswer(Answer::kNo, [&] { ranWhileOpen = true; });
    EXPECT_EQ(owner.MessageBox("Do you want to save the current configuration?",
                               "Receiver Editor Message", Buttons::kYesNoCancel),
              Answer::kNo);
    EXPECT_TRUE(ranWhileOpen);
    ASSERT_EQ(prompter.Boxes().size(), 1u);
    EXPECT_EQ(prompter.Boxes()[0].text, "Do you want to save the current configuration?");
    EXPECT_EQ(prompter.Boxes()[0].title, "Receiver Editor Message");
    EXPECT_EQ(prompter.Boxes()[0].buttons, Buttons::kYesNoCancel);
    EXPECT_EQ(prompter.Boxes()[0].owner, owner.Handle());
    EXPECT_EQ(prompter.PendingAnswers(), 0u);
    EXPECT_EQ(prompter.UnscriptedCount(), 0);
}

TEST(ScriptedPrompter, UnscriptedBoxesTakeTheFirstButtonAndEmptyTitlesTheDefault) {
    ScriptedPrompter prompter;
    EXPECT_EQ(prompter.Ask("Dialog Creating Error\r\nEQ Window"), Answer::kOk);
    EXPECT_EQ(prompter.Ask("File exists. Do you want to overwrite it?",
                           "Tolvek Receiver Editor Message", Buttons::kOkCancel),
              Answer::kOk);
    EXPECT_EQ(prompter.Ask("q", "", Buttons::kYesNo), Answer::kYes);
    EXPECT_EQ(prompter.UnscriptedCount(), 3);
    prompter.SetDefaultTitle("Editor");
    EXPECT_EQ(prompter.ShownTitle(0), "Editor");
    EXPECT_EQ(prompter.ShownTitle(1), "Tolvek Receiver Editor Message");
    EXPECT_EQ(prompter.ShownTitle(9), "");
    EXPECT_EQ(prompter.BoxTexts().at(0), "Dialog Creating Error\r\nEQ Window");
}

TEST(ScriptedPrompter, FileDialogsAnswerFromTheScriptAndCancelOtherwise) {
    ScriptedPrompter prompter;
    prompter.QueueFile("/tmp/Setup.tcf");
    prompter.QueueFile(std::nullopt);
    FileDialogRequest save;
    save.title = "Save Configuration File";
    save.filter = "Configuration File(*.tcf)";
    save.patterns = {"*.tcf"};
    save.proposedName = "TR-A1.tcf";
    EXPECT_EQ(prompter.GetSaveFileName(save), "/tmp/Setup.tcf");
    FileDialogRequest open = save;
    open.title = "Open Configuration File";
    open.mustExist = true;
    EXPECT_EQ(prompter.GetOpenFileName(open), std::nullopt);
    EXPECT_EQ(prompter.GetOpenFileName(open), std::nullopt);  // unscripted: Cancel
    ASSERT_EQ(prompter.SaveDialogs().size(), 1u);
    EXPECT_EQ(prompter.SaveDialogs()[0].proposedName, "TR-A1.tcf");
    EXPECT_EQ(prompter.OpenDialogs().size(), 2u);
    EXPECT_EQ(prompter.UnscriptedCount(), 1);
}

TEST(ScriptedPrompter, TheLoopHasABuiltInPrompterUntilOneIsSet) {
    VirtualClock clock;
    EventLoop loop(clock);
    EXPECT_EQ(loop.GetPrompter().Ask("x", "", Buttons::kRetryCancel), Answer::kRetry);
    ScriptedPrompter mine;
    loop.SetPrompter(&mine);
    EXPECT_EQ(&loop.GetPrompter(), &mine);
    loop.SetPrompter(nullptr);
    EXPECT_NE(&loop.GetPrompter(), &mine);
}

}  // namespace
}  // namespace tra1::win

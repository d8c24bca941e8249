#pragma once
// tr-a1ctl's commands run in the test's own process on the virtual clock, against the virtual
// receiver over the in-memory line: what the program does, without its process and at the
// speed of the CPU. Files go to a scratch folder of the test.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/serial/in_memory_serial_port.h"
#include "platform/serial/line_clock.h"
#include "platform/win/event_loop.h"
#include "platform/win/virtual_clock.h"
#include "programs/ctl/ctl_commands.h"
#include "programs/ctl/ctl_context.h"
#include "sim/virtual_receiver.h"

namespace tra1::testing {

class CtlFixture : public ::testing::Test {
protected:
    CtlFixture();
    ~CtlFixture() override;

    // Runs `tr-a1ctl ARGUMENTS` and gives its exit status; Out() and Err() hold its output.
    int Run(std::vector<std::string> arguments);
    std::string Out() const { return out_.str(); }
    std::string Err() const { return err_.str(); }
    // A path in the test's scratch folder.
    std::string Path(const std::string& name) const { return (scratch_ / name).string(); }

    // Ctrl-C comes once this holds (checked as the loop runs).
    std::function<bool()> interruptWhen_;
    // The line made for the command, for tests that make it refuse or hang up.
    std::function<void(serial::InMemorySerialPort&)> prepareLine_;
    // How the virtual receiver takes what it hears (each write whole unless set).
    std::optional<serial::FarEndPacing> linePacing_;

    // What the line leads to instead of the virtual receiver itself (a line that spoils its
    // answers, say); none: the receiver.
    serial::FarEnd* farEnd_ = nullptr;

    win::VirtualClock clock_;
    win::EventLoop loop_{clock_};
    sim::VirtualReceiver receiver_;

private:
    serial::FunctionLineClock lineClock_{[this] { return clock_.NowMs(); }};
    std::ostringstream out_;
    std::ostringstream err_;
    std::filesystem::path scratch_;
};

}  // namespace tra1::testing

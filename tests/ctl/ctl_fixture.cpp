#include "tests/ctl/ctl_fixture.h"

#include <cstdlib>

#include "programs/ctl_command_line.h"

namespace tra1::testing {

CtlFixture::CtlFixture() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tra1-ctl-test.XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) {
        scratch_ = pattern;
    }
}

CtlFixture::~CtlFixture() {
    std::error_code error;
    std::filesystem::permissions(scratch_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, error);
    std::filesystem::remove_all(scratch_, error);
}

int CtlFixture::Run(std::vector<std::string> arguments) {
    out_.str({});
    err_.str({});
    std::vector<std::string_view> views(arguments.begin(), arguments.end());
    const auto commandLine = programs::ParseCtlCommandLine(views);
    if (commandLine.action == programs::CtlAction::kUsageError) {
        err_ << commandLine.error << '\n';
        return programs::ctl_exit::kUsage;
    }
    if (commandLine.action != programs::CtlAction::kRun) {
        out_ << commandLine.helpText;
        return programs::ctl_exit::kDone;
    }
    programs::CtlContext context{
        .loop = loop_,
        .out = out_,
        .err = err_,
        .makeLine =
            [this](const serial::ComPortMap&) {
                auto line = std::make_unique<serial::InMemorySerialPort>(
                    lineClock_, farEnd_ != nullptr ? *farEnd_ : receiver_, linePacing_);
                if (prepareLine_) {
                    prepareLine_(*line);
                }
                return line;
            },
        .settings = nullptr,
        .readEnvironment = false,
        .interrupted = [this] { return interruptWhen_ && interruptWhen_(); },
        .timeStamp = [this] { return "t+" + std::to_string(clock_.NowMs()); },
        .progress = nullptr,
    };
    return programs::RunCtlCommand(context, commandLine.request);
}

}  // namespace tra1::testing

// tr-a1ctl status: the receiver's state, one line each or one JSON object.

#include <ostream>
#include <sstream>

#include "app/main_zone_view.h"
#include "app/volume_text.h"
#include "model/protocol.h"
#include "programs/ctl/ctl_commands.h"
#include "programs/ctl/json_text.h"
#include "programs/ctl/receiver_connection.h"

namespace tra1::programs {
namespace {

namespace mz = main_zone;

// A configuration frame comes every second; this is plenty for the first one.
constexpr std::int64_t kStateLimitMs = 15'000;

struct ReceiverStatus {
    std::string model;
    bool power = false;
    std::string input;
    int volumeStep = 0;
    bool mute = false;
    std::string program;
    std::string zone2Input;
    int zone2VolumeStep = 0;
    bool zone2Mute = false;
};

ReceiverStatus StatusOf(const ReceiverImage& image, const ModelProfile& profile) {
    const auto& zone = image.MainZoneState;
    ReceiverStatus status;
    status.model = std::string(profile.ModelName());
    status.power = zone.at(mz::kPower) != 0;
    status.input = std::string(ModelProfile::InputName(zone.at(mz::kMainInput)));
    status.volumeStep = zone.at(mz::kMainVolume);
    status.mute = zone.at(mz::kMainMute) != 0;
    status.program = MainZoneView::ProgramReadout(image, profile);
    status.zone2Input = std::string(ModelProfile::InputName(zone.at(mz::kZone2Input)));
    status.zone2VolumeStep = zone.at(mz::kZone2Volume);
    status.zone2Mute = zone.at(mz::kZone2Mute) != 0;
    return status;
}

std::string OnOff(bool on) {
    return on ? "on" : "off";
}

std::string JsonBool(bool on) {
    return on ? "true" : "false";
}

// The volume in dB for JSON: a number, or null for MUTE.
std::string JsonVolume(int step) {
    if (step == 0) {
        return "null";
    }
    std::ostringstream number;
    number.setf(std::ios::fixed);
    number.precision(1);
    number << (step - volume::kZeroDbStep) / 2.0;
    return number.str();
}

void PrintText(std::ostream& out, const ReceiverStatus& status) {
    out << "Model:   " << status.model << '\n';
    out << "Power:   " << (status.power ? "on" : "off (standby)") << '\n';
    if (!status.power) {
        return;  // in standby the receiver reports nothing else
    }
    out << "Input:   " << status.input << '\n';
    out << "Volume:  " << volume::Zone2Readout(status.volumeStep) << '\n';
    out << "Mute:    " << OnOff(status.mute) << '\n';
    out << "Program: " << status.program << '\n';
    out << "Zone 2:  " << status.zone2Input << ", " << volume::Zone2Readout(status.zone2VolumeStep)
        << ", mute " << OnOff(status.zone2Mute) << '\n';
}

void PrintJson(std::ostream& out, const ReceiverStatus& status) {
    out << "{\"model\": " << JsonString(status.model)
        << ", \"power\": " << JsonString(OnOff(status.power));
    if (status.power) {
        out << ", \"input\": " << JsonString(status.input)
            << ", \"volume_db\": " << JsonVolume(status.volumeStep)
            << ", \"mute\": " << JsonBool(status.mute)
            << ", \"program\": " << JsonString(status.program)
            << ", \"zone2\": {\"input\": " << JsonString(status.zone2Input)
            << ", \"volume_db\": " << JsonVolume(status.zone2VolumeStep)
            << ", \"mute\": " << JsonBool(status.zone2Mute) << "}";
    }
    out << "}\n";
}

}  // namespace

int RunStatus(CtlContext& context, const CtlRequest& request) {
    ReceiverConnection connection(context, request.port);
    if (const int status = connection.Open(); status != ctl_exit::kDone) {
        return status;
    }
    ReceiverSession& session = connection.Session();
    // In realtime mode the receiver's configuration frame is decoded into the image.
    session.EnterRealtime();
    const int heard = session.ConfigurationFramesHeard();
    const auto outcome =
        connection.Run([&] { return session.ConfigurationFramesHeard() > heard; }, kStateLimitMs);
    if (outcome == RunOutcome::kStopped && !session.LineLost()) {
        return connection.Interrupted("interrupted");
    }
    if (outcome != RunOutcome::kDone) {
        return connection.LinkFailure("the receiver stopped answering on " + connection.PortName());
    }
    const ReceiverStatus status = StatusOf(connection.Image(), connection.Profile());
    if (request.json) {
        PrintJson(context.out, status);
    } else {
        PrintText(context.out, status);
    }
    return ctl_exit::kDone;
}

}  // namespace tra1::programs

#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/serial/far_end.h"
#include "sim/extended_responder.h"
#include "sim/incoming_frame_parser.h"
#include "sim/line_fault_dice.h"
#include "sim/receiver_faults.h"
#include "sim/receiver_state.h"

namespace tra1::sim {

// A TR-A1 receiver in software. It hears the editor's bytes (in any pieces), keeps its own
// settings, and answers as the real receiver does:
//   - the status request (DC1 "000" ETX) with a configuration frame;
//   - an operation frame (STX, five characters, ETX) with a report frame STX "00", the report
//     code of the command and the new value (two hexadecimal digits each), ETX; power on/off
//     (command 8) and a home preset recall (command 28) are followed by a configuration frame;
//     an operation code it does not know gets no answer;
//   - an extended frame with an extended reply (see ExtendedResponder).
// Its answers are returned as line segments; an in-memory serial port or the pseudo-terminal
// server puts them on the line at 9600 baud.
class VirtualReceiver final : public serial::FarEnd {
public:
    VirtualReceiver();

    std::vector<serial::LineSegment> Receive(std::string_view bytes) override;

    // --- Identity ----------------------------------------------------------------------------
    // Model code 0..8 reports "R3101".."R3109"; any other an unknown code ("R9999").
    void SetModel(int modelCode);
    // Any five characters (control bytes are replaced by "0", short codes padded with "0").
    void SetReportedModelCode(std::string_view code);
    const std::string& ReportedModelCode() const { return modelCode_; }

    // --- State ---------------------------------------------------------------------------------
    ReceiverState& State() { return state_; }
    const ReceiverState& State() const { return state_; }
    ReceiverImage& Image() { return state_.image; }
    const ReceiverImage& Image() const { return state_.image; }
    bool PoweredOn() const { return state_.power; }
    void SetPower(bool on) { state_.power = on; }

    // --- Faults --------------------------------------------------------------------------------
    ReceiverFaults& Faults() { return faults_; }
    // What the random faults have done so far.
    struct FaultCounts {
        std::size_t bytesCorruptedHeard = 0;
        std::size_t bytesCorruptedSent = 0;
        std::size_t answersDropped = 0;
        std::size_t framesSplit = 0;
    };
    const FaultCounts& FaultsDone() const { return faultsDone_; }

    // --- What it has heard (for tests) --------------------------------------------------------
    int FramesHeard() const { return framesHeard_; }
    int LastCommandNumber() const { return lastCommand_; }

    // The configuration frame for the current state.
    std::string ConfigurationFrame() const;
    // The report frame for a report code and value.
    static std::string ReportFrame(int reportCode, int value);

private:
    std::vector<std::string> Answer(const IncomingFrame& frame);
    std::vector<serial::LineSegment> PutOnLine(std::vector<std::string> frames);
    // How many pieces a frame goes out in: the fixed split, or now and then a random one.
    int PiecesFor();

    ReceiverState state_;
    ReceiverFaults faults_;
    IncomingFrameParser parser_;
    ExtendedResponder extended_;
    std::string modelCode_;
    int framesHeard_ = 0;
    int lastCommand_ = -1;
    unsigned noiseSeed_ = 1;
    LineFaultDice dice_;
    FaultCounts faultsDone_;
};

}  // namespace tra1::sim

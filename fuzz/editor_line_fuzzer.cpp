// The whole editor on the virtual clock, connected to a virtual receiver whose answers the input
// damages, replaces or adds to on their way. The input also chooses the control mode, whether a
// transfer runs, how the message boxes are answered and how time goes on.

#include <algorithm>
#include <string>
#include <vector>

#include "app/main_window_ids.h"
#include "fuzz/editor_session.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/fuzz_targets.h"
#include "sim/virtual_receiver.h"

namespace tra1::fuzz {
namespace {

// The virtual receiver, with each segment it sends passed through the input first.
class FuzzedReceiver final : public serial::FarEnd {
public:
    explicit FuzzedReceiver(FuzzInput& in) : in_(in) {}

    std::vector<serial::LineSegment> Receive(std::string_view bytes) override {
        std::vector<serial::LineSegment> segments = receiver_.Receive(bytes);
        for (serial::LineSegment& segment : segments) {
            switch (in_.Below(5)) {
                case 0:  // one byte changed
                    if (!segment.bytes.empty()) {
                        const std::size_t at = in_.Byte() % segment.bytes.size();
                        segment.bytes[at] = static_cast<char>(segment.bytes[at] ^ in_.Byte());
                    }
                    break;
                case 1:  // replaced by the input's bytes
                    segment.bytes = std::string(in_.Take(in_.Byte()));
                    break;
                case 2:  // followed by the input's bytes
                    segment.bytes += std::string(in_.Take(in_.Byte() % 64));
                    break;
                default:  // as the receiver sent it
                    break;
            }
            segment.gapBeforeMs = std::min(segment.gapBeforeMs, 100);
        }
        return segments;
    }

private:
    FuzzInput& in_;
    sim::VirtualReceiver receiver_;
};

}  // namespace

int FuzzEditorLine(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    FuzzedReceiver receiver(in);
    EditorSession editor(receiver);
    // The first boxes get the answers the input gives; unscripted ones answer OK.
    for (int i = 0; i < 3; ++i) {
        editor.Prompter().QueueAnswer(in.Flag() ? win::Answer::kOk : win::Answer::kCancel);
    }
    editor.Connect(in.Below(3));  // AUTO, or COM1 where the receiver is, or COM2 where none is
    while (!in.Empty()) {
        switch (in.Below(8)) {
            case 0:
                editor.Choose(main_window::kMenuRealtime);
                break;
            case 1:
                editor.Choose(main_window::kMenuAsynchronous);
                break;
            case 2:
                editor.Choose(in.Flag() ? main_window::kMenuUpload : main_window::kMenuDownload);
                break;
            case 3:
                editor.Main().PostMessage(main_window::kTransferCancelled);
                break;
            default:
                editor.Advance(10 * (1 + in.Byte()));
                break;
        }
    }
    editor.Advance(3000);
    return 0;
}

}  // namespace tra1::fuzz

TRA1_FUZZ_ENTRY(tra1::fuzz::FuzzEditorLine)

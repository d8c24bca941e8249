// Raw byte batches from the line through the frame assembler, the configuration gate of the
// connector and every reply decoder into the image. The first bytes of the input set the link's
// flags (control mode, transfers, echo guard, skip count, awaited function, the queued command),
// the rest is cut into batches of the sizes the serial link hands over.

#include <cstdlib>

#include "fuzz/fuzz_input.h"
#include "fuzz/fuzz_targets.h"
#include "link/configuration_gate.h"
#include "link/decoder_host.h"
#include "link/frame_assembler.h"
#include "link/link_state.h"
#include "link/reply_decoder.h"
#include "model/model_profile.h"
#include "model/receiver_image.h"

namespace tra1::fuzz {
namespace {

class Host final : public DecoderHost {
public:
    explicit Host(FrameAssembler*& assembler) : assembler_(assembler) {}
    void RefreshPanels() override {}
    void StopReplyTimeout() override {}
    void ResetReceiver() override {
        if (assembler_ != nullptr) {
            assembler_->Reset();
        }
    }
    void LogReceived(std::string_view) override {}
    int CurrentQueuedCommand() const override { return queued; }
    int queued = -1;

private:
    FrameAssembler*& assembler_;
};

// Identification passes every frame, or (as the input says) holds back those of odd length.
class Gate final : public ConfigurationGate {
public:
    bool OnConfigurationFrame(std::string_view body) override {
        return !hold || body.size() % 2 == 0;
    }
    bool hold = false;
};

}  // namespace

int FuzzReplyPath(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    ReceiverImage image;
    ModelProfile profile;
    profile.SetModel(ModelProfile::kTrA1);
    image.ResetToDefaults(profile);
    const ReceiverImage start = image;

    LinkState state;
    state.realtimeMode = in.Flag();
    state.uploadInProgress = in.Flag() ? 1 + in.Below(300) : 0;
    state.downloadInProgress = in.Flag() ? 1 + in.Below(300) : 0;
    state.echoGuard = in.Flag() ? 1 : 0;
    state.decodeSkipCount = in.Below(4);
    constexpr int kAwaited[] = {-1, 8, 20, 48, 255, 260, 261, 264, 265, 267, 269, 272, 274};
    state.awaitedFunction = kAwaited[in.Below(static_cast<int>(std::size(kAwaited)))];
    state.realtimeExpectedTable = in.Below(12);
    state.checksumsMatched = in.Flag();

    FrameAssembler* assemblerRef = nullptr;
    Host host(assemblerRef);
    host.queued = in.Below(120) - 10;
    Gate gate;
    gate.hold = in.Flag();
    ReplyDecoder decoder(image, state, host, &gate);
    FrameAssembler assembler(decoder);
    assemblerRef = &assembler;

    while (!in.Empty()) {
        const std::size_t batch = 1 + static_cast<std::size_t>(in.Byte());
        assembler.Feed(in.Take(batch));
        if (assembler.Pending().size() > FrameAssembler::kMaxFrameLength) {
            std::abort();
        }
    }
    // What the line never carries stays as it was.
    if (image.HomePresetMemories != start.HomePresetMemories || image.UserMemo != start.UserMemo) {
        std::abort();
    }
    return 0;
}

}  // namespace tra1::fuzz

TRA1_FUZZ_ENTRY(tra1::fuzz::FuzzReplyPath)

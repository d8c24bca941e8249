#include "sim/extended_responder.h"

#include <cmath>
#include <cstdint>
#include <optional>

#include "model/command_table.h"
#include "model/hex_codes.h"
#include "model/protocol.h"

namespace tra1::sim {
namespace {

// Where the receiver keeps a parameter that has never been written over the line: the variants
// of parameters 4 to 7 that depend on the decoder mode, and parameter 27 of program 44, live in
// the spare slots at the end of the program's row.
int DefaultParameterSlot(int programCode, int parameter, int subDigit) {
    if (parameter == 4 && (subDigit == 3 || subDigit == 4)) {
        return 30;
    }
    if (parameter >= 5 && parameter <= 7 && subDigit != 0) {
        const int base = 32 + 3 * (parameter - 5);
        if (subDigit == 1) {
            return base;
        }
        if (subDigit >= 2 && subDigit <= 4) {
            return base + 1;
        }
        if (subDigit == 6 || subDigit == 7) {
            return base + 2;
        }
    }
    if (parameter == 27 && programCode == 44) {
        return 41;
    }
    return parameter;
}

constexpr std::size_t kHeader = 4;       // "20" and LL
constexpr std::size_t kCodeAndMode = 4;  // function code and mode digit
constexpr std::size_t kChecksum = 2;
// The option-byte reply (function 269) is reported one character shorter than it is; the
// editor checks for exactly that length.
constexpr int kOptionReplyLength = 6;

std::optional<int> HexValue(std::string_view digits) {
    if (digits.empty()) {
        return std::nullopt;
    }
    int value = 0;
    for (const char c : digits) {
        int d = 0;
        if (c >= '0' && c <= '9') {
            d = c - '0';
        } else if (c >= 'A' && c <= 'F') {
            d = c - 'A' + 10;
        } else if (c >= 'a' && c <= 'f') {
            d = c - 'a' + 10;
        } else {
            return std::nullopt;
        }
        value = value * 16 + d;
    }
    return value;
}

template <std::size_t N>
void Append(std::string& out, const std::array<char, N>& digits) {
    out.append(digits.data(), N);
}

// Reads the data fields of a frame one by one; any bad field marks the whole read as failed.
class DataReader {
public:
    explicit DataReader(std::string_view data) : data_(data) {}
    int Hex(std::size_t width) {
        if (pos_ + width > data_.size()) {
            ok_ = false;
            return 0;
        }
        const auto v = HexValue(data_.substr(pos_, width));
        pos_ += width;
        if (!v) {
            ok_ = false;
            return 0;
        }
        return *v;
    }
    int Range(std::size_t width, int low, int high) {
        const int v = Hex(width);
        if (v < low || v > high) {
            ok_ = false;
        }
        return v;
    }
    std::string_view Text(std::size_t width) {
        if (pos_ + width > data_.size()) {
            ok_ = false;
            return {};
        }
        const std::string_view t = data_.substr(pos_, width);
        pos_ += width;
        return t;
    }
    bool Ok() const { return ok_; }
    void Fail() { ok_ = false; }

private:
    std::string_view data_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

// A tuner frequency text to a frequency step; nullopt when it is not a frequency of the band.
std::optional<int> TunerStep(int band, std::string_view text) {
    if (text.size() != 6) {
        return std::nullopt;
    }
    int hundredths = 0;  // FM: 1/100 MHz; AM: kHz
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (band == 1 && i == 3) {
            if (c != '.') {
                return std::nullopt;
            }
            continue;
        }
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        hundredths = hundredths * 10 + (c - '0');
    }
    // FM: 107.9 MHz - 0.2 MHz x step; AM: 1710 kHz - 10 kHz x step; rounded to the nearest step.
    const int span = band == 1 ? 10790 - hundredths : 1710 - hundredths;
    const int unit = band == 1 ? 20 : 10;
    if (span < 0) {
        return std::nullopt;
    }
    const int step = (span + unit / 2) / unit;
    if (step > 255) {
        return std::nullopt;
    }
    return step;
}

std::string Padded(std::string_view name) {
    std::string out(name.substr(0, 8));
    for (char& c : out) {
        if (static_cast<unsigned char>(c) < 0x20) {
            c = ' ';
        }
    }
    out.resize(8, ' ');
    return out;
}

}  // namespace

std::string ExtendedResponder::BuildReply(std::string_view functionCode, char status,
                                          std::string_view data) {
    std::string body = "20";
    int length = static_cast<int>(functionCode.size() + 1 + data.size());
    if (status == '0' && functionCode == ExtendedFunctionCode(extended_function::kEqOption)) {
        length = kOptionReplyLength;
    }
    Append(body, Hex2(length));
    body += functionCode;
    body.push_back(status);
    body += data;
    unsigned sum = 0;
    for (const char c : body) {
        sum += static_cast<unsigned char>(c);
    }
    std::string frame(1, control_byte::kDc4);
    frame += body;
    Append(frame, Hex2(static_cast<int>(sum % 256)));
    frame.push_back(control_byte::kEtx);
    return frame;
}

std::string ExtendedResponder::Answer(ReceiverState& state, std::string_view body,
                                      char refuseWith) {
    if (body.size() < kHeader + kCodeAndMode + kChecksum) {
        return BuildReply("000", kBadLength, {});
    }
    const std::string_view code = body.substr(kHeader, 3);
    const std::string_view refuseCode = ExtendedFunctionForCode(code) >= 0 ? code : "000";
    const std::size_t sumEnd = body.size() - kChecksum;
    unsigned sum = 0;
    for (std::size_t i = 0; i < sumEnd; ++i) {
        sum += static_cast<unsigned char>(body[i]);
    }
    const auto checksum = HexValue(body.substr(sumEnd));
    if (!checksum || static_cast<unsigned>(*checksum) != sum % 256) {
        return BuildReply(refuseCode, kBadChecksum, {});
    }
    const auto ll = HexValue(body.substr(2, 2));
    if (!ll || static_cast<std::size_t>(*ll) != sumEnd - kHeader) {
        return BuildReply(refuseCode, kBadLength, {});
    }
    const int function = ExtendedFunctionForCode(code);
    const int mode = body[7] == '0' ? 0 : (body[7] == '1' ? 1 : -1);
    if (!IsSentExtendedFunction(function) || mode < 0) {
        return BuildReply(refuseCode, kUnknownFunction, {});
    }
    if (*ll != ExtendedFrameLength(function, mode)) {
        return BuildReply(code, kBadLength, {});
    }
    if (refuseWith != '0') {
        return BuildReply(code, refuseWith, {});
    }

    const bool write = mode == 1;
    DataReader in(body.substr(kHeader + kCodeAndMode, sumEnd - kHeader - kCodeAndMode));
    ReceiverImage& im = state.image;
    std::string out;
    switch (function) {
        case extended_function::kIoAssign: {
            const int r = in.Range(1, 0, 3);
            const int k = in.Range(2, 0, 15);
            const int v = write ? in.Hex(1) : 0;
            if (!in.Ok()) {
                break;
            }
            // The row digits name the connector kinds in another order than the image rows.
            constexpr std::array<int, 4> kRowOfDigit{3, 1, 2, 0};
            const int row = kRowOfDigit.at(static_cast<std::size_t>(r));
            if (write) {
                im.SetIoAssign(row, k, static_cast<std::uint8_t>(v));
            }
            Append(out, Hex1(r));
            Append(out, Hex2(k));
            Append(out, Hex1(im.IoAssign(row, k)));
            break;
        }
        case extended_function::kInputName: {
            const std::string_view zero = in.Text(1);
            const int i = in.Range(2, 0, 15);
            const std::string_view eight = in.Text(2);
            const std::string_view name = in.Text(8);
            if (!in.Ok() || zero != "0" || eight != "08") {
                in.Fail();
                break;
            }
            if (write) {
                im.SetInputName(i, Padded(name));
            }
            out.assign(1, '0');
            Append(out, Hex2(i));
            out += "08";
            out += Padded(im.InputName(i));
            break;
        }
        case extended_function::kInputTrim: {
            const int i = in.Range(1, 0, 15);
            const int v = write ? in.Hex(2) : 0;
            if (!in.Ok()) {
                break;
            }
            if (write) {
                im.InputTrims.at(static_cast<std::size_t>(i)) = static_cast<std::uint8_t>(v);
            }
            Append(out, Hex1(i));
            Append(out, Hex2(im.InputTrims.at(static_cast<std::size_t>(i))));
            break;
        }
        case extended_function::kDspParameterRequest:
        case extended_function::kDspParameter: {
            const int programCode = in.Hex(2);
            const int parameter = in.Hex(2);
            const int sub = in.Hex(1);
            const int v = in.Hex(2);
            if (!in.Ok()) {
                break;
            }
            const auto key = std::make_tuple(programCode, parameter, sub);
            if (write) {
                state.dspParameters[key] = static_cast<std::uint8_t>(v);
                // The receiver holds one value per parameter field; a request with another
                // sub-digit that lands on the same field reads the new value too.
                im.SetDspParameter(ModelProfile::ProgramIndex(programCode),
                                   DefaultParameterSlot(programCode, parameter, sub),
                                   static_cast<std::uint8_t>(v));
            }
            const auto stored = state.dspParameters.find(key);
            const int value =
                stored != state.dspParameters.end()
                    ? stored->second
                    : im.DspParameter(ModelProfile::ProgramIndex(programCode),
                                      DefaultParameterSlot(programCode, parameter, sub));
            Append(out, Hex2(programCode));
            Append(out, Hex2(parameter));
            Append(out, Hex1(sub));
            Append(out, Hex2(value));
            break;
        }
        case extended_function::kEqBandRequest:
        case extended_function::kEqBand: {
            const int t = in.Range(1, 0, 9);
            const int b = in.Range(1, 0, 12);
            const int v = write ? in.Hex(2) : 0;
            if (!in.Ok()) {
                break;
            }
            const auto at = static_cast<std::size_t>(13 * t + b);
            if (write) {
                im.EqSettings.at(at) = static_cast<std::uint8_t>(v);
            }
            Append(out, Hex1(t));
            Append(out, Hex1(b));
            Append(out, Hex2(im.EqSettings.at(at)));
            break;
        }
        case extended_function::kCinemaEq: {
            const int r = in.Range(1, 0, 3);
            std::array<int, 5> v{};
            if (write) {
                v.at(0) = in.Hex(1);
                for (std::size_t j = 1; j < v.size(); ++j) {
                    v.at(j) = in.Hex(2);
                }
            }
            if (!in.Ok()) {
                break;
            }
            const std::size_t base = 132 + 5 * static_cast<std::size_t>(r);
            if (write) {
                for (std::size_t j = 0; j < v.size(); ++j) {
                    im.EqSettings.at(base + j) = static_cast<std::uint8_t>(v.at(j));
                }
            }
            Append(out, Hex1(r));
            Append(out, Hex1(im.EqSettings.at(base)));
            for (std::size_t j = 1; j < 5; ++j) {
                Append(out, Hex2(im.EqSettings.at(base + j)));
            }
            break;
        }
        case extended_function::kEqOption: {
            const int i = in.Range(1, 0, 1);
            const int v = write ? in.Hex(2) : 0;
            if (!in.Ok()) {
                break;
            }
            const auto at = static_cast<std::size_t>(130 + i);
            if (write) {
                im.EqSettings.at(at) = static_cast<std::uint8_t>(v);
            }
            Append(out, Hex1(i));
            Append(out, Hex2(im.EqSettings.at(at)));
            break;
        }
        case extended_function::kTone: {
            const int a = in.Range(1, 0, 1);
            const int b = in.Range(1, 0, 1);
            const int selector = write ? in.Hex(1) : 0;
            const int level = write ? in.Hex(2) : 0;
            if (!in.Ok()) {
                break;
            }
            const auto at = static_cast<std::size_t>(4 * a + 2 * b);
            if (write) {
                im.ToneSettings.at(at) = static_cast<std::uint8_t>(selector);
                im.ToneSettings.at(at + 1) = static_cast<std::uint8_t>(level);
            }
            Append(out, Hex1(a));
            Append(out, Hex1(b));
            Append(out, Hex1(im.ToneSettings.at(at)));
            Append(out, Hex2(im.ToneSettings.at(at + 1)));
            break;
        }
        case extended_function::kDcTrigger: {
            const int trigger = in.Range(1, 0, 1);
            const int zone = in.Range(1, 0, 2);
            const int item = in.Range(1, 0, 15);
            const int v = write ? in.Hex(1) : 0;
            if (!in.Ok()) {
                break;
            }
            auto& block = trigger == 0 ? im.DcTrigger1 : im.DcTrigger2;
            // Item 13 is the multi-channel input, which has one switch for all zones.
            const auto at =
                item == 13 ? std::size_t{49} : static_cast<std::size_t>(1 + 16 * zone + item);
            if (write) {
                block.at(at) = static_cast<std::uint8_t>(v);
            }
            Append(out, Hex1(trigger));
            Append(out, Hex1(zone));
            Append(out, Hex1(item));
            Append(out, Hex1(block.at(at)));
            break;
        }
        case extended_function::kSpeakerDistance: {
            const int i = in.Range(1, 0, 14);
            const int unit = write ? in.Hex(1) : 0;
            const int distance = write ? in.Hex(3) : 0;
            if (!in.Ok()) {
                break;
            }
            if (write) {
                im.SetSpeakerDistance(i, distance);
                im.SetSpeakerDistance(15, unit);
            }
            Append(out, Hex1(i));
            Append(out, Hex1(im.SpeakerDistance(15)));
            Append(out, Hex3(im.SpeakerDistance(i)));
            break;
        }
        case extended_function::kPictureMode: {
            const int r = in.Range(1, 0, 2);
            std::array<int, 5> v{};
            if (write) {
                for (int& x : v) {
                    x = in.Hex(2);
                }
                in.Hex(2);  // two trailing zero digits
            }
            if (!in.Ok()) {
                break;
            }
            const std::size_t base = 15 * static_cast<std::size_t>(r);
            if (write) {
                for (std::size_t j = 0; j < v.size(); ++j) {
                    im.PictureModeAdjust.at(base + j) = static_cast<std::uint8_t>(v.at(j));
                }
            }
            Append(out, Hex1(r));
            for (std::size_t j = 0; j < 5; ++j) {
                Append(out, Hex2(im.PictureModeAdjust.at(base + j)));
            }
            break;
        }
        case extended_function::kTunerPreset: {
            const int page = in.Range(1, 0, 5);
            const int number = in.Range(1, 0, 8);
            const int band = in.Hex(1);
            const std::string_view text = in.Text(6);
            if (!in.Ok() || (page != 0 && number == 0)) {
                in.Fail();
                break;
            }
            const int entry = page == 0 ? 0 : 8 * (page - 1) + number;
            if (write) {
                const auto step = (band == 0 || band == 1) ? TunerStep(band, text) : std::nullopt;
                if (!step) {
                    in.Fail();
                    break;
                }
                im.SetTunerPreset(entry, static_cast<std::uint8_t>(band),
                                  static_cast<std::uint8_t>(*step));
            }
            const int storedBand = im.TunerBand(entry);
            Append(out, Hex1(page));
            Append(out, Hex1(page == 0 ? 0 : number));
            Append(out, Hex1(storedBand));
            out += profile_.TunerFrequencyText(storedBand, im.TunerStep(entry)).substr(0, 6);
            break;
        }
        default:
            return BuildReply(code, kUnknownFunction, {});
    }
    if (!in.Ok()) {
        return BuildReply(code, kBadData, {});
    }
    return BuildReply(code, '0', out);
}

}  // namespace tra1::sim

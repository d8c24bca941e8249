#include "platform/serial/telnet_codec.h"

namespace tra1::serial {
namespace {

using namespace telnet;

// A subnegotiation longer than this is not one this client reads; the rest is dropped.
constexpr std::size_t kMaxSubnegotiation = 64;
// The client's name, sent when the server asks for it.
constexpr std::string_view kSignature = "tr-a1-editor";
constexpr std::uint8_t kSignatureCommand = 0;

void Put(std::string& out, std::uint8_t byte) {
    out.push_back(static_cast<char>(byte));
}

void PutCommand(std::string& out, std::uint8_t verb, std::uint8_t option) {
    Put(out, kIac);
    Put(out, verb);
    Put(out, option);
}

// IAC SB COM-PORT-OPTION command value... IAC SE, with IAC in the value doubled.
void PutComPort(std::string& out, std::uint8_t command, std::string_view value) {
    Put(out, kIac);
    Put(out, kSb);
    Put(out, kComPortOption);
    Put(out, command);
    for (char c : value) {
        Put(out, static_cast<std::uint8_t>(c));
        if (static_cast<std::uint8_t>(c) == kIac) {
            Put(out, kIac);
        }
    }
    Put(out, kIac);
    Put(out, kSe);
}

std::string OneByte(std::uint8_t value) {
    return std::string(1, static_cast<char>(value));
}

}  // namespace

bool TelnetComPortCodec::WeAgreeToDo(std::uint8_t option) {
    return option == kBinary || option == kSuppressGoAhead || option == kComPortOption;
}

bool TelnetComPortCodec::WeAgreeToLet(std::uint8_t option) {
    return option == kBinary || option == kSuppressGoAhead;
}

std::string TelnetComPortCodec::Greeting() {
    std::string out;
    for (const std::uint8_t option : {kComPortOption, kBinary, kSuppressGoAhead}) {
        localAsked_.at(option) = true;
        PutCommand(out, kWill, option);
    }
    for (const std::uint8_t option : {kBinary, kSuppressGoAhead}) {
        remoteAsked_.at(option) = true;
        PutCommand(out, kDo, option);
    }
    return out;
}

void TelnetComPortCodec::Receive(std::string_view in, std::string& data, std::string& reply) {
    for (const char c : in) {
        const auto byte = static_cast<std::uint8_t>(c);
        switch (state_) {
            case State::kData:
                if (byte == kIac) {
                    state_ = State::kIac;
                    break;
                }
                // Outside binary mode a server sends CR as CR NUL.
                if (!remote_.at(kBinary) && lastWasCr_ && byte == 0) {
                    lastWasCr_ = false;
                    break;
                }
                lastWasCr_ = byte == '\r';
                data.push_back(c);
                break;
            case State::kIac:
                state_ = State::kData;
                if (byte == kIac) {
                    lastWasCr_ = false;
                    data.push_back(c);
                } else if (byte == kWill || byte == kWont || byte == kDo || byte == kDont) {
                    verb_ = byte;
                    state_ = State::kOption;
                } else if (byte == kSb) {
                    subnegotiation_.clear();
                    state_ = State::kSubnegotiation;
                }
                // NOP, GO-AHEAD, DATA-MARK and the other two-byte commands carry nothing here.
                break;
            case State::kOption:
                state_ = State::kData;
                Negotiate(verb_, byte, reply);
                break;
            case State::kSubnegotiation:
                if (byte == kIac) {
                    state_ = State::kSubnegotiationIac;
                } else if (subnegotiation_.size() < kMaxSubnegotiation) {
                    subnegotiation_.push_back(c);
                }
                break;
            case State::kSubnegotiationIac:
                if (byte == kIac) {
                    if (subnegotiation_.size() < kMaxSubnegotiation) {
                        subnegotiation_.push_back(c);
                    }
                    state_ = State::kSubnegotiation;
                } else {
                    // IAC SE ends it; any other command ends a malformed one just the same.
                    state_ = State::kData;
                    EndSubnegotiation(reply);
                    if (byte != kSe) {
                        // The command after IAC is read as a command of its own.
                        state_ = State::kIac;
                        Receive(std::string_view(&c, 1), data, reply);
                    }
                }
                break;
        }
    }
}

void TelnetComPortCodec::Negotiate(std::uint8_t verb, std::uint8_t option, std::string& reply) {
    switch (verb) {
        case kDo:
            if (option == kComPortOption) {
                comPortAnswered_ = true;
            }
            if (!WeAgreeToDo(option)) {
                PutCommand(reply, kWont, option);
                return;
            }
            if (!local_.at(option)) {
                local_.at(option) = true;
                if (!localAsked_.at(option)) {
                    PutCommand(reply, kWill, option);
                }
                localAsked_.at(option) = false;
                if (option == kComPortOption) {
                    SendLineSettings(reply);
                }
            }
            return;
        case kDont:
            if (option == kComPortOption) {
                comPortAnswered_ = true;
            }
            if (local_.at(option)) {
                local_.at(option) = false;
                if (!localAsked_.at(option)) {
                    PutCommand(reply, kWont, option);
                }
            }
            localAsked_.at(option) = false;
            return;
        case kWill:
            if (!WeAgreeToLet(option)) {
                PutCommand(reply, kDont, option);
                return;
            }
            if (!remote_.at(option)) {
                remote_.at(option) = true;
                if (!remoteAsked_.at(option)) {
                    PutCommand(reply, kDo, option);
                }
                remoteAsked_.at(option) = false;
            }
            return;
        case kWont:
            if (remote_.at(option)) {
                remote_.at(option) = false;
                if (!remoteAsked_.at(option)) {
                    PutCommand(reply, kDont, option);
                }
            }
            remoteAsked_.at(option) = false;
            return;
        default:
            return;
    }
}

void TelnetComPortCodec::SendLineSettings(std::string& reply) {
    if (settingsSent_) {
        return;
    }
    settingsSent_ = true;
    const std::string baud{
        static_cast<char>((kBaudRate >> 24) & 0xFF), static_cast<char>((kBaudRate >> 16) & 0xFF),
        static_cast<char>((kBaudRate >> 8) & 0xFF), static_cast<char>(kBaudRate & 0xFF)};
    PutComPort(reply, kSetBaudRate, baud);
    PutComPort(reply, kSetDataSize, OneByte(kDataSize));
    PutComPort(reply, kSetParity, OneByte(kParityNone));
    PutComPort(reply, kSetStopSize, OneByte(kStopBitsOne));
    PutComPort(reply, kSetControl, OneByte(kControlOutboundHardware));
    PutComPort(reply, kSetControl, OneByte(kControlInboundHardware));
    PutComPort(reply, kSetControl, OneByte(kControlDtrOff));
}

void TelnetComPortCodec::EndSubnegotiation(std::string& reply) {
    if (subnegotiation_.size() < 2 ||
        static_cast<std::uint8_t>(subnegotiation_[0]) != kComPortOption) {
        return;
    }
    const auto command = static_cast<std::uint8_t>(subnegotiation_[1]);
    const std::string_view value = std::string_view(subnegotiation_).substr(2);
    const auto first = value.empty() ? 0 : static_cast<int>(static_cast<std::uint8_t>(value[0]));
    switch (command) {
        case kServerOffset + kSignatureCommand:
            // An empty signature from the server asks for the client's.
            if (value.empty() && local_.at(kComPortOption)) {
                PutComPort(reply, kSignatureCommand, kSignature);
            }
            break;
        case kServerOffset + kSetBaudRate:
            if (value.size() == 4) {
                std::uint32_t baud = 0;
                for (char c : value) {
                    baud = (baud << 8) | static_cast<std::uint8_t>(c);
                }
                settings_.baudRate = baud;
            }
            break;
        case kServerOffset + kSetDataSize:
            if (!value.empty()) {
                settings_.dataSize = first;
            }
            break;
        case kServerOffset + kSetParity:
            if (!value.empty()) {
                settings_.parity = first;
            }
            break;
        case kServerOffset + kSetStopSize:
            if (!value.empty()) {
                settings_.stopSize = first;
            }
            break;
        default:
            // Line and modem state notices, flow-control suspend and resume: nothing a
            // 9600 baud link with short frames acts on.
            break;
    }
}

std::string TelnetComPortCodec::Encode(std::string_view data) const {
    std::string out;
    out.reserve(data.size() + 4);
    for (const char c : data) {
        out.push_back(c);
        if (static_cast<std::uint8_t>(c) == kIac) {
            out.push_back(c);
        } else if (c == '\r' && !local_.at(kBinary)) {
            out.push_back('\0');
        }
    }
    return out;
}

}  // namespace tra1::serial

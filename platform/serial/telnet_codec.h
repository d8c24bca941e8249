#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tra1::serial {

// Telnet bytes and options used by a serial server client (RFC 854, 856, 858 and 2217).
namespace telnet {
inline constexpr std::uint8_t kSe = 240;
inline constexpr std::uint8_t kNop = 241;
inline constexpr std::uint8_t kSb = 250;
inline constexpr std::uint8_t kWill = 251;
inline constexpr std::uint8_t kWont = 252;
inline constexpr std::uint8_t kDo = 253;
inline constexpr std::uint8_t kDont = 254;
inline constexpr std::uint8_t kIac = 255;

inline constexpr std::uint8_t kBinary = 0;
inline constexpr std::uint8_t kEcho = 1;
inline constexpr std::uint8_t kSuppressGoAhead = 3;
inline constexpr std::uint8_t kComPortOption = 44;

// COM-PORT-OPTION commands from the client; the server answers with the same command + 100.
inline constexpr std::uint8_t kSetBaudRate = 1;
inline constexpr std::uint8_t kSetDataSize = 2;
inline constexpr std::uint8_t kSetParity = 3;
inline constexpr std::uint8_t kSetStopSize = 4;
inline constexpr std::uint8_t kSetControl = 5;
inline constexpr std::uint8_t kServerOffset = 100;

inline constexpr std::uint8_t kParityNone = 1;
inline constexpr std::uint8_t kStopBitsOne = 1;
// SET-CONTROL values.
inline constexpr std::uint8_t kControlOutboundHardware = 3;
inline constexpr std::uint8_t kControlDtrOff = 9;
inline constexpr std::uint8_t kControlInboundHardware = 16;
}  // namespace telnet

// The client side of a Telnet connection to a serial server with the COM-PORT-OPTION of
// RFC 2217, as a pure byte transformation: bytes from the server go in, the line's data and
// the answers owed to the server come out; data for the line goes in and leaves escaped. It
// keeps no socket and never blocks, so that tests can feed it crafted streams in any pieces.
//
// What it agrees to: BINARY both ways and SUPPRESS-GO-AHEAD both ways (so that every byte of
// the line passes unchanged), and COM-PORT-OPTION from this side. Everything else is refused,
// ECHO above all (the server must not send the editor's own frames back as if the receiver had
// said them). An option already in the state asked for is not answered again, so that two
// ends can never loop. Once the server agrees to COM-PORT-OPTION, the line settings go out:
// 9600 baud, 8 data bits, no parity, 1 stop bit, RTS/CTS hardware flow both ways, DTR off.
class TelnetComPortCodec {
public:
    // What the server has confirmed of the line settings, from its COM-PORT-OPTION answers.
    struct ServerSettings {
        std::optional<std::uint32_t> baudRate;
        std::optional<int> dataSize;
        std::optional<int> parity;
        std::optional<int> stopSize;
    };

    static constexpr std::uint32_t kBaudRate = 9600;
    static constexpr int kDataSize = 8;

    // The client's opening: WILL COM-PORT-OPTION, WILL and DO BINARY, WILL and DO
    // SUPPRESS-GO-AHEAD.
    std::string Greeting();

    // Takes bytes from the server in any pieces. Appends the line's data to `data` and what
    // must be sent back to the server to `reply`.
    void Receive(std::string_view in, std::string& data, std::string& reply);

    // The line's bytes as they go to the server: IAC doubled and, while the server has not
    // agreed to binary from this side, CR followed by NUL.
    std::string Encode(std::string_view data) const;

    // The server said DO or DONT COM-PORT-OPTION; until then it has not answered at all.
    bool ServerAnswered() const { return comPortAnswered_; }
    bool ComPortAccepted() const { return local_.at(telnet::kComPortOption); }
    const ServerSettings& Settings() const { return settings_; }

private:
    enum class State { kData, kIac, kOption, kSubnegotiation, kSubnegotiationIac };

    static bool WeAgreeToDo(std::uint8_t option);   // the option on this side
    static bool WeAgreeToLet(std::uint8_t option);  // the option on the server's side
    void Negotiate(std::uint8_t verb, std::uint8_t option, std::string& reply);
    void EndSubnegotiation(std::string& reply);
    void SendLineSettings(std::string& reply);

    State state_ = State::kData;
    std::uint8_t verb_ = 0;
    std::string subnegotiation_;
    bool lastWasCr_ = false;
    // Options in force on this side (we WILL) and on the server's side (it WILL), and the
    // requests this side has sent and not yet seen answered.
    std::array<bool, 256> local_{};
    std::array<bool, 256> remote_{};
    std::array<bool, 256> localAsked_{};
    std::array<bool, 256> remoteAsked_{};
    bool comPortAnswered_ = false;
    bool settingsSent_ = false;
    ServerSettings settings_;
};

}  // namespace tra1::serial

// The Telnet side of rfc2217:// ports against crafted byte streams: option negotiation that
// never loops, the line settings once the server agrees, IAC escaping both ways, and streams
// cut at every possible place.

#include "platform/serial/telnet_codec.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tra1::serial {
namespace {

using namespace telnet;

std::string Bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) {
        out.push_back(static_cast<char>(v));
    }
    return out;
}

std::string Command(int verb, int option) {
    return Bytes({kIac, verb, option});
}

std::string ComPort(int command, const std::string& value) {
    return Bytes({kIac, kSb, kComPortOption, command}) + value + Bytes({kIac, kSe});
}

struct Fed {
    std::string data;
    std::string reply;
};

Fed Feed(TelnetComPortCodec& codec, const std::string& in) {
    Fed out;
    codec.Receive(in, out.data, out.reply);
    return out;
}

// What ser2net's telnet(rfc2217) accepter sent to the opening, as seen on the wire, followed
// by the text it sends when its device is taken.
const std::string kServerOpening =
    Command(kWill, kSuppressGoAhead) + Command(kDo, kSuppressGoAhead) + Command(kWill, kEcho) +
    Command(kDont, kEcho) + Command(kDo, kBinary) + Command(kWill, kBinary) +
    Command(kDo, kComPortOption) + "Port's device already in use\r\n";

const std::string kLineSettings =
    ComPort(kSetBaudRate, Bytes({0x00, 0x00, 0x25, 0x80})) + ComPort(kSetDataSize, Bytes({8})) +
    ComPort(kSetParity, Bytes({kParityNone})) + ComPort(kSetStopSize, Bytes({kStopBitsOne})) +
    ComPort(kSetControl, Bytes({kControlOutboundHardware})) +
    ComPort(kSetControl, Bytes({kControlInboundHardware})) +
    ComPort(kSetControl, Bytes({kControlDtrOff}));

TEST(TelnetComPortCodec, OpeningAsksForTheComPortOptionBinaryAndNoGoAhead) {
    TelnetComPortCodec codec;
    EXPECT_EQ(codec.Greeting(), Command(kWill, kComPortOption) + Command(kWill, kBinary) +
                                    Command(kWill, kSuppressGoAhead) + Command(kDo, kBinary) +
                                    Command(kDo, kSuppressGoAhead));
    EXPECT_FALSE(codec.ServerAnswered());
}

TEST(TelnetComPortCodec, AServersAnswersSendTheLineSettingsOnceAndRefuseEcho) {
    TelnetComPortCodec codec;
    codec.Greeting();
    const Fed fed = Feed(codec, kServerOpening);
    // Answers to what this side asked for are not answered again; ECHO is refused; the line
    // settings follow the server's DO COM-PORT-OPTION.
    EXPECT_EQ(fed.reply, Command(kDont, kEcho) + kLineSettings);
    EXPECT_EQ(fed.data, "Port's device already in use\r\n");
    EXPECT_TRUE(codec.ServerAnswered());
    EXPECT_TRUE(codec.ComPortAccepted());

    // The same requests again change nothing and are not answered: the ends cannot loop.
    const Fed again = Feed(codec, Command(kDo, kComPortOption) + Command(kWill, kBinary) +
                                      Command(kDo, kSuppressGoAhead) + Command(kWont, kEcho));
    EXPECT_EQ(again.reply, "");
}

TEST(TelnetComPortCodec, OptionsItDoesNotKnowAreRefusedAndWithdrawalsConfirmed) {
    TelnetComPortCodec codec;
    codec.Greeting();
    constexpr int kTerminalType = 24;
    constexpr int kLinemode = 34;
    EXPECT_EQ(Feed(codec, Command(kDo, kTerminalType)).reply, Command(kWont, kTerminalType));
    EXPECT_EQ(Feed(codec, Command(kWill, kLinemode)).reply, Command(kDont, kLinemode));
    // Binary agreed both ways, then withdrawn by the server: confirmed once each way.
    Feed(codec, Command(kDo, kBinary) + Command(kWill, kBinary));
    EXPECT_EQ(Feed(codec, Command(kDont, kBinary)).reply, Command(kWont, kBinary));
    EXPECT_EQ(Feed(codec, Command(kWont, kBinary)).reply, Command(kDont, kBinary));
    EXPECT_EQ(Feed(codec, Command(kDont, kBinary) + Command(kWont, kBinary)).reply, "");
}

TEST(TelnetComPortCodec, AServerWithoutTheComPortOptionIsAnsweredButGetsNoSettings) {
    TelnetComPortCodec codec;
    codec.Greeting();
    const Fed fed = Feed(codec, Command(kDont, kComPortOption));
    EXPECT_EQ(fed.reply, "");
    EXPECT_TRUE(codec.ServerAnswered());
    EXPECT_FALSE(codec.ComPortAccepted());
}

TEST(TelnetComPortCodec, DoubledIacIsOneDataByteAndOtherCommandsCarryNothing) {
    TelnetComPortCodec codec;
    codec.Greeting();
    Feed(codec, Command(kWill, kBinary));
    const std::string frame = "\x12R3109" + Bytes({kIac, kIac}) + Bytes({kIac, kNop}) + "7\x03";
    EXPECT_EQ(Feed(codec, frame).data, "\x12R3109" + Bytes({0xFF}) + "7\x03");
}

TEST(TelnetComPortCodec, EveryCutOfAStreamDecodesTheSame) {
    const std::string stream =
        kServerOpening + ComPort(kServerOffset + kSetBaudRate, Bytes({0x00, 0x00, 0x25, 0x80})) +
        "\x12" + Bytes({kIac, kIac, kIac, kIac}) + "AB\x03" +
        ComPort(kServerOffset + kSetDataSize, Bytes({8}));
    TelnetComPortCodec whole;
    whole.Greeting();
    const Fed expected = Feed(whole, stream);
    ASSERT_EQ(expected.data,
              "Port's device already in use\r\n\x12" + Bytes({0xFF, 0xFF}) + "AB\x03");
    for (std::size_t cut = 1; cut < stream.size(); ++cut) {
        TelnetComPortCodec pieces;
        pieces.Greeting();
        Fed got;
        pieces.Receive(stream.substr(0, cut), got.data, got.reply);
        pieces.Receive(stream.substr(cut), got.data, got.reply);
        ASSERT_EQ(got.data, expected.data) << "cut at " << cut;
        ASSERT_EQ(got.reply, expected.reply) << "cut at " << cut;
        ASSERT_EQ(pieces.Settings().baudRate, 9600u) << "cut at " << cut;
        ASSERT_EQ(pieces.Settings().dataSize, 8) << "cut at " << cut;
    }
}

TEST(TelnetComPortCodec, ServerConfirmationsAreReadWithEscapedValues) {
    TelnetComPortCodec codec;
    codec.Greeting();
    Feed(codec, Command(kDo, kComPortOption));
    // A baud rate whose bytes hold 255 arrives with the 255 doubled.
    Feed(codec, ComPort(kServerOffset + kSetBaudRate, Bytes({0x00, 0x01, kIac, kIac, 0x00})) +
                    ComPort(kServerOffset + kSetParity, Bytes({kParityNone})) +
                    ComPort(kServerOffset + kSetStopSize, Bytes({kStopBitsOne})));
    EXPECT_EQ(codec.Settings().baudRate, 0x0001FF00u);
    EXPECT_EQ(codec.Settings().parity, kParityNone);
    EXPECT_EQ(codec.Settings().stopSize, kStopBitsOne);
}

TEST(TelnetComPortCodec, AnEmptySignatureFromTheServerAsksForTheClientsName) {
    TelnetComPortCodec codec;
    codec.Greeting();
    Feed(codec, Command(kDo, kComPortOption));
    EXPECT_EQ(Feed(codec, ComPort(kServerOffset, "")).reply, ComPort(0, "tr-a1-editor"));
    // The server's own signature is only information.
    EXPECT_EQ(Feed(codec, ComPort(kServerOffset, "ser2net")).reply, "");
}

TEST(TelnetComPortCodec, MalformedAndOversizedSubnegotiationsEndSafely) {
    TelnetComPortCodec codec;
    codec.Greeting();
    // No IAC SE: the WILL ECHO behind it still counts as a command.
    const Fed cut =
        Feed(codec, Bytes({kIac, kSb, kComPortOption, 101, 0}) + Command(kWill, kEcho) + "x");
    EXPECT_EQ(cut.reply, Command(kDont, kEcho));
    EXPECT_EQ(cut.data, "x");
    // A very long one is read to its end without keeping it all.
    const Fed longOne = Feed(codec, Bytes({kIac, kSb, kComPortOption}) + std::string(100'000, 'a') +
                                        Bytes({kIac, kSe}) + "y");
    EXPECT_EQ(longOne.data, "y");
}

TEST(TelnetComPortCodec, DataForTheLineIsEscaped) {
    TelnetComPortCodec codec;
    codec.Greeting();
    // Before the server agreed to binary, CR goes as CR NUL.
    EXPECT_EQ(codec.Encode("\x11" + Bytes({0xFF}) + "\r0\x03"),
              "\x11" + Bytes({0xFF, 0xFF}) + std::string("\r\0", 2) + "0\x03");
    Feed(codec, Command(kDo, kBinary));
    EXPECT_EQ(codec.Encode("\r" + Bytes({0xFF, 0xFF})), "\r" + Bytes({0xFF, 0xFF, 0xFF, 0xFF}));
    // Outside binary mode the server's CR NUL is a lone CR.
    TelnetComPortCodec plain;
    Fed fed = Feed(plain, std::string("a\r\0b", 4));
    EXPECT_EQ(fed.data, "a\rb");
}

}  // namespace
}  // namespace tra1::serial

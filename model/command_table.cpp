#include "model/command_table.h"

#include <cstddef>

namespace tra1 {
namespace {

// Rows in command-number order, codes in position order, exactly as the receiver expects them.
// Row 85 repeats four codes and "07EAB" sits in rows 4 and 25; both are kept as the receiver
// lists them.
constexpr std::array<CommandRow, kCommandCount> kCommandTable{{
    // 0
    {"07A1B07A1A", "", false, false},
    // 1
    {"07EA307EA2", "main zone \"Mute\" check box: value 0 or 1", true, false},
    // 2
    {"07A1407A1507A1607A1907AC907AC107A5407AC007ACA07A0F07A1307AC807A55",
     "main zone input: value = input position; also upload and download", true, true},
    // 3
    {"07EA507EA4", "\"Multi ch Input\" check box; also upload and download", true, true},
    // 4
    {"07EA607EA707EA807EA907EAA07EAB",
     "\"Input Mode\": the position sent is twice the input-mode value; also upload and download",
     true, true},
    // 5
    {"07ADB07ADA", "", false, false},
    // 6
    {"07EA107EA0", "zone 2 \"Mute\" check box", true, false},
    // 7
    {"07AD007AD107AD207AD407ACF07ACD07AD907ACC07ACB07AD607AD707ACE07AD8", "\"Zone2 Input\"", true,
     false},
    // 8
    {"07A1E07A1D", "start of a configuration upload or download, value 1", true, true},
    // 9
    {"07E7F07E7E", "main zone \"OFF\" (value 0) / \"ON\" (value 1)", false, false},
    // 10
    {"07EBB07EBA", "zone 2 \"OFF\" (value 0) / \"ON\" (value 1)", false, false},
    // 11
    {"07AEE07AED", "", false, false},
    // 12
    {"07E6607E26", "download", true, false},
    // 13
    {"07AFE07AFD", "", false, false},
    // 14
    {"07AF107AF207AF307AF507AF407AFC07AF607AF707AF807AF907AFA07AFB07AF0", "download", true, false},
    // 15
    {"07EB007EB107EB2", "\"On Screen\"", true, false},
    // 16
    {"07EB307EB707EB607EB507EB4", "", false, false},
    // 17
    {"07E7C07EB907EB807EDC07EDD07EDE", "\"EX/ES\"", true, false},
    // 18
    {"07E9C07E9B", "\"Night Mode\" check box; download", true, false},
    // 19
    {"07EE007E27",
     "program change when the program byte carries its bit-7 flag (value 0); also upload and "
     "download",
     true, true},
    // 20
    {"07EE107EE207EE307EE407EE507EC407EC507EC607EE607EE707EE807EE907EEA07EEB07EEC07EED07EEE07EEF07E"
     "F007EF107EF207EFF07EF307EF407EF507EF607EF707EF807EF907EFA07EFB07EFC07EFD07EFE07EC107EC007EC20"
     "7EC3",
     "DSP program select: value = program index 0..37; also upload and download", true, true},
    // 21
    {"07AE007AE107AE207AE307AE4", "", false, false},
    // 22
    {"07AE507AE607AE707AE807AE907AEA07AEB07AEC", "", false, false},
    // 23
    {"07EBC07EBD", "", false, false},
    // 24
    {"07EBE07EBF", "", false, false},
    // 25
    {"07EAC07EAB", "\"Speaker A\" check box", true, false},
    // 26
    {"07EAE07EAD", "\"Speaker B\" check box", true, false},
    // 27
    {"07E2B07E2C07E2D07E2E07E2F07E30",
     "home preset \"Unit\" \"Memory\" button 1192: value = selection of list box 1182 (0..5)",
     false, false},
    // 28
    {"07E3507E3607E3707E3807E3907E3A", "home preset \"Unit\" \"Recall\" button 1193, list box 1182",
     false, false},
    // 29
    {"07E6B07E6C07E6D07E6E07E6F07E70", "main volume \"Unit\" \"Memory\" button 1194, list box 1217",
     false, false},
    // 30
    {"07E7507E7607E7707E7807E7907E7A", "main volume \"Unit\" \"Recall\" button 1204, list box 1217",
     false, false},
    // 31
    {"07E8707E8807E8907E8A07E8B07E8C",
     "zone 2 volume \"Unit\" \"Memory\" button 1205, list box 1218", false, false},
    // 32
    {"07E8D07E8E07E8F07E9007E9107E92",
     "zone 2 volume \"Unit\" \"Recall\" button 1206, list box 1218", false, false},
    // 33
    {"07E2007E2107E2207E2307E2407E25", "", false, false},
    // 34
    {"07E6007E6107E6207E6307E6407E65", "", false, false},
    // 35
    {"07E3407E3207E3307E31", "change message 0xA105; download", true, false},
    // 36
    {"07E7207E71", "", false, false},
    // 37
    {"07E7407E73", "", false, false},
    // 38
    {"07E8407E83", "", false, false},
    // 39
    {"07E9307E9407E95", "", false, false},
    // 40
    {"07E9807E9607E9707E9F", "change message 0xA105; download", true, false},
    // 41
    {"07E3D07E3C", "", false, false},
    // 42
    {"07E3F07E3E", "", false, false},
    // 43
    {"07E8607E85", "", false, false},
    // 44
    {"07E2807E29", "change message 0xA005 (wParam 8); download", true, false},
    // 45
    {"07E9907E9A", "change message 0xA00B (wParam 1); download", true, false},
    // 46
    {"0000100000", "sent with value 1 (\"00000\") when a port is opened", false, false},
    // 47
    {"201002010120102201032010420105201062010720108",
     "sent with value 0 (\"20100\") when a port is opened", false, false},
    // 48
    {"23000", "main zone volume (volume group)", true, false},
    // 49
    {"23100", "zone 2 volume (volume group)", true, false},
    // 50
    {"23200", "(parameter group)", false, false},
    // 51
    {"23300", "", false, false},
    // 52
    {"23400", "download (volume group)", true, false},
    // 53
    {"24000",
     "channel levels, change message 0xA001 with wParam 0..10: command 53 + wParam (parameter "
     "group)",
     true, false},
    // 54
    {"24100",
     "channel levels, change message 0xA001 with wParam 0..10: command 53 + wParam (parameter "
     "group)",
     true, false},
    // 55
    {"24200",
     "channel levels, change message 0xA001 with wParam 0..10: command 53 + wParam (parameter "
     "group)",
     true, false},
    // 56
    {"24300",
     "channel levels, change message 0xA001 with wParam 0..10: command 53 + wParam (parameter "
     "group)",
     true, false},
    // 57
    {"24400",
     "channel levels, change message 0xA001 with wParam 0..10: command 53 + wParam (parameter "
     "group)",
     true, false},
    // 58
    {"24700",
     "channel levels, change message 0xA001 with wParam 0..10: command 53 + wParam (parameter "
     "group)",
     true, false},
    // 59
    {"24800",
     "channel levels, change message 0xA001 with wParam 0..10: command 53 + wParam (parameter "
     "group)",
     true, false},
    // 60
    {"24500",
     "channel levels, change message 0xA001 with wParam 0..10: command 53 + wParam (parameter "
     "group)",
     true, false},
    // 61
    {"24600",
     "channel levels, change message 0xA001 with wParam 0..10: command 53 + wParam (parameter "
     "group)",
     true, false},
    // 62
    {"24900",
     "channel levels, change message 0xA001 with wParam 0..10: command 53 + wParam (parameter "
     "group)",
     true, false},
    // 63
    {"24A00",
     "channel levels, change message 0xA001 with wParam 0..10: command 53 + wParam (parameter "
     "group)",
     true, false},
    // 64
    {"25000", "change message 0xA003 wParam 0/1; download (parameter group)", true, false},
    // 65
    {"25100", "change message 0xA003 wParam 0/1; download (parameter group)", true, false},
    // 66
    {"25200", "change message 0xA007; download (parameter group)", true, false},
    // 67
    {"25300", "", false, false},
    // 68
    {"25400", "", false, false},
    // 69
    {"2570025701", "change message 0xA00F", false, false},
    // 70
    {"2580025801258022580325804", "change message 0xA00A wParam 6; download", true, false},
    // 71
    {"259002590125902", "download", true, false},
    // 72
    {"25A0025A0125A0225A03", "download", true, false},
    // 73
    {"25B0025B0125B0225B03", "download", true, false},
    // 74
    {"25C0025C01", "download", true, false},
    // 75
    {"25D0025D01", "download", true, false},
    // 76
    {"25E0025E0125E02", "download", true, false},
    // 77
    {"2600026001", "change message 0xA009; download", true, false},
    // 78
    {"26100", "change message 0xA00A wParam 0; download (parameter group)", true, false},
    // 79
    {"26200",
     "change message 0xA00A wParam 1 or 2; download (parameter group; value = high nibble and low "
     "nibble of two image bytes)",
     true, false},
    // 80
    {"2630026301", "change message 0xA00A wParam 3", false, false},
    // 81
    {"264002640126402", "change message 0xA004 wParam 0; download", true, false},
    // 82
    {"265002650126502", "change message 0xA004 wParam 1; download", true, false},
    // 83
    {"2660026601", "change message 0xA00B wParam 0; download", true, false},
    // 84
    {"2670026701", "", false, false},
    // 85
    {"268002680126802268032680426805268062680726804268052680626807", "", false, false},
    // 86
    {"2690026901", "change message 0xA00A wParam 4; download", true, false},
    // 87
    {"26B0026B01", "change message 0xA00A wParam 5; download", true, false},
    // 88
    {"26A0026A01", "download", true, false},
    // 89
    {"26F0026F01", "", false, false},
    // 90
    {"270002700127002", "change message 0xA005 wParam 0; download", true, false},
    // 91
    {"2710027101", "0xA005 wParam 1", true, false},
    // 92
    {"272002720127202", "0xA005 wParam 2; download", true, false},
    // 93
    {"2730027301273022730327304", "0xA005 wParam 3; download", true, false},
    // 94
    {"2740027401", "0xA005 wParam 4; download", true, false},
    // 95
    {"275002750127502", "0xA005 wParam 5", true, false},
    // 96
    {"2760027601276022760327610276112761227613", "0xA005 wParam 6; download", true, false},
    // 97
    {"277002770127702277032770427705277062770727708", "0xA005 wParam 9; download", true, false},
    // 98
    {"280002800128002", "test tone: \"OFF\" value 0, \"TEST\" value 1, \"DSP\" value 2", false,
     false},
    // 99
    {"2830028301", "", false, false},
    // 100
    {"28400284012840228403", "", false, false},
    // 101
    {"2880028801", "change message 0xA010 wParam 0; download", true, false},
    // 102
    {"2890028901", "0xA010 wParam 1; download", true, false},
    // 103
    {"28A0028A0128A02", "0xA010 wParam 2; download", true, false},
    // 104
    {"29E0029E0129E02", "", false, false},
    // 105
    {"29B0029B01", "", false, false},

}};

constexpr bool AllRowsWhole() {
    for (const CommandRow& row : kCommandTable) {
        if (row.codes.empty() || row.codes.size() % kOperationCodeLength != 0) {
            return false;
        }
    }
    return true;
}
static_assert(AllRowsWhole(), "every row holds whole five-character codes");

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// The value of two upper-case hexadecimal digits, or -1.
int HexByte(char high, char low) {
    const int h = HexValue(high);
    const int l = HexValue(low);
    return h < 0 || l < 0 ? -1 : h * 16 + l;
}

}  // namespace

CommandGroup CommandGroupOf(int commandNumber) {
    if (commandNumber == command::kStatusRequest) {
        return CommandGroup::kStatusRequest;
    }
    if (!IsCommandNumber(commandNumber)) {
        return CommandGroup::kInvalid;
    }
    switch (commandNumber) {
        case command::kMainVolume:
        case command::kZone2Volume:
        case command::kSpareVolume:
            return CommandGroup::kVolume;
        case command::kSpareParameter:
        case command::kDimmer:
        case command::kOsdShift:
            return CommandGroup::kParameter;
        default:
            break;
    }
    // The speaker levels, the LFE levels and the audio delay.
    if (commandNumber >= command::kFirstSpeakerLevel && commandNumber <= command::kAudioDelay) {
        return CommandGroup::kParameter;
    }
    return CommandGroup::kSelection;
}

bool LaterCommandsActOnItsChoice(int commandNumber) {
    return commandNumber == command::kMainInput;
}

std::optional<CommandRow> CommandTableRow(int commandNumber) {
    if (!IsCommandNumber(commandNumber)) {
        return std::nullopt;
    }
    return kCommandTable[static_cast<std::size_t>(commandNumber)];
}

std::string_view CommandRowCodes(int commandNumber) {
    if (!IsCommandNumber(commandNumber)) {
        return {};
    }
    return kCommandTable[static_cast<std::size_t>(commandNumber)].codes;
}

int CommandCodeCount(int commandNumber) {
    return static_cast<int>(CommandRowCodes(commandNumber).size() / kOperationCodeLength);
}

std::string_view CommandCode(int commandNumber, int position) {
    if (position < 0 || position >= CommandCodeCount(commandNumber)) {
        return {};
    }
    return CommandRowCodes(commandNumber)
        .substr(static_cast<std::size_t>(position) * kOperationCodeLength, kOperationCodeLength);
}

std::optional<DecodedOperation> DecodeOperationCode(std::string_view code) {
    if (code.size() != static_cast<std::size_t>(kOperationCodeLength)) {
        return std::nullopt;
    }
    for (int n = 0; n < kCommandCount; ++n) {
        const CommandGroup group = CommandGroupOf(n);
        const std::string_view codes = CommandRowCodes(n);
        if (group == CommandGroup::kSelection) {
            for (int k = 0; k < CommandCodeCount(n); ++k) {
                if (CommandCode(n, k) == code) {
                    return DecodedOperation{n, k};
                }
            }
            continue;
        }
        // Volume and parameter rows: three fixed characters and a two-digit value.
        if (code.substr(0, kOperationCodePrefixLength) !=
            codes.substr(0, kOperationCodePrefixLength)) {
            continue;
        }
        const int byte = HexByte(code[3], code[4]);
        if (byte < 0) {
            return std::nullopt;
        }
        if (group == CommandGroup::kParameter) {
            return DecodedOperation{n, byte};
        }
        if (byte == 0) {
            return DecodedOperation{n, 0};
        }
        // Volume steps 1..217 travel as 39..255; 1..38 never occur.
        if (byte <= kVolumeOffset) {
            return std::nullopt;
        }
        return DecodedOperation{n, byte - kVolumeOffset};
    }
    return std::nullopt;
}

}  // namespace tra1

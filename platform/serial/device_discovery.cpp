#include "platform/serial/device_discovery.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <string_view>

namespace tra1::serial {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kFamilies[] = {"ttyUSB", "ttyACM", "ttyS"};

// The first line of a small sysfs file; empty when it cannot be read.
std::string ReadFirstLine(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    if (in) {
        std::getline(in, line);
    }
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back())) != 0) {
        line.pop_back();
    }
    return line;
}

// "ttyUSB10" sorts after "ttyUSB2": compare the text before the number, then the number.
bool NaturalLess(const std::string& a, const std::string& b) {
    const auto digits = [](const std::string& s) {
        std::size_t i = s.size();
        while (i > 0 && std::isdigit(static_cast<unsigned char>(s[i - 1])) != 0) {
            --i;
        }
        return i;
    };
    const std::size_t da = digits(a);
    const std::size_t db = digits(b);
    const std::string_view stemA(a.data(), da);
    const std::string_view stemB(b.data(), db);
    if (stemA != stemB) {
        return stemA < stemB;
    }
    const std::string numberA = a.substr(da);
    const std::string numberB = b.substr(db);
    if (numberA.size() != numberB.size()) {
        return numberA.size() < numberB.size();
    }
    return numberA < numberB;
}

// "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0" -> "FTDI FT232R USB UART A50285BI".
std::string AdapterNameFromId(std::string name) {
    if (name.rfind("usb-", 0) == 0) {
        name.erase(0, 4);
    } else if (name.rfind("pci-", 0) == 0) {
        name.erase(0, 4);
    }
    for (const std::string_view tail : {"-port", "-if"}) {
        const auto at = name.rfind(tail);
        if (at != std::string::npos && at > 0) {
            name.erase(at);
        }
    }
    std::replace(name.begin(), name.end(), '_', ' ');
    return name;
}

// The USB product name of a tty from sysfs (ttyUSB: two levels above the tty's device, ttyACM:
// one level), with its maker when known.
std::string UsbProductName(const fs::path& sysRoot, const std::string& tty) {
    const fs::path device = sysRoot / "class" / "tty" / tty / "device";
    for (const fs::path& usb : {device / ".." / "..", device / ".."}) {
        const std::string product = ReadFirstLine(usb / "product");
        if (!product.empty()) {
            const std::string maker = ReadFirstLine(usb / "manufacturer");
            return maker.empty() || product.rfind(maker, 0) == 0 ? product : maker + " " + product;
        }
    }
    return {};
}

// A ttyS node exists for every possible UART; only those whose port type is known have one.
bool HasUart(const fs::path& sysRoot, const std::string& tty) {
    const std::string type = ReadFirstLine(sysRoot / "class" / "tty" / tty / "type");
    return !type.empty() && type != "0";
}

}  // namespace

std::vector<SerialDeviceInfo> DiscoverSerialDevices(const std::string& devRoot,
                                                    const std::string& sysRoot) {
    std::vector<SerialDeviceInfo> found;
    std::error_code ec;

    std::vector<std::string> ids;
    const fs::path byId = fs::path(devRoot) / "serial" / "by-id";
    for (fs::directory_iterator it(byId, ec), end; !ec && it != end; it.increment(ec)) {
        ids.push_back(it->path().filename().string());
    }
    std::sort(ids.begin(), ids.end(), NaturalLess);
    for (const std::string& id : ids) {
        std::string description = AdapterNameFromId(id);
        std::error_code linkError;
        const fs::path now = fs::read_symlink(byId / id, linkError);
        if (!linkError) {
            description += ", now " + now.filename().string();
        }
        found.push_back({(byId / id).string(), description});
    }

    for (const std::string_view family : kFamilies) {
        std::vector<std::string> names;
        for (fs::directory_iterator it(fs::path(devRoot), ec), end; !ec && it != end;
             it.increment(ec)) {
            const std::string name = it->path().filename().string();
            if (name.size() <= family.size() || name.rfind(family, 0) != 0 ||
                std::isdigit(static_cast<unsigned char>(name[family.size()])) == 0) {
                continue;
            }
            if (family == "ttyS" && !HasUart(sysRoot, name)) {
                continue;
            }
            names.push_back(name);
        }
        ec.clear();
        std::sort(names.begin(), names.end(), NaturalLess);
        for (const std::string& name : names) {
            std::string description =
                family == "ttyS" ? "serial port" : UsbProductName(sysRoot, name);
            if (description.empty()) {
                description = family == "ttyACM" ? "USB modem-class device" : "USB serial adapter";
            }
            found.push_back({(fs::path(devRoot) / name).string(), description});
        }
    }
    return found;
}

}  // namespace tra1::serial

#include "platform/serial/mapped_serial_port.h"

#include "platform/serial/port_target.h"

namespace tra1::serial {

OpenResult MappedSerialPort::Open(int port) {
    Close();
    active_ = nullptr;
    error_ = {};
    target_ = map_.Target(port);
    if (target_.empty()) {
        error_ = OpenError{OpenError::Kind::kNotMapped, {}, {}};
        return OpenResult::kNotMapped;
    }
    const auto target = ParsePortTarget(target_);
    if (!target) {
        error_ = OpenError{OpenError::Kind::kBadTarget, target_, {}};
        return OpenResult::kRefused;
    }
    OpenResult result = OpenResult::kRefused;
    if (target->IsNetwork()) {
        active_ = &network_;
        result = network_.Connect(*target, port);
    } else {
        active_ = &device_;
        result = device_.OpenDevice(target->path, port);
    }
    error_ = active_->LastOpenError();
    return result;
}

}  // namespace tra1::serial

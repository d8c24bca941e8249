#include "link/receiver_value.h"

#include <array>

#include "model/model_profile.h"

namespace tra1 {

int ReceiverValue(int table, int code) {
    switch (table) {
        case receiver_table::kInputMode:
            return code / 2;
        case receiver_table::kProgram:
            return ModelProfile::ProgramIndex(code);
        case receiver_table::kExEs: {
            // The receiver numbers EX/ES ON and EX ON the other way round and reports EX/ES ON
            // under two codes.
            static constexpr std::array<int, 7> kExEsValues{0, 2, 1, 1, 3, 4, 5};
            if (code >= 0 && code < static_cast<int>(kExEsValues.size())) {
                return kExEsValues[static_cast<std::size_t>(code)];
            }
            return code;
        }
        default:
            return code;
    }
}

}  // namespace tra1

#include "link/report_answers.h"

#include "model/report_codes.h"

namespace tra1 {

bool ReportAnswers(int reportCode, int commandNumber) {
    if (reportCode < 0) {
        return false;
    }
    const ReportCodes codes = ReportCodesOf(commandNumber);
    return reportCode == codes.code || reportCode == codes.alternative;
}

}  // namespace tra1

// Every line the driver and the report print goes through ReportPrint: it is
// appended to Report.txt in the current directory, then written to standard
// output. When Report.txt cannot be opened the text goes nowhere.
#pragma once

namespace Tarnwick {

void ReportPrint(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace Tarnwick

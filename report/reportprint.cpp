#include "report/reportprint.h"

#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

namespace Tarnwick {

void ReportPrint(const char* format, ...) {
    FILE* file = std::fopen("Report.txt", "a");
    if (file == nullptr) return;
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    char small[1024];
    const int needed = std::vsnprintf(small, sizeof small, format, copy);
    va_end(copy);
    std::string text;
    if (needed >= 0 && static_cast<size_t>(needed) < sizeof small) {
        text.assign(small, static_cast<size_t>(needed));
    } else if (needed >= 0) {
        std::vector<char> large(static_cast<size_t>(needed) + 1);
        std::vsnprintf(large.data(), large.size(), format, args);
        text.assign(large.data(), static_cast<size_t>(needed));
    }
    va_end(args);
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
    std::fwrite(text.data(), 1, text.size(), stdout);
}

}  // namespace Tarnwick

#include "driver/platform.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Tarnwick {

namespace {

using Clock = std::chrono::steady_clock;

bool EndsWith(const std::string& text, const char* suffix) {
    const size_t suffixLength = std::strlen(suffix);
    return text.size() >= suffixLength &&
           text.compare(text.size() - suffixLength, suffixLength, suffix) == 0;
}

std::string FormatLocalTime(const char* format) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local) == nullptr) return std::string();
    char text[32];
    const size_t length = std::strftime(text, sizeof text, format, &local);
    return std::string(text, length);
}

}  // namespace

PerformanceTimer::PerformanceTimer() : frequency_(CounterFrequency()) {}

int64_t PerformanceTimer::ReadCounter() {
    return static_cast<int64_t>(Clock::now().time_since_epoch().count());
}

int64_t PerformanceTimer::CounterFrequency() {
    // Clock ticks per second; the steady clock's period is num/den seconds.
    return static_cast<int64_t>(Clock::period::den / Clock::period::num);
}

float PerformanceTimer::ElapsedMicroseconds(int64_t start, int64_t end, int64_t frequency) {
    if (frequency <= 0) return 0.0f;
    const int64_t ticks = end - start;
    // ticks * 1,000,000 / frequency, truncated, computed as whole seconds plus
    // the remainder so that long runs (hours of nanosecond ticks) cannot
    // overflow the 64-bit product. The result equals the plain formula.
    const int64_t wholeSeconds = ticks / frequency;
    const int64_t remainder = ticks % frequency;
    const int64_t microseconds = wholeSeconds * 1000000 + remainder * 1000000 / frequency;
    return static_cast<float>(static_cast<double>(microseconds));
}

bool IsCaptureFileName(const std::string& name) {
    if (name.empty() || name[0] == '.') return false;  // ".", "..", hidden entries
    return EndsWith(name, ".pcap");
}

std::vector<std::string> FindCaptureFiles(const std::string& directory) {
    std::vector<std::string> names;
    std::error_code error;
    std::filesystem::directory_iterator entries(directory, error);
    if (error) return names;
    for (const std::filesystem::directory_entry& entry : entries) {
        std::string name = entry.path().filename().string();
        if (IsCaptureFileName(name)) names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end());  // std::string compares byte-wise
    return names;
}

void RemoveOldOutputs() {
    std::error_code error;
    std::filesystem::directory_iterator entries(".", error);
    if (!error) {
        std::vector<std::filesystem::path> oldXmlFiles;
        for (const std::filesystem::directory_entry& entry : entries) {
            std::error_code statusError;
            if (!entry.is_regular_file(statusError)) continue;
            if (EndsWith(entry.path().filename().string(), ".xml")) oldXmlFiles.push_back(entry.path());
        }
        // Removed after the walk: deleting while iterating is unspecified.
        for (const std::filesystem::path& path : oldXmlFiles) std::filesystem::remove(path, error);
    }
    std::filesystem::remove("logTiming.csv", error);
    std::filesystem::remove("Report.txt", error);
}

std::string LocalDateText() { return FormatLocalTime("%m/%d/%y"); }

std::string LocalTimeText() { return FormatLocalTime("%H:%M:%S"); }

const char* BuildDateText() { return __DATE__; }

const char* BuildTimeText() { return __TIME__; }

pcap_t* OpenCaptureFile(const std::string& fileName, char* errorText) {
    errorText[0] = '\0';
    // O_NONBLOCK keeps a named pipe from blocking the open; such files are
    // refused right after.
    const int descriptor = ::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        std::snprintf(errorText, PCAP_ERRBUF_SIZE, "%s: %s", fileName.c_str(), std::strerror(errno));
        return nullptr;
    }
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !(S_ISREG(status.st_mode) || S_ISDIR(status.st_mode))) {
        std::snprintf(errorText, PCAP_ERRBUF_SIZE, "%s: not a regular file", fileName.c_str());
        ::close(descriptor);
        return nullptr;
    }
    const int flags = ::fcntl(descriptor, F_GETFL);
    if (flags >= 0) ::fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK);
    FILE* file = ::fdopen(descriptor, "rb");
    if (file == nullptr) {
        std::snprintf(errorText, PCAP_ERRBUF_SIZE, "%s: %s", fileName.c_str(), std::strerror(errno));
        ::close(descriptor);
        return nullptr;
    }
    // The capture library reads the file header and recognises the format;
    // on success it owns the stream and pcap_close closes it.
    pcap_t* capture = pcap_fopen_offline(file, errorText);
    if (capture == nullptr) std::fclose(file);
    return capture;
}

}  // namespace Tarnwick

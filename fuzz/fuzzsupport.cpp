#include "fuzzsupport.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <unistd.h>

#include "core/stackerrorlog.h"

namespace TarnwickFuzz {

namespace {

class DroppingSink final : public ZalvoBACnetStack::StackErrorSink {
public:
    void Write(const std::string& line) override { lines_ += line.empty() ? 0 : 1; }

private:
    size_t lines_ = 0;
};

void RemoveScratch() {
    std::error_code error;
    std::filesystem::remove_all(ScratchDirectory::Instance().Path(), error);
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

void CheckFailed(const char* condition, const char* message, const char* file, int line) {
    std::fprintf(stderr, "\nFUZZ CHECK FAILED: %s\n  %s\n  at %s:%d\n", message, condition, file, line);
    std::fflush(stderr);
    std::abort();
}

void SilenceStackErrorLog() {
    // Replaying a finding with TARNWICK_FUZZ_VERBOSE set shows the lines.
    if (std::getenv("TARNWICK_FUZZ_VERBOSE") != nullptr) return;
    static DroppingSink sink;
    ZalvoBACnetStack::SetStackErrorSink(&sink);
}

ScratchDirectory& ScratchDirectory::Instance() {
    // Never destroyed: the exit handler that removes the directory still
    // needs its path.
    static ScratchDirectory* const directory = new ScratchDirectory();
    return *directory;
}

ScratchDirectory::ScratchDirectory() {
    const char* base = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : nullptr;
    if (base == nullptr) base = std::getenv("TMPDIR");
    if (base == nullptr || *base == '\0') base = "/tmp";
    std::string pattern = std::string(base) + "/tarnwick-fuzz-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::fprintf(stderr, "cannot create a scratch directory under %s\n", base);
        std::abort();
    }
    path_ = pattern;
    const std::string report = path_ + "/Report.txt";
    if (::symlink("/dev/null", report.c_str()) != 0) {
        std::fprintf(stderr, "cannot link %s to /dev/null\n", report.c_str());
        std::abort();
    }
    std::atexit(RemoveScratch);
}

void ScratchDirectory::Enter() {
    previousDirectory_ = ::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (previousDirectory_ < 0 || ::chdir(path_.c_str()) != 0) {
        std::fprintf(stderr, "cannot enter %s\n", path_.c_str());
        std::abort();
    }
}

void ScratchDirectory::Leave() {
    if (previousDirectory_ < 0) return;
    if (::fchdir(previousDirectory_) != 0) {
        std::fprintf(stderr, "cannot return from %s\n", path_.c_str());
        std::abort();
    }
    ::close(previousDirectory_);
    previousDirectory_ = -1;
}

size_t ScratchDirectory::RemoveOutputs(const char* suffix) {
    size_t matching = 0;
    const size_t suffixLength = std::strlen(suffix);
    std::error_code error;
    std::vector<std::filesystem::path> doomed;
    for (const auto& entry : std::filesystem::directory_iterator(path_, error)) {
        const std::string name = entry.path().filename().string();
        if (name == "Report.txt") continue;
        if (name.size() >= suffixLength && name.compare(name.size() - suffixLength, suffixLength, suffix) == 0) {
            ++matching;
        }
        doomed.push_back(entry.path());
    }
    for (const auto& path : doomed) std::filesystem::remove(path, error);
    return matching;
}

bool ParseHex(const std::string& text, std::vector<uint8_t>& octets) {
    octets.clear();
    int high = -1;
    for (const char c : text) {
        if (c == ' ' || c == '\t') continue;
        const int nibble = HexValue(c);
        if (nibble < 0) return false;
        if (high < 0) {
            high = nibble;
        } else {
            octets.push_back(static_cast<uint8_t>(high << 4 | nibble));
            high = -1;
        }
    }
    return high < 0;
}

}  // namespace TarnwickFuzz

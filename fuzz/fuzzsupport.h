// Helpers shared by the fuzz targets and the seed writer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A broken promise of the code under test: printed to stderr, then abort(),
// which libFuzzer reports as a crash and saves the input for.
#define FUZZ_CHECK(condition, message)                                              \
    do {                                                                            \
        if (!(condition)) ::TarnwickFuzz::CheckFailed(#condition, message, __FILE__, __LINE__); \
    } while (0)

namespace TarnwickFuzz {

[[noreturn]] void CheckFailed(const char* condition, const char* message, const char* file, int line);

// Swaps the stack's error log for a sink that formats every line and drops
// it: the messages stay exercised without flooding the fuzzer's output.
// With TARNWICK_FUZZ_VERBOSE set in the environment the lines are printed.
void SilenceStackErrorLog();

// The size of the driver's XML buffer, and the longest UDP payload.
inline constexpr uint32_t kXmlBufferSize = 102400;
inline constexpr size_t kMaxPayload = 65535;

// A private scratch directory (on /dev/shm when there is one) that the
// driver and the report may write into: Report.txt in it is a link to
// /dev/null, so every printed line is formatted and written but nothing
// piles up. The directory is removed at exit.
class ScratchDirectory {
public:
    static ScratchDirectory& Instance();

    const std::string& Path() const { return path_; }

    // Makes the scratch directory the current one until the matching Leave;
    // libFuzzer's own relative paths keep working between the runs.
    void Enter();
    void Leave();

    // Removes every entry of the directory except Report.txt; returns how
    // many names ended in `suffix`.
    size_t RemoveOutputs(const char* suffix);

private:
    ScratchDirectory();
    std::string path_;
    int previousDirectory_ = -1;
};

// "81 0B 00 0C" -> octets; spaces are ignored. False on anything else.
bool ParseHex(const std::string& text, std::vector<uint8_t>& octets);

}  // namespace TarnwickFuzz

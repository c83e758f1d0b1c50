// The few services the capture run needs from the operating system, kept in
// one place so the rest of the driver is plain portable C++: a
// high-resolution counter for timings, the search for capture files, the
// removal of an earlier run's outputs, the local date and time texts of the
// start line, the build date of the program, and opening a capture file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <pcap/pcap.h>

namespace Tarnwick {

// Times one stretch of the run with the monotonic high-resolution counter.
// Creating one reads the counter frequency (counts per second); Start and
// Stop read the counter.
class PerformanceTimer {
public:
    PerformanceTimer();

    void Start() { start_ = ReadCounter(); }
    void Stop() { end_ = ReadCounter(); }

    // (end - start) * 1,000,000 / frequency in signed 64-bit integer
    // arithmetic (the division truncates), then double, then float.
    float ElapsedMicroseconds() const { return ElapsedMicroseconds(start_, end_, frequency_); }

    static float ElapsedMicroseconds(int64_t start, int64_t end, int64_t frequency);
    static int64_t ReadCounter();
    static int64_t CounterFrequency();

private:
    int64_t start_ = 0;
    int64_t end_ = 0;
    int64_t frequency_;
};

// The names of the capture files of `directory`: entries whose name ends in
// ".pcap" (case-sensitive), without "." and ".." and without hidden entries
// (names beginning with '.'). Directories are listed like files; opening one
// fails later with a clear message. Sorted byte-wise so that every run reads
// the captures in the same order. A directory that cannot be read gives an
// empty list.
std::vector<std::string> FindCaptureFiles(const std::string& directory = ".");

// True when `name` is a capture name that FindCaptureFiles lists.
bool IsCaptureFileName(const std::string& name);

// Deletes the outputs of an earlier run from the current directory: every
// regular file whose name ends in ".xml", then logTiming.csv, then
// Report.txt. Failures are ignored, as the shell's del would.
void RemoveOldOutputs();

// The local date as MM/DD/YY and the local time as HH:MM:SS.
std::string LocalDateText();
std::string LocalTimeText();

// When the program was built: "Mmm dd yyyy" and "hh:mm:ss".
const char* BuildDateText();
const char* BuildTimeText();

// Opens a capture file (classic pcap in either byte order, or pcapng) for
// reading. On failure returns null with the reason in errorText, which must
// hold PCAP_ERRBUF_SIZE characters. Only regular files and directories are
// handed to the capture library, so a named pipe or a device can never block
// the run.
pcap_t* OpenCaptureFile(const std::string& fileName, char* errorText);

}  // namespace Tarnwick

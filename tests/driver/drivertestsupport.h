// Shared helpers of the driver tests: temporary directories, file access,
// running the built tarnwick program, and reading classic pcap files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace TarnwickTest {

namespace fs = std::filesystem;

// A fresh directory under the system's temporary directory, removed with
// everything in it when the object goes away.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

// Makes `directory` the current directory for the life of the object.
class ScopedCurrentDirectory {
public:
    explicit ScopedCurrentDirectory(const fs::path& directory);
    ~ScopedCurrentDirectory();
    ScopedCurrentDirectory(const ScopedCurrentDirectory&) = delete;
    ScopedCurrentDirectory& operator=(const ScopedCurrentDirectory&) = delete;

private:
    fs::path previous_;
};

std::string ReadFile(const fs::path& path);
std::vector<uint8_t> ReadBytes(const fs::path& path);
void WriteBytes(const fs::path& path, const std::vector<uint8_t>& bytes);
void WriteText(const fs::path& path, const std::string& text);
std::vector<std::string> SplitLines(const std::string& text);  // without the "\n"s
bool Contains(const std::vector<std::string>& lines, const std::string& line);
// True when `text` has the shape of `pattern`, character by character: 'D'
// is a digit, 'U' an upper-case and 'L' a lower-case letter, '_' a digit or
// a blank; every other character stands for itself.
bool HasShape(const std::string& text, const std::string& pattern);
// The names (not paths) of the directory's entries that end in `suffix`, sorted.
std::vector<std::string> NamesEndingWith(const fs::path& directory, const std::string& suffix);

fs::path SamplesDir();  // the committed samples/ of the source tree
// Copies samples/<relative> into `directory` under its own file name.
void CopySample(const std::string& relative, const fs::path& directory);

struct RunResult {
    int exitCode = -1;
    std::string console;   // standard output and standard error
    std::string report;    // Report.txt after the run ("" when absent)
};
// Runs tarnwick with the arguments (each passed as one word) in `directory`.
RunResult RunTarnwick(const fs::path& directory, const std::vector<std::string>& arguments = {});

// The session lines: every "FYI: <name>: <count> " line after
// "FYI: Global session stats:", as (name, count) in printed order.
std::vector<std::pair<std::string, int>> SessionCounters(const std::string& output);
// The counter lines of the capture printed right after
// "FYI: Processing Wirehark packet. File=[<capture>]".
std::vector<std::pair<std::string, int>> CaptureCounters(const std::string& output, const std::string& capture);
int CounterValue(const std::vector<std::pair<std::string, int>>& counters, const std::string& name);

// Classic pcap reading for checks and for building larger test captures.
struct PcapRecord {
    std::vector<uint8_t> header;  // the 16 record header octets
    std::vector<uint8_t> frame;
};
struct PcapFile {
    std::vector<uint8_t> fileHeader;  // 24 octets
    std::vector<PcapRecord> records;
};
// Reads a little-endian classic pcap; fails the calling test on anything else.
PcapFile ReadPcap(const fs::path& path);
std::vector<uint8_t> WritePcap(const PcapFile& file);

// The XML header comment every decoded document starts with.
inline const std::string kXmlHeader = "<!-- Zalvo BACnet Stack v3.3.2.0 -->";

}  // namespace TarnwickTest

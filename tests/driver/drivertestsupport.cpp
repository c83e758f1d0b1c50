#include "driver/drivertestsupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include <sys/wait.h>

namespace TarnwickTest {

TempDir::TempDir() {
    std::string pattern = (fs::temp_directory_path() / "tarnwick-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        ADD_FAILURE() << "mkdtemp failed for " << pattern;
    }
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code error;
    fs::remove_all(path_, error);
}

ScopedCurrentDirectory::ScopedCurrentDirectory(const fs::path& directory) : previous_(fs::current_path()) {
    fs::current_path(directory);
}

ScopedCurrentDirectory::~ScopedCurrentDirectory() {
    std::error_code error;
    fs::current_path(previous_, error);
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<uint8_t> ReadBytes(const fs::path& path) {
    const std::string text = ReadFile(path);
    return std::vector<uint8_t>(text.begin(), text.end());
}

void WriteBytes(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

void WriteText(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    ASSERT_TRUE(out.good()) << path;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

bool Contains(const std::vector<std::string>& lines, const std::string& line) {
    for (const std::string& candidate : lines) {
        if (candidate == line) return true;
    }
    return false;
}

bool HasShape(const std::string& text, const std::string& pattern) {
    if (text.size() != pattern.size()) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        bool matches;
        switch (pattern[i]) {
            case 'D': matches = std::isdigit(c) != 0; break;
            case 'U': matches = std::isupper(c) != 0; break;
            case 'L': matches = std::islower(c) != 0; break;
            case '_': matches = std::isdigit(c) != 0 || c == ' '; break;
            default: matches = text[i] == pattern[i]; break;
        }
        if (!matches) return false;
    }
    return true;
}

std::vector<std::string> NamesEndingWith(const fs::path& directory, const std::string& suffix) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(directory)) {
        const std::string name = entry.path().filename().string();
        if (name.size() >= suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0) {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

fs::path SamplesDir() { return fs::path(TARNWICK_SOURCE_DIR) / "samples"; }

void CopySample(const std::string& relative, const fs::path& directory) {
    const fs::path source = SamplesDir() / relative;
    fs::copy_file(source, directory / source.filename(), fs::copy_options::overwrite_existing);
}

namespace {

std::string ShellQuote(const std::string& word) {
    std::string quoted = "'";
    for (const char c : word) {
        if (c == '\'') quoted += "'\\''";
        else quoted += c;
    }
    return quoted + "'";
}

}  // namespace

RunResult RunTarnwick(const fs::path& directory, const std::vector<std::string>& arguments) {
    const fs::path consoleFile = directory.parent_path() / (directory.filename().string() + ".console");
    std::string command = "cd " + ShellQuote(directory.string()) + " && " + ShellQuote(TARNWICK_EXE);
    for (const std::string& argument : arguments) command += " " + ShellQuote(argument);
    command += " > " + ShellQuote(consoleFile.string()) + " 2>&1 < /dev/null";

    RunResult result;
    const int status = std::system(command.c_str());
    if (status != -1 && WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
    result.console = ReadFile(consoleFile);
    std::error_code error;
    fs::remove(consoleFile, error);
    if (fs::exists(directory / "Report.txt")) result.report = ReadFile(directory / "Report.txt");
    return result;
}

namespace {

std::vector<std::pair<std::string, int>> CountersAfter(const std::vector<std::string>& lines, size_t index) {
    std::vector<std::pair<std::string, int>> counters;
    // Skip to the "Done" line, then read "FYI: name: count " lines.
    while (index < lines.size() && lines[index].rfind("FYI: Done. Total time: ", 0) != 0) ++index;
    for (++index; index < lines.size(); ++index) {
        const std::string& line = lines[index];
        if (line.rfind("FYI: ", 0) != 0 || line.size() < 2 || line.back() != ' ') break;
        const size_t colon = line.rfind(": ");
        if (colon == std::string::npos || colon < 5) break;
        const std::string name = line.substr(5, colon - 5);
        if (name.find(' ') != std::string::npos) break;
        counters.emplace_back(name, std::atoi(line.c_str() + colon + 2));
    }
    return counters;
}

}  // namespace

std::vector<std::pair<std::string, int>> SessionCounters(const std::string& output) {
    const std::vector<std::string> lines = SplitLines(output);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == "FYI: Global session stats:") return CountersAfter(lines, i);
    }
    return {};
}

std::vector<std::pair<std::string, int>> CaptureCounters(const std::string& output, const std::string& capture) {
    const std::vector<std::string> lines = SplitLines(output);
    const std::string start = "FYI: Processing Wirehark packet. File=[" + capture + "]";
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == start) return CountersAfter(lines, i);
    }
    return {};
}

int CounterValue(const std::vector<std::pair<std::string, int>>& counters, const std::string& name) {
    for (const auto& [counterName, value] : counters) {
        if (counterName == name) return value;
    }
    ADD_FAILURE() << "no counter " << name;
    return -1;
}

namespace {

uint32_t Little32(const std::vector<uint8_t>& bytes, size_t offset) {
    return static_cast<uint32_t>(bytes[offset]) | static_cast<uint32_t>(bytes[offset + 1]) << 8 |
           static_cast<uint32_t>(bytes[offset + 2]) << 16 | static_cast<uint32_t>(bytes[offset + 3]) << 24;
}

}  // namespace

PcapFile ReadPcap(const fs::path& path) {
    const std::vector<uint8_t> bytes = ReadBytes(path);
    PcapFile file;
    if (bytes.size() < 24 || Little32(bytes, 0) != 0xA1B2C3D4) {
        ADD_FAILURE() << path << " is not a little-endian pcap";
        return file;
    }
    file.fileHeader.assign(bytes.begin(), bytes.begin() + 24);
    size_t offset = 24;
    while (offset < bytes.size()) {
        if (bytes.size() - offset < 16) {
            ADD_FAILURE() << path << ": truncated record header at " << offset;
            return file;
        }
        const uint32_t capturedLength = Little32(bytes, offset + 8);
        if (bytes.size() - offset - 16 < capturedLength) {
            ADD_FAILURE() << path << ": truncated record at " << offset;
            return file;
        }
        PcapRecord record;
        record.header.assign(bytes.begin() + static_cast<long>(offset), bytes.begin() + static_cast<long>(offset + 16));
        record.frame.assign(bytes.begin() + static_cast<long>(offset + 16),
                            bytes.begin() + static_cast<long>(offset + 16 + capturedLength));
        file.records.push_back(std::move(record));
        offset += 16 + capturedLength;
    }
    return file;
}

std::vector<uint8_t> WritePcap(const PcapFile& file) {
    std::vector<uint8_t> bytes = file.fileHeader;
    for (const PcapRecord& record : file.records) {
        bytes.insert(bytes.end(), record.header.begin(), record.header.end());
        bytes.insert(bytes.end(), record.frame.begin(), record.frame.end());
    }
    return bytes;
}

}  // namespace TarnwickTest

// capturebench: the capture-scale benchmark.
//
//   capturebench <work directory> [--sizes 50000,200000] [--repeat 3]
//
// For every size it writes a mixed capture of that many packets with
// benchcapture, then runs, each in a clean folder of the work directory with
// its console output sent to /dev/null:
//   (a) pcaploop   a bare libpcap read loop over the capture;
//   (b) benchrun   tarnwick's own run without the per-packet XML files:
//                  decode, render, analysis, timing, counters and report;
//   (c) tarnwick   the full run, one XML file per packet.
// It also measures how fast this machine creates small files, the same way
// tarnwick writes its XML files (fopen, fwrite, fclose, in the current
// folder), as many as the capture has packets, of the average size of the
// XML files that (c) wrote. File creation depends on the state of the file
// system (what the previous run left to clean up, the page cache), so each
// measurement runs right before a run of (c), round after round.
//
// Each run is repeated and the best wall time and the best CPU time are
// kept (the machine may be shared); peak memory is the child's largest
// resident set as the kernel reports it. The table ends with the targets:
// (b) at least 200,000 packets/s of CPU time on one core; (c) at least 80% of
// the small-file rate; (c) under 16 MiB at every size, growing by at most
// 1 MiB from the smallest to the largest capture.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/utsname.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr double kTargetDecodeRate = 200000.0;
constexpr double kTargetFileRateShare = 0.80;
constexpr double kTargetPeakMiB = 16.0;
constexpr double kFlatGrowthMiB = 1.0;

[[noreturn]] void Fail(const std::string& message) {
    std::fprintf(stderr, "capturebench: %s\n", message.c_str());
    std::exit(1);
}

double Now() {
    timespec time{};
    clock_gettime(CLOCK_MONOTONIC, &time);
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_nsec) / 1e9;
}

double Seconds(const timeval& time) {
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

struct Measurement {
    double wall = 0;       // seconds
    double cpu = 0;        // user + system seconds
    double peakMiB = 0;    // largest resident set
};

// Runs `arguments` in `directory` with standard output and error to
// /dev/null; fails the benchmark when the program does not exit with 0.
Measurement RunProgram(const std::vector<std::string>& arguments, const fs::path& directory) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    const double start = Now();
    const pid_t child = fork();
    if (child < 0) Fail(std::string("fork: ") + std::strerror(errno));
    if (child == 0) {
        const int devNull = open("/dev/null", O_WRONLY);
        if (devNull < 0 || chdir(directory.c_str()) != 0) _exit(126);
        dup2(devNull, STDOUT_FILENO);
        dup2(devNull, STDERR_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child) Fail(std::string("wait4: ") + std::strerror(errno));
    Measurement result;
    result.wall = Now() - start;
    result.cpu = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
    result.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;  // KiB on Linux
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        Fail(arguments[0] + " failed in " + directory.string() + " (status " + std::to_string(status) + ")");
    }
    return result;
}

void Best(Measurement& best, const Measurement& run, bool first) {
    if (first) {
        best = run;
        return;
    }
    best.wall = std::min(best.wall, run.wall);
    best.cpu = std::min(best.cpu, run.cpu);
    best.peakMiB = std::max(best.peakMiB, run.peakMiB);
}

void EmptyDirectory(const fs::path& directory) {
    std::error_code error;
    fs::remove_all(directory, error);
    fs::create_directories(directory, error);
    if (error) Fail(directory.string() + ": " + error.message());
}

// The capture in the stage's folder, so that the XML files land there too.
void PlaceCapture(const fs::path& capture, const fs::path& directory) {
    const fs::path target = directory / "mixed.pcap";
    std::error_code error;
    fs::create_hard_link(capture, target, error);
    if (error) fs::copy_file(capture, target, error);
    if (error) Fail(target.string() + ": " + error.message());
}

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The session's value of a counter from Report.txt, or -1.
long SessionCounter(const fs::path& report, const std::string& name) {
    const std::string text = ReadText(report);
    const std::string key = "FYI: " + name + ": ";
    const size_t at = text.rfind(key);
    if (at == std::string::npos) return -1;
    return std::strtol(text.c_str() + at + key.size(), nullptr, 10);
}

struct XmlFiles {
    size_t count = 0;
    uintmax_t bytes = 0;
};

XmlFiles CountXmlFiles(const fs::path& directory) {
    XmlFiles files;
    for (const fs::directory_entry& entry : fs::directory_iterator(directory)) {
        if (entry.path().extension() == ".xml") {
            ++files.count;
            files.bytes += entry.file_size();
        }
    }
    return files;
}

// Creates `count` files of `size` octets in the current directory, named
// and written as tarnwick writes its XML files. Run as a child of its own
// (capturebench --create-files), so it is measured like the other stages.
int CreateSmallFiles(size_t count, size_t size) {
    const std::string text(size, 'x');
    for (size_t i = 1; i <= count; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "mixed.pcap__packet_%03zu.xml", i);
        FILE* file = std::fopen(name, "w");
        if (file == nullptr) Fail(std::string(name) + ": " + std::strerror(errno));
        const size_t written = std::fwrite(text.data(), 1, text.size(), file);
        if (std::fclose(file) != 0 || written != text.size()) Fail(std::string(name) + ": write failed");
    }
    return 0;
}

std::string Grouped(double value) {
    std::string digits = std::to_string(static_cast<long long>(value + 0.5));
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(static_cast<size_t>(at), ",");
    return digits;
}

std::string FirstLineWith(const fs::path& path, const std::string& prefix) {
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(prefix, 0) == 0) {
            const size_t colon = line.find(':');
            std::string value = colon == std::string::npos ? line : line.substr(colon + 1);
            value.erase(0, value.find_first_not_of(" \t"));
            return value;
        }
    }
    return "unknown";
}

std::string LoadAverage() {
    std::string text = ReadText("/proc/loadavg");
    std::istringstream in(text);
    std::string one, five, fifteen;
    in >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

std::string MachineLine() {
    utsname names{};
    uname(&names);
    const std::string memory = FirstLineWith("/proc/meminfo", "MemTotal");
    const double memoryGiB = std::strtod(memory.c_str(), nullptr) / 1024.0 / 1024.0;
    char line[512];
    std::snprintf(line, sizeof line, "%s, %ld cores, %.0f GiB, Linux %s", FirstLineWith("/proc/cpuinfo", "model name").c_str(),
                  sysconf(_SC_NPROCESSORS_ONLN), memoryGiB, names.release);
    return line;
}

struct StageResult {
    std::string stage;
    size_t packets = 0;
    Measurement best;
    long decodeErrors = -1;
};

void PrintRow(const StageResult& row) {
    const std::string errors = row.decodeErrors < 0 ? "-" : Grouped(static_cast<double>(row.decodeErrors));
    std::printf("%-34s %9s %8.3f %8.3f %12s %12s %9.1f %9s\n", row.stage.c_str(),
                Grouped(static_cast<double>(row.packets)).c_str(), row.best.wall, row.best.cpu,
                Grouped(static_cast<double>(row.packets) / row.best.wall).c_str(),
                Grouped(static_cast<double>(row.packets) / row.best.cpu).c_str(), row.best.peakMiB, errors.c_str());
}

std::vector<size_t> ParseSizes(const std::string& text) {
    std::vector<size_t> sizes;
    std::istringstream in(text);
    std::string item;
    while (std::getline(in, item, ',')) {
        char* end = nullptr;
        const unsigned long value = std::strtoul(item.c_str(), &end, 10);
        if (item.empty() || *end != '\0' || value == 0 || value > 10000000) Fail("bad size: " + item);
        sizes.push_back(value);
    }
    if (sizes.empty()) Fail("no sizes");
    std::sort(sizes.begin(), sizes.end());
    return sizes;
}

const char* Verdict(bool met) { return met ? "met" : "MISSED"; }

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--create-files") {
        return CreateSmallFiles(std::strtoul(argv[2], nullptr, 10), std::strtoul(argv[3], nullptr, 10));
    }
    if (argc < 2) {
        std::fprintf(stderr, "usage: capturebench <work directory> [--sizes 50000,200000] [--repeat 3]\n");
        return 2;
    }
    const fs::path work = fs::absolute(argv[1]);
    std::vector<size_t> sizes = {50000, 200000};
    int repeat = 3;
    for (int i = 2; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--sizes" && i + 1 < argc) {
            sizes = ParseSizes(argv[++i]);
        } else if (option == "--repeat" && i + 1 < argc) {
            repeat = std::atoi(argv[++i]);
            if (repeat < 1 || repeat > 100) Fail("--repeat takes 1 to 100");
        } else {
            Fail("unknown option " + option);
        }
    }

    const std::string loadBefore = LoadAverage();
    const std::string self = fs::read_symlink("/proc/self/exe").string();
    const fs::path folder = work / "run";
    std::vector<StageResult> rows;
    std::vector<double> tarnwickPeaks;
    for (const size_t packets : sizes) {
        EmptyDirectory(work / "captures");
        const fs::path capture = work / "captures" / ("mixed-" + std::to_string(packets) + ".pcap");
        RunProgram({BENCHCAPTURE_EXE, capture.string(), std::to_string(packets)}, work);
        const std::string count = std::to_string(packets);

        // Runs `arguments` in a clean run folder, with the capture placed
        // there when the program reads it from the current directory.
        // The removal of the previous run's files is written out first, so
        // that no run pays for the clean-up of another.
        auto runInFolder = [&](std::vector<std::string> arguments, bool placeCapture) {
            EmptyDirectory(folder);
            if (placeCapture) PlaceCapture(capture, folder);
            sync();
            return RunProgram(arguments, folder);
        };
        // The counters a run printed into its Report.txt; the run must have
        // read every packet.
        auto decodeErrors = [&](const char* label) {
            const long counted = SessionCounter(folder / "Report.txt", "packet.count");
            if (counted != static_cast<long>(packets)) {
                Fail(std::string(label) + " counted " + std::to_string(counted) + " packets, not " + count);
            }
            return SessionCounter(folder / "Report.txt", "packet.decode.error.count");
        };

        StageResult loop{"(a) libpcap read loop", packets, {}, -1};
        for (int run = 0; run < repeat; ++run) {
            Best(loop.best, runInFolder({PCAPLOOP_EXE, capture.string()}, false), run == 0);
        }
        StageResult decode{"(b) decode+render+analysis", packets, {}, -1};
        for (int run = 0; run < repeat; ++run) {
            Best(decode.best, runInFolder({BENCHRUN_EXE, "mixed.pcap"}, true), run == 0);
        }
        decode.decodeErrors = decodeErrors(decode.stage.c_str());

        // A full run first, not counted, to learn the average size of its
        // XML files; then, in each round, the small-file rate with files of
        // that size and a full run, each after the other's files were
        // removed, so both meet the file system in the same state.
        StageResult full{"(c) tarnwick full run", packets, {}, -1};
        runInFolder({TARNWICK_EXE, "mixed.pcap"}, true);
        full.decodeErrors = decodeErrors(full.stage.c_str());
        const XmlFiles written = CountXmlFiles(folder);
        if (written.count == 0) Fail("tarnwick wrote no XML file");
        const size_t fileSize = static_cast<size_t>(static_cast<double>(written.bytes) /
                                                    static_cast<double>(written.count) + 0.5);
        StageResult files{"small files of " + std::to_string(fileSize) + " B", packets, {}, -1};
        for (int run = 0; run < repeat; ++run) {
            Best(files.best, runInFolder({self, "--create-files", count, std::to_string(fileSize)}, false), run == 0);
            Best(full.best, runInFolder({TARNWICK_EXE, "mixed.pcap"}, true), run == 0);
        }
        tarnwickPeaks.push_back(full.best.peakMiB);
        rows.insert(rows.end(), {loop, decode, full, files});
        EmptyDirectory(folder);
        fs::remove(capture);
    }
    fs::remove_all(folder);
    fs::remove_all(work / "captures");
    const std::string loadAfter = LoadAverage();

    std::printf("Capture-scale benchmark: mixed BACnet/IP captures, best of %d runs\n", repeat);
    std::printf("Machine: %s\n", MachineLine().c_str());
    std::printf("Load average (1, 5, 15 min): %s before, %s after\n\n", loadBefore.c_str(), loadAfter.c_str());
    std::printf("%-34s %9s %8s %8s %12s %12s %9s %9s\n", "stage", "packets", "wall s", "cpu s", "pkt/s wall",
                "pkt/s cpu", "peak MiB", "dec.err");
    for (const StageResult& row : rows) PrintRow(row);

    // Targets, on the largest capture.
    const StageResult& decode = rows[rows.size() - 3];
    const StageResult& full = rows[rows.size() - 2];
    const StageResult& files = rows[rows.size() - 1];
    const double decodeRate = static_cast<double>(decode.packets) / decode.best.cpu;
    // Same packet and file counts: the share is the ratio of the times.
    const double fullShareWall = files.best.wall / full.best.wall;
    const double fullShareCpu = files.best.cpu / full.best.cpu;
    const double peak = *std::max_element(tarnwickPeaks.begin(), tarnwickPeaks.end());
    const double growth = tarnwickPeaks.back() - tarnwickPeaks.front();

    std::printf("\nTargets (largest capture)\n");
    std::printf("  (b) >= 200,000 packets/s of CPU time:          %12s pkt/s  %s\n", Grouped(decodeRate).c_str(),
                Verdict(decodeRate >= kTargetDecodeRate));
    std::printf("  (c) >= 80%% of the small-file rate (wall):       %11.0f%%        %s\n", fullShareWall * 100.0,
                Verdict(fullShareWall >= kTargetFileRateShare));
    std::printf("  (c) >= 80%% of the small-file rate (CPU):        %11.0f%%        %s\n", fullShareCpu * 100.0,
                Verdict(fullShareCpu >= kTargetFileRateShare));
    std::printf("  (c) peak memory < 16 MiB at every size:         %9.1f MiB    %s\n", peak,
                Verdict(peak < kTargetPeakMiB));
    std::printf("  (c) peak memory flat, %s to %s packets: %+8.1f MiB    %s\n",
                Grouped(static_cast<double>(sizes.front())).c_str(), Grouped(static_cast<double>(sizes.back())).c_str(),
                growth, Verdict(sizes.size() > 1 && growth <= kFlatGrowthMiB));
    return 0;
}

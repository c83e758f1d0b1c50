// Test helper: runs in a fresh temporary current directory, so that
// ReportPrint can open Report.txt there, and collects what was printed on
// standard output.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace Tarnwick {

class ScopedReportDirectory {
public:
    ScopedReportDirectory() {
        char pattern[] = "/tmp/tarnwick-report-test-XXXXXX";
        const char* made = mkdtemp(pattern);
        if (made == nullptr) {
            ADD_FAILURE() << "mkdtemp failed";
            return;
        }
        directory_ = made;
        char* previous = getcwd(nullptr, 0);
        if (previous != nullptr) {
            previous_ = previous;
            std::free(previous);
        }
        if (chdir(directory_.c_str()) != 0) ADD_FAILURE() << "chdir failed";
    }
    ~ScopedReportDirectory() {
        if (directory_.empty()) return;
        if (!previous_.empty() && chdir(previous_.c_str()) != 0) ADD_FAILURE() << "chdir back failed";
        std::remove((directory_ + "/Report.txt").c_str());
        rmdir(directory_.c_str());
    }
    ScopedReportDirectory(const ScopedReportDirectory&) = delete;
    ScopedReportDirectory& operator=(const ScopedReportDirectory&) = delete;

    // The whole of Report.txt, empty when it does not exist.
    std::string ReportFileText() const {
        std::ifstream file(directory_ + "/Report.txt", std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }

private:
    std::string directory_;
    std::string previous_;
};

// The packet-size and hop-count statistics of a capture without packets.
inline const std::string kEmptyStats =
    "Packet size stats:\n"
    "     Average packet size: 0 bytes\n"
    "     Largest packet size: 0 bytes (Pkt: 0)\n"
    "     Smallest packet size: 0 bytes (Pkt: 0)\n"
    "\n"
    "     Packets with size 1-60 bytes: 0 (0%)\n"
    "     Packets with size 61-100 bytes: 0 (0%)\n"
    "     Packets with size 101-300 bytes: 0 (0%)\n"
    "     Packets with size 301-1200 bytes: 0 (0%)\n"
    "     Packets with size 1201+ bytes: 0 (0%)\n"
    "\n"
    "Hop count stats:\n"
    "\n"
    "     Packets with hop count 1-49: 0 (0%)\n"
    "     Packets with hop count 50-99: 0 (0%)\n"
    "     Packets with hop count 100-249: 0 (0%)\n"
    "     Packets with hop count 250-255: 0 (0%)\n";

// What `action` printed on standard output.
template <typename Action>
std::string CapturePrinted(Action&& action) {
    testing::internal::CaptureStdout();
    action();
    return testing::internal::GetCapturedStdout();
}

}  // namespace Tarnwick

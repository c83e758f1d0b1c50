// The capture run: the whole control flow of the tarnwick console tool.
//
// A run prints the start-up banner, removes the outputs of an earlier run,
// reads every capture of the current directory (or the one capture, and
// optionally the one packet, named on the command line), and ends with the
// session's totals. Each UDP payload of a capture is decoded to XML through
// the stack's C interface, written to a file of its own and handed to the
// traffic report through a PacketAnalysis. Every line goes through
// ReportPrint, so the console and Report.txt receive the same text.
//
// Captures are untrusted. A frame is never read past its captured length;
// UDP frames too short for their headers, or with a UDP length below 8,
// count as decode errors; a UDP length beyond the captured octets is clipped
// to them. A capture whose reading fails part-way (a truncated record, a
// record longer than the file) prints "Error: Failed reading the capture."
// with the library's reason and is then finished like a capture read to its
// end: its counters, timing file and report are printed and it counts in
// "filesProcessed". A capture that cannot be opened at all (missing, empty,
// not a capture) prints only the open error.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "driver/packetanalysis.h"

namespace Tarnwick {

// Counter name -> count, listed in byte-wise order of the names. Looking up
// an absent name creates it at 0.
using CounterMap = std::map<std::string, int32_t>;

// One capture's packet times in whole microseconds. Packet numbers only
// grow while a capture is read, so appending keeps the table in ascending
// packet order.
struct TimingEntry {
    uint32_t packetNumber;
    int32_t microseconds;
};
using TimingTable = std::vector<TimingEntry>;

// The size handed to the decoder; the buffer has one more byte so that a
// text of exactly this size still gets its terminating NUL.
inline constexpr uint32_t kXmlBufferSize = 102400;

inline constexpr const char* kPacketCount = "packet.count";
inline constexpr const char* kNotUdpSkipCount = "packet.not.udp.skip.count";
inline constexpr const char* kDecodeErrorCount = "packet.decode.error.count";
inline constexpr const char* kWriteErrorCount = "packet.write.error.count";
inline constexpr const char* kFilesProcessed = "filesProcessed";

class CaptureRun {
public:
    explicit CaptureRun(PacketAnalysis& analysis);
    CaptureRun(const CaptureRun&) = delete;
    CaptureRun& operator=(const CaptureRun&) = delete;

    // The program: argv[1] is an optional capture name, argv[2] an optional
    // packet number (atoi). Returns 0.
    int Run(int argc, const char* const* argv);

    // Reads one capture; with specificPacket only packet `packetNumber` is
    // processed. Adds the capture's counters to sessionCounters when the
    // capture could be opened. Returns 0.
    int ProcessCaptureFile(const std::string& captureFileName, bool specificPacket, int32_t packetNumber,
                           CounterMap& sessionCounters);

    // Writes xmlLength characters of xmlText to "<capture>__packet_<nnn>.xml".
    // False (with an "Error: " line) when the file could not be opened or
    // completely written; false without a line for a length of 0.
    static bool WritePacketXmlFile(uint32_t packetNumber, const char* xmlText, const std::string& captureFileName,
                                   uint32_t xmlLength);

    // Rewrites logTiming.csv with the header line and one "%03d, %d" line
    // per entry. The second column holds whole microseconds; the header line
    // "Packet, Time in ms" is kept as it always was, for the tools that read
    // the file.
    static void WriteTimingLog(const TimingTable& timing);

    // Prints one "FYI: <name>: <count> " line per counter, in key order.
    static void PrintCounters(const CounterMap& counters);

    // Whether each decoded packet's XML text is written to its file (the
    // default). The benchmark driver turns it off to time everything else a
    // run does; the packet is analysed and timed either way.
    void SetWriteXmlFiles(bool write) { writeXmlFiles_ = write; }

private:
    PacketAnalysis& analysis_;
    bool writeXmlFiles_ = true;
    // The program-wide XML text buffer: kXmlBufferSize + 1 characters.
    std::unique_ptr<char[]> xmlBuffer_;
};

}  // namespace Tarnwick

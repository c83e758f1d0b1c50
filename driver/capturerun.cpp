#include "driver/capturerun.h"

#include <cstdio>
#include <cstdlib>
#include <limits>

#include <pcap/pcap.h>

#include "bacnetstack.h"
#include "driver/platform.h"
#include "driver/udppayload.h"
#include "report/reportprint.h"

namespace Tarnwick {

namespace {

constexpr int kApplicationVersion[4] = {1, 0, 0, 6};
constexpr const char* kTimingLogName = "logTiming.csv";

// Counts wrap like the unsigned counters they are, never overflowing a
// signed int.
void AddTo(int32_t& counter, int32_t amount) {
    counter = static_cast<int32_t>(static_cast<uint32_t>(counter) + static_cast<uint32_t>(amount));
}

int32_t WholeMicroseconds(float microseconds) {
    // Truncated toward zero; a value beyond the int range (a packet taking
    // more than half an hour) is held at the largest count.
    if (!(microseconds < 2147483520.0f)) return std::numeric_limits<int32_t>::max();
    if (microseconds < 0.0f) return 0;
    return static_cast<int32_t>(microseconds);
}

// logTiming.csv opened for rewriting, or null after the error line.
FILE* OpenTimingLog() {
    FILE* file = std::fopen(kTimingLogName, "w");
    if (file == nullptr) {
        ReportPrint("Error: Could not open file for write. File=[%s]\n", kTimingLogName);
        return nullptr;
    }
    std::fputs("Packet, Time in ms\n", file);
    return file;
}

void WriteTimingLines(FILE* file, const TimingEntry* entries, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        std::fprintf(file, "%03d, %d\n", static_cast<int>(entries[i].packetNumber), entries[i].microseconds);
    }
}

// The timing table of the capture being read. Full chunks of entries go to
// an unnamed temporary file, made when the first chunk fills, so that a
// capture of any length takes the same memory and a short capture makes no
// file at all; when no temporary file can be made, or writing it fails, the
// entries from there on stay in memory.
class TimingSpool {
public:
    TimingSpool() = default;
    ~TimingSpool() {
        if (spool_ != nullptr) std::fclose(spool_);
    }
    TimingSpool(const TimingSpool&) = delete;
    TimingSpool& operator=(const TimingSpool&) = delete;

    void Add(const TimingEntry& entry) {
        chunk_.push_back(entry);
        if (spilling_ && chunk_.size() == kChunkEntries) Spill();
    }

    // Every entry, in the order added, as lines of the open timing log.
    void WriteLines(FILE* file) {
        if (spooledEntries_ > 0 && std::fseek(spool_, 0, SEEK_SET) == 0) {
            TimingTable buffer(kChunkEntries);
            size_t remaining = spooledEntries_;
            while (remaining > 0) {
                const size_t wanted = remaining < kChunkEntries ? remaining : kChunkEntries;
                const size_t got = std::fread(buffer.data(), sizeof(TimingEntry), wanted, spool_);
                WriteTimingLines(file, buffer.data(), got);
                if (got != wanted) break;
                remaining -= got;
            }
        }
        WriteTimingLines(file, chunk_.data(), chunk_.size());
    }

private:
    static constexpr size_t kChunkEntries = 8192;

    void Spill() {
        if (spool_ == nullptr) spool_ = std::tmpfile();
        // The entries count as spooled only once they reached the file.
        if (spool_ != nullptr &&
            std::fwrite(chunk_.data(), sizeof(TimingEntry), chunk_.size(), spool_) == chunk_.size() &&
            std::fflush(spool_) == 0) {
            spooledEntries_ += chunk_.size();
            chunk_.clear();
        } else {
            spilling_ = false;
        }
    }

    FILE* spool_ = nullptr;
    bool spilling_ = true;
    size_t spooledEntries_ = 0;
    TimingTable chunk_;
};

void PrintSeconds(const PerformanceTimer& timer) {
    const float seconds = timer.ElapsedMicroseconds() / 1000.0f / 1000.0f;
    ReportPrint("FYI: Done. Total time: %.0f seconds \n", static_cast<double>(seconds));
}

}  // namespace

CaptureRun::CaptureRun(PacketAnalysis& analysis)
    : analysis_(analysis), xmlBuffer_(new char[kXmlBufferSize + 1]) {
    xmlBuffer_[0] = '\0';
}

int CaptureRun::Run(int argc, const char* const* argv) {
    ReportPrint("FYI: Tarnwick\n");
    ReportPrint("FYI: Application version: %d.%d.%d.%d, Last updated: %s %s \n", kApplicationVersion[0],
                kApplicationVersion[1], kApplicationVersion[2], kApplicationVersion[3], BuildDateText(),
                BuildTimeText());
    ReportPrint("FYI: Created by Morvane Automation Systems\n");
    ReportPrint("Deleting old xml files, Report.txt, and logTiming.csv... \n");
    // The four lines above went into the old Report.txt and leave with it.
    RemoveOldOutputs();

    ReportPrint("FYI: Application started %s %s \n", LocalDateText().c_str(), LocalTimeText().c_str());
    ReportPrint("FYI: BACnet Stack version %d.%d.%d\n", static_cast<int>(BACnetStack_GetAPIMajorVersion()),
                static_cast<int>(BACnetStack_GetAPIMinorVersion()),
                static_cast<int>(BACnetStack_GetAPIPatchVersion()));
    ReportPrint("FYI: %s\n", pcap_lib_version());
    ReportPrint("\n");

    CounterMap sessionCounters;
    PerformanceTimer runTimer;
    runTimer.Start();

    if (argc == 1) {
        for (const std::string& captureName : FindCaptureFiles(".")) {
            ProcessCaptureFile(captureName, false, 0, sessionCounters);
        }
    } else {
        // argc may be 0 when the program is started without even its own
        // name; the capture name is then empty and fails to open.
        const std::string captureName = (argc >= 2 && argv[1] != nullptr) ? argv[1] : "";
        const bool specificPacket = argc >= 3 && argv[2] != nullptr;
        const int32_t packetNumber = specificPacket ? std::atoi(argv[2]) : 0;
        ProcessCaptureFile(captureName, specificPacket, packetNumber, sessionCounters);
    }

    runTimer.Stop();
    ReportPrint("\n");
    ReportPrint("---------------------------------------------------\n");
    ReportPrint("FYI: Global session stats:\n");
    PrintSeconds(runTimer);
    PrintCounters(sessionCounters);
    return 0;
}

int CaptureRun::ProcessCaptureFile(const std::string& captureFileName, bool specificPacket, int32_t packetNumber,
                                   CounterMap& sessionCounters) {
    analysis_.BeginCapture();
    CounterMap counters{{kPacketCount, 0}, {kNotUdpSkipCount, 0}, {kDecodeErrorCount, 0}, {kWriteErrorCount, 0}};
    // Map nodes never move, so the packet loop counts through references
    // instead of looking the names up for every packet.
    int32_t& packetCount = counters[kPacketCount];
    int32_t& notUdpCount = counters[kNotUdpSkipCount];
    int32_t& decodeErrorCount = counters[kDecodeErrorCount];
    int32_t& writeErrorCount = counters[kWriteErrorCount];
    TimingSpool timing;

    ReportPrint("\n");
    ReportPrint("FYI: Processing Wirehark packet. File=[%s]\n", captureFileName.c_str());
    if (specificPacket) ReportPrint("FYI: Processing a specific packet. Packet: %d\n", packetNumber);

    PerformanceTimer captureTimer;
    captureTimer.Start();

    char errorText[PCAP_ERRBUF_SIZE];
    pcap_t* capture = OpenCaptureFile(captureFileName, errorText);
    if (capture == nullptr) {
        ReportPrint("Error: Unable to open the file. Error=[%s], source=[%s].\n", errorText,
                    captureFileName.c_str());
        analysis_.DiscardCapture();
        return 0;
    }
    ReportPrint("FYI: Wirehark packet version [%d.%d]\n", pcap_major_version(capture), pcap_minor_version(capture));

    const uint32_t wantedPacket = static_cast<uint32_t>(packetNumber);
    char* const xmlText = xmlBuffer_.get();
    struct pcap_pkthdr* header = nullptr;
    const u_char* frame = nullptr;
    int status;
    while ((status = pcap_next_ex(capture, &header, &frame)) >= 0) {
        if (status == 0 || header == nullptr || frame == nullptr) continue;  // no record this time

        AddTo(packetCount, 1);
        const uint32_t number = static_cast<uint32_t>(packetCount);
        if (specificPacket) {
            if (number > wantedPacket) break;
            if (number != wantedPacket) continue;
            ReportPrint("FYI: Found specific packet #%03d\n", static_cast<int>(number));
        }
        if (number % 500 == 0) ReportPrint("FYI: Processed %d packets...\n", static_cast<int>(number));

        PerformanceTimer packetTimer;
        packetTimer.Start();

        const uint32_t frameLength = header->caplen;
        const UdpPayload payload = LocateUdpPayload(frame, frameLength);
        if (payload.kind == FrameKind::NotUdp) {
            AddTo(notUdpCount, 1);
            continue;
        }

        uint32_t xmlLength = 0;
        if (payload.kind == FrameKind::Udp) {
            xmlLength = BACnetStack_DecodeAsXML(frame + payload.offset, payload.length, xmlText, kXmlBufferSize);
            if (xmlLength > kXmlBufferSize) xmlLength = 0;  // never trust a length past the buffer
        }
        if (xmlLength == 0) {
            ReportPrint("Error: (Pkt: %u) Could not decode packet as BACnet\n", number);
            AddTo(decodeErrorCount, 1);
        } else {
            if (writeXmlFiles_ && !WritePacketXmlFile(number, xmlText, captureFileName, xmlLength)) {
                AddTo(writeErrorCount, 1);
            }
            xmlText[xmlLength] = '\0';  // the buffer has room for it even after a full-size text
            analysis_.AnalysePacket(xmlText, xmlLength, frame, frameLength, number, payload.length);
        }

        packetTimer.Stop();
        timing.Add(TimingEntry{number, WholeMicroseconds(packetTimer.ElapsedMicroseconds())});
    }
    if (status < 0 && status != PCAP_ERROR_BREAK) {
        // A damaged capture: finished below like one read to its end.
        ReportPrint("Error: Failed reading the capture. Error=[%s]\n", pcap_geterr(capture));
    }

    pcap_close(capture);
    captureTimer.Stop();
    PrintSeconds(captureTimer);
    PrintCounters(counters);
    if (FILE* file = OpenTimingLog()) {
        timing.WriteLines(file);
        std::fclose(file);
    }

    for (const auto& [name, count] : counters) AddTo(sessionCounters[name], count);
    AddTo(sessionCounters[kFilesProcessed], 1);

    analysis_.EndCapture();
    return 0;
}

bool CaptureRun::WritePacketXmlFile(uint32_t packetNumber, const char* xmlText, const std::string& captureFileName,
                                    uint32_t xmlLength) {
    if (xmlLength == 0 || xmlText == nullptr) return false;

    // Formatted on the stack for every usual name; a longer capture path
    // gets a buffer of its exact size.
    char shortName[512];
    std::unique_ptr<char[]> longName;
    const char* fileName = shortName;
    const int needed = std::snprintf(shortName, sizeof shortName, "%s__packet_%03d.xml", captureFileName.c_str(),
                                     static_cast<int>(packetNumber));
    if (needed < 0) return false;
    if (static_cast<size_t>(needed) >= sizeof shortName) {
        longName.reset(new char[static_cast<size_t>(needed) + 1]);
        std::snprintf(longName.get(), static_cast<size_t>(needed) + 1, "%s__packet_%03d.xml",
                      captureFileName.c_str(), static_cast<int>(packetNumber));
        fileName = longName.get();
    }

    FILE* file = std::fopen(fileName, "w");
    if (file == nullptr) {
        ReportPrint("Error: Could not open file for write. File=[%s]\n", fileName);
        return false;
    }
    const size_t written = std::fwrite(xmlText, 1, xmlLength, file);
    // fclose flushes: a failure there also leaves the file incomplete.
    const bool closed = std::fclose(file) == 0;
    if (written < xmlLength || !closed) {
        ReportPrint("Error: Could not write contents to file. xmlDataLength=[%d], File=[%s]\n",
                    static_cast<int>(xmlLength), fileName);
        return false;
    }
    return true;
}

void CaptureRun::WriteTimingLog(const TimingTable& timing) {
    FILE* file = OpenTimingLog();
    if (file == nullptr) return;
    WriteTimingLines(file, timing.data(), timing.size());
    std::fclose(file);
}

void CaptureRun::PrintCounters(const CounterMap& counters) {
    for (const auto& [name, count] : counters) ReportPrint("FYI: %s: %d \n", name.c_str(), count);
}

}  // namespace Tarnwick

// Per-packet costs of the decode path, message by message:
//
//   Decode/<message>        the BACnet/IP packet decode alone
//   Render/<message>        the XML renderer on a decoded packet
//   DecodeAsXML/<message>   the C entry tarnwick calls: decode, render, copy
//   Analyse/<message>       the report's ProcessPacketXml on the XML text
//   Packet/<message>        DecodeAsXML then ProcessPacketXml, as the capture
//                           run does for every packet (without the file)
//
// Each reports the time per packet, packets per second ("items_per_second"),
// and the heap allocations and allocated bytes per packet. A message whose
// decode fails, or that logs an error while decoding, or whose analysis
// reports a fault, is skipped with the reason: its numbers would describe
// the failure path, not the packet.
//
// The benchmarks run in a fresh temporary directory, since the report
// writes Report.txt into the current directory when it has something to say.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

#include "allocationcounter.h"
#include "bacnetstack.h"
#include "benchmessages.h"
#include "core/stackerrorlog.h"
#include "message/bacnetippacket.h"
#include "render/xmlrenderer.h"
#include "report/packetinfodb.h"
#include "report/packetxmlanalyzer.h"

namespace {

using BenchMessages::Message;
using namespace ZalvoBACnetStack;
using Tarnwick::PacketInfoDB;
using Tarnwick::ProcessPacketXml;

constexpr uint32_t kXmlBufferSize = 102400;

// Heap allocations and bytes per iteration, measured over the timed loop.
class AllocationCounters {
public:
    AllocationCounters() : start_(BenchAllocations::Now()) {}
    void Report(benchmark::State& state) const {
        const BenchAllocations::Snapshot end = BenchAllocations::Now();
        state.counters["allocs/pkt"] =
            benchmark::Counter(static_cast<double>(end.allocations - start_.allocations),
                               benchmark::Counter::kAvgIterations);
        state.counters["heapB/pkt"] =
            benchmark::Counter(static_cast<double>(end.bytes - start_.bytes), benchmark::Counter::kAvgIterations);
        state.SetItemsProcessed(state.iterations());
    }

private:
    BenchAllocations::Snapshot start_;
};

uint16_t PayloadLength(const Message& message) { return static_cast<uint16_t>(message.payload.size()); }

// The XML text of the message, or empty when it does not decode cleanly;
// `why` then says what went wrong.
std::string DecodeCleanly(const Message& message, std::string& why) {
    StackErrorLogCapture log;
    std::unique_ptr<char[]> buffer(new char[kXmlBufferSize]);
    const uint32_t length = BACnetStack_DecodeAsXML(message.payload.data(), PayloadLength(message), buffer.get(),
                                                    kXmlBufferSize);
    if (length == 0) {
        why = "does not decode: " + log.Text();
        return {};
    }
    if (!log.Text().empty()) {
        why = "decodes but logs: " + log.Text();
        return {};
    }
    return std::string(buffer.get(), length);
}

// False, with the benchmark skipped, when the message does not decode cleanly.
bool CheckDecodes(benchmark::State& state, const Message& message, std::string* xml = nullptr) {
    std::string why;
    std::string text = DecodeCleanly(message, why);
    if (text.empty()) {
        state.SkipWithError(why.c_str());
        return false;
    }
    if (xml != nullptr) *xml = std::move(text);
    return true;
}

// False, with the benchmark skipped, when the report finds a fault in the text.
bool CheckAnalyses(benchmark::State& state, const Message& message, const std::string& xml) {
    PacketInfoDB db;
    db.Clear();
    ProcessPacketXml(db, xml.c_str(), message.frame.data(), static_cast<uint32_t>(message.frame.size()), 1,
                     PayloadLength(message), static_cast<uint32_t>(xml.size()));
    if (db.packetsFailed != 0) {
        state.SkipWithError("the report finds a fault in the XML (see Report.txt)");
        return false;
    }
    return true;
}

void Decode(benchmark::State& state, const Message* message) {
    if (!CheckDecodes(state, *message)) return;
    const AllocationCounters counters;
    for (auto _ : state) {
        BACnetIPPacket packet;
        BACnetErrorOutcome outcome;
        benchmark::DoNotOptimize(packet.Decode(message->payload.data(), PayloadLength(*message), &outcome));
    }
    counters.Report(state);
}

void Render(benchmark::State& state, const Message* message) {
    if (!CheckDecodes(state, *message)) return;
    BACnetIPPacket packet;
    BACnetErrorOutcome outcome;
    if (packet.Decode(message->payload.data(), PayloadLength(*message), &outcome) == 0) {
        state.SkipWithError("does not decode");
        return;
    }
    const XMLRenderer renderer;
    const AllocationCounters counters;
    for (auto _ : state) {
        // As the decode entry renders: a fresh text for every packet.
        std::string text;
        text.reserve(1024);
        renderer.WriteHeader(text);
        renderer.Render(&packet, text);
        benchmark::DoNotOptimize(text.data());
    }
    counters.Report(state);
}

void DecodeAsXML(benchmark::State& state, const Message* message) {
    if (!CheckDecodes(state, *message)) return;
    std::unique_ptr<char[]> buffer(new char[kXmlBufferSize + 1]);
    uint32_t length = 0;
    const AllocationCounters counters;
    for (auto _ : state) {
        length = BACnetStack_DecodeAsXML(message->payload.data(), PayloadLength(*message), buffer.get(),
                                         kXmlBufferSize);
        benchmark::DoNotOptimize(length);
    }
    counters.Report(state);
    state.counters["xmlB/pkt"] = static_cast<double>(length);
}

void Analyse(benchmark::State& state, const Message* message) {
    std::string xml;
    if (!CheckDecodes(state, *message, &xml) || !CheckAnalyses(state, *message, xml)) return;
    // One database for the whole run, as for one capture; the packet number
    // grows as in a capture.
    PacketInfoDB db;
    db.Clear();
    uint32_t packetNumber = 0;
    const AllocationCounters counters;
    for (auto _ : state) {
        ProcessPacketXml(db, xml.c_str(), message->frame.data(), static_cast<uint32_t>(message->frame.size()),
                         ++packetNumber, PayloadLength(*message), static_cast<uint32_t>(xml.size()));
    }
    counters.Report(state);
}

void Packet(benchmark::State& state, const Message* message) {
    std::string xml;
    if (!CheckDecodes(state, *message, &xml) || !CheckAnalyses(state, *message, xml)) return;
    std::unique_ptr<char[]> buffer(new char[kXmlBufferSize + 1]);
    PacketInfoDB db;
    db.Clear();
    uint32_t packetNumber = 0;
    const AllocationCounters counters;
    for (auto _ : state) {
        const uint32_t length = BACnetStack_DecodeAsXML(message->payload.data(), PayloadLength(*message),
                                                        buffer.get(), kXmlBufferSize);
        buffer[length] = '\0';
        ProcessPacketXml(db, buffer.get(), message->frame.data(), static_cast<uint32_t>(message->frame.size()),
                         ++packetNumber, PayloadLength(*message), length);
    }
    counters.Report(state);
}

// A scratch directory that is the current directory while the benchmarks run.
class ScratchDirectory {
public:
    ScratchDirectory() {
        char pattern[] = "/tmp/bench_packets.XXXXXX";
        if (::mkdtemp(pattern) == nullptr) {
            std::perror("bench_packets: mkdtemp");
            std::exit(1);
        }
        path_ = pattern;
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(path_);
    }
    ~ScratchDirectory() {
        std::error_code error;
        std::filesystem::current_path(previous_, error);
        std::filesystem::remove_all(path_, error);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

private:
    std::filesystem::path path_;
    std::filesystem::path previous_;
};

}  // namespace

int main(int argc, char** argv) {
    using Function = void (*)(benchmark::State&, const Message*);
    const std::pair<const char*, Function> kinds[] = {
        {"Decode", Decode}, {"Render", Render}, {"DecodeAsXML", DecodeAsXML}, {"Analyse", Analyse},
        {"Packet", Packet}};
    for (const auto& [kind, function] : kinds) {
        for (const Message& message : BenchMessages::All()) {
            const std::string name = std::string(kind) + "/" + message.name;
            benchmark::RegisterBenchmark(name.c_str(), function, &message);
        }
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    const ScratchDirectory scratch;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// tarnwick's capture reading on arbitrary file bytes: the input is written
// to a capture file in a scratch directory and read by the driver's
// CaptureRun exactly as the program reads a capture named on its command
// line, with the real decoder and the real traffic report behind it.
//
// Promises checked: no crash, hang, leak or stray access (the sanitizers
// and libFuzzer's time-out); the capture's counters add up: every packet is
// skipped as not UDP, fails to decode, or leaves exactly one XML file.
#include <cstdio>
#include <string>

#include "driver/capturerun.h"
#include "driver/reportanalysis.h"
#include "fuzzsupport.h"

using namespace TarnwickFuzz;

namespace {

constexpr const char* kCaptureName = "input.pcap";

bool WriteInput(const uint8_t* data, size_t size) {
    FILE* file = std::fopen(kCaptureName, "wb");
    if (file == nullptr) return false;
    const size_t written = size == 0 ? 0 : std::fwrite(data, 1, size, file);
    return std::fclose(file) == 0 && written == size;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SilenceStackErrorLog();
    ScratchDirectory::Instance();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ScratchDirectory& scratch = ScratchDirectory::Instance();
    scratch.Enter();
    FUZZ_CHECK(WriteInput(data, size), "the scratch capture could not be written");

    Tarnwick::ReportAnalysis analysis;
    Tarnwick::CaptureRun run(analysis);
    Tarnwick::CounterMap session;
    FUZZ_CHECK(run.ProcessCaptureFile(kCaptureName, false, 0, session) == 0, "reading a capture returned non-zero");
    FUZZ_CHECK(analysis.Database() == nullptr, "the capture's database outlived the capture");

    const size_t xmlFiles = scratch.RemoveOutputs(".xml");
    if (!session.empty()) {
        FUZZ_CHECK(session[Tarnwick::kFilesProcessed] == 1, "one capture read must count one file");
        FUZZ_CHECK(session[Tarnwick::kWriteErrorCount] == 0, "an XML file could not be written");
        const int64_t accounted = static_cast<int64_t>(xmlFiles) + session[Tarnwick::kNotUdpSkipCount] +
                                  session[Tarnwick::kDecodeErrorCount];
        FUZZ_CHECK(accounted == session[Tarnwick::kPacketCount], "the capture's counters do not add up");
    } else {
        FUZZ_CHECK(xmlFiles == 0, "a capture that did not open left XML files");
    }
    scratch.Leave();
    return 0;
}

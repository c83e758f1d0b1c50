// The platform layer: timer arithmetic, capture discovery, removal of old
// outputs, local date and time texts, and opening capture files safely.
#include "driver/platform.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include <sys/stat.h>

#include "driver/drivertestsupport.h"

namespace {

using namespace TarnwickTest;
using Tarnwick::PerformanceTimer;

struct ElapsedRow {
    const char* label;
    int64_t start;
    int64_t end;
    int64_t frequency;
    int64_t microseconds;  // the truncated integer before the float conversions
};

TEST(PerformanceTimer, ElapsedMicrosecondsTruncatesTicksTimesMillionOverFrequency) {
    const std::vector<ElapsedRow> rows = {
        {"one second of nanoseconds", 0, 1000000000, 1000000000, 1000000},
        {"nothing elapsed", 10, 10, 1000000000, 0},
        {"999 ns truncate to 0 us", 5, 1004, 1000000000, 0},
        {"1000 ns is 1 us", 0, 1000, 1000000000, 1},
        {"one tick of a 3 Hz counter", 0, 1, 3, 333333},
        {"two ticks of a 3 Hz counter", 0, 2, 3, 666666},
        {"seven ticks of a 3 Hz counter", 100, 107, 3, 2333333},
        {"a 10 MHz counter", 0, 12345678, 10000000, 1234567},
        // 30,000 s of nanoseconds: ticks * 1,000,000 exceeds 64 bits, the
        // result must still be exact.
        {"hours of nanoseconds", 0, 30000000000000, 1000000000, 30000000000},
        {"counter values near the top", INT64_MAX - 2000000000, INT64_MAX, 1000000000, 2000000},
    };
    for (const ElapsedRow& row : rows) {
        SCOPED_TRACE(row.label);
        const float expected = static_cast<float>(static_cast<double>(row.microseconds));
        EXPECT_EQ(PerformanceTimer::ElapsedMicroseconds(row.start, row.end, row.frequency), expected);
    }
    EXPECT_EQ(PerformanceTimer::ElapsedMicroseconds(0, 100, 0), 0.0f) << "a zero frequency must not divide";
}

TEST(PerformanceTimer, MeasuresRealTimeWithTheMonotonicCounter) {
    EXPECT_GE(PerformanceTimer::CounterFrequency(), 1000000) << "the counter must resolve microseconds";
    PerformanceTimer timer;
    timer.Start();
    std::this_thread::sleep_for(std::chrono::milliseconds(3));
    timer.Stop();
    EXPECT_GE(timer.ElapsedMicroseconds(), 3000.0f);
    EXPECT_LT(timer.ElapsedMicroseconds(), 10000000.0f);
}

TEST(CaptureDiscovery, MatchesDotPcapNamesCaseSensitivelyAndSkipsHiddenOnes) {
    const std::vector<std::pair<const char*, bool>> rows = {
        {"a.pcap", true},          {"capture.pcap", true},   {"x.y.pcap", true},    {" .pcap", true},
        {".pcap", false},          {".hidden.pcap", false},  {".", false},          {"..", false},
        {"a.PCAP", false},         {"a.Pcap", false},        {"a.pcapng", false},   {"a.pcap.txt", false},
        {"apcap", false},          {"", false},              {"a.pca", false},
    };
    for (const auto& [name, expected] : rows) {
        EXPECT_EQ(Tarnwick::IsCaptureFileName(name), expected) << '"' << name << '"';
    }
}

TEST(CaptureDiscovery, ListsCapturesInByteWiseOrderWithDirectoriesAndWithoutHiddenEntries) {
    TempDir dir;
    for (const char* name : {"b.pcap", "a.pcap", "B.pcap", "_.pcap", "\xC3\xA4.pcap", ".hidden.pcap", "x.PCAP",
                             "y.pcapng", "z.pcap.txt", "notes.txt"}) {
        WriteText(dir.Path() / name, "x");
    }
    fs::create_directory(dir.Path() / "dir.pcap");
    const std::vector<std::string> expected = {"B.pcap", "_.pcap", "a.pcap", "b.pcap", "dir.pcap", "\xC3\xA4.pcap"};
    EXPECT_EQ(Tarnwick::FindCaptureFiles(dir.Path().string()), expected);

    EXPECT_TRUE(Tarnwick::FindCaptureFiles((dir.Path() / "missing").string()).empty());
    TempDir empty;
    EXPECT_TRUE(Tarnwick::FindCaptureFiles(empty.Path().string()).empty());
}

TEST(OldOutputs, RemovesXmlFilesTimingLogAndReportFromTheCurrentDirectoryOnly) {
    TempDir dir;
    for (const char* name : {"a.xml", "b.pcap__packet_001.xml", "c.XML", "keep.txt", "logTiming.csv", "Report.txt",
                             "report.txt", "capture.pcap"}) {
        WriteText(dir.Path() / name, "old");
    }
    fs::create_directory(dir.Path() / "folder.xml");
    fs::create_directory(dir.Path() / "sub");
    WriteText(dir.Path() / "sub" / "inner.xml", "old");
    {
        ScopedCurrentDirectory cwd(dir.Path());
        Tarnwick::RemoveOldOutputs();
    }
    std::vector<std::string> left;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir.Path())) {
        left.push_back(entry.path().filename().string());
    }
    std::sort(left.begin(), left.end());
    const std::vector<std::string> expected = {"c.XML", "capture.pcap", "folder.xml", "keep.txt", "report.txt", "sub"};
    EXPECT_EQ(left, expected);
    EXPECT_TRUE(fs::exists(dir.Path() / "sub" / "inner.xml"));
}

TEST(DateAndTime, StartLineAndBuildTextsHaveTheirFixedShapes) {
    EXPECT_TRUE(HasShape(Tarnwick::LocalDateText(), "DD/DD/DD")) << Tarnwick::LocalDateText();
    EXPECT_TRUE(HasShape(Tarnwick::LocalTimeText(), "DD:DD:DD")) << Tarnwick::LocalTimeText();
    EXPECT_TRUE(HasShape(Tarnwick::BuildDateText(), "ULL _D DDDD")) << Tarnwick::BuildDateText();
    EXPECT_TRUE(HasShape(Tarnwick::BuildTimeText(), "DD:DD:DD")) << Tarnwick::BuildTimeText();
}

struct OpenRow {
    const char* label;
    std::string name;
    bool opens;
    std::string errorText;  // expected exactly, when not empty
    std::string errorStart; // expected start, when not empty
};

TEST(CaptureOpen, OpensCapturesAndRefusesEverythingElseWithAReason) {
    TempDir dir;
    CopySample("discovery.pcap", dir.Path());
    CopySample("hostile/pcapng-format.pcap", dir.Path());
    CopySample("hostile/empty.pcap", dir.Path());
    CopySample("hostile/not-a-capture.pcap", dir.Path());
    fs::create_directory(dir.Path() / "folder.pcap");
    ASSERT_EQ(::mkfifo((dir.Path() / "pipe.pcap").c_str(), 0600), 0);
    ScopedCurrentDirectory cwd(dir.Path());

    const std::vector<OpenRow> rows = {
        {"classic pcap", "discovery.pcap", true, "", ""},
        {"pcapng", "pcapng-format.pcap", true, "", ""},
        {"missing", "nosuch.pcap", false, "nosuch.pcap: No such file or directory", ""},
        {"empty name", "", false, ": No such file or directory", ""},
        {"named pipe never blocks", "pipe.pcap", false, "pipe.pcap: not a regular file", ""},
        {"empty file", "empty.pcap", false, "", "truncated dump file"},
        {"text file", "not-a-capture.pcap", false, "unknown file format", ""},
        {"directory", "folder.pcap", false, "", "error reading dump file"},
    };
    for (const OpenRow& row : rows) {
        SCOPED_TRACE(row.label);
        char errorText[PCAP_ERRBUF_SIZE];
        pcap_t* capture = Tarnwick::OpenCaptureFile(row.name, errorText);
        EXPECT_EQ(capture != nullptr, row.opens);
        if (capture != nullptr) {
            pcap_close(capture);
            continue;
        }
        if (!row.errorText.empty()) {
            EXPECT_EQ(std::string(errorText), row.errorText);
        }
        if (!row.errorStart.empty()) {
            EXPECT_EQ(std::string(errorText).rfind(row.errorStart, 0), 0u) << errorText;
        }
    }
}

}  // namespace

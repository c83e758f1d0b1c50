// pcaploop: the floor of any capture tool, a bare libpcap read loop.
//
//   pcaploop <capture>
//
// Reads every record of the capture with pcap_next_ex and touches each
// frame's IPv4 protocol octet, as the UDP test of a capture run does, and
// prints the number of records and UDP frames. Exits 1 when the capture
// cannot be opened or its reading fails part-way.
#include <cstdint>
#include <cstdio>

#include <pcap/pcap.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: pcaploop <capture>\n");
        return 2;
    }
    char errorText[PCAP_ERRBUF_SIZE] = "";
    pcap_t* capture = pcap_open_offline(argv[1], errorText);
    if (capture == nullptr) {
        std::fprintf(stderr, "pcaploop: %s\n", errorText);
        return 1;
    }
    uint64_t records = 0;
    uint64_t udpFrames = 0;
    struct pcap_pkthdr* header = nullptr;
    const u_char* frame = nullptr;
    int status;
    while ((status = pcap_next_ex(capture, &header, &frame)) >= 0) {
        if (status == 0 || header == nullptr || frame == nullptr) continue;
        ++records;
        if (header->caplen > 23 && frame[23] == 17) ++udpFrames;
    }
    // The end of a capture file reads as PCAP_ERROR_BREAK; anything else negative is a failure.
    const bool failed = status < 0 && status != PCAP_ERROR_BREAK;
    if (failed) std::fprintf(stderr, "pcaploop: %s\n", pcap_geterr(capture));
    pcap_close(capture);
    std::printf("records=%llu udp=%llu\n", static_cast<unsigned long long>(records),
                static_cast<unsigned long long>(udpFrames));
    return failed ? 1 : 0;
}

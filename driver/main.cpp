// tarnwick: decodes the BACnet/IP traffic of packet captures into one XML
// file per packet, times every packet and reports what the traffic showed.
//
//   tarnwick                      every *.pcap of the current directory
//   tarnwick capture.pcap         that capture
//   tarnwick capture.pcap 42      only packet 42 of it
#include "driver/capturerun.h"
#include "driver/reportanalysis.h"

int main(int argc, char** argv) {
    Tarnwick::ReportAnalysis report;
    Tarnwick::CaptureRun run(report);
    return run.Run(argc, argv);
}

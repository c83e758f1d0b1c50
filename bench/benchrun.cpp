// benchrun: a tarnwick run that writes no XML files.
//
//   benchrun [capture [packet]]      the same arguments as tarnwick
//
// It is tarnwick's own capture run (the same packet loop, decode entry,
// analysis, timing, counters and report) with the per-packet XML files
// turned off, so that the capture-scale benchmark can tell the cost of the
// decoding and analysis from the cost of creating one file per packet.
#include "driver/capturerun.h"
#include "driver/reportanalysis.h"

int main(int argc, char** argv) {
    Tarnwick::ReportAnalysis report;
    Tarnwick::CaptureRun run(report);
    run.SetWriteXmlFiles(false);
    return run.Run(argc, argv);
}

#include "driver/reportanalysis.h"

#include "report/packetxmlanalyzer.h"
#include "report/reportwriter.h"

namespace Tarnwick {

void ReportAnalysis::BeginCapture() {
    database_ = std::make_unique<PacketInfoDB>();
    database_->Clear();
}

void ReportAnalysis::AnalysePacket(const char* xmlText, uint32_t xmlLength, const uint8_t* frame,
                                   uint32_t frameLength, uint32_t packetNumber, uint16_t payloadLength) {
    if (database_ == nullptr) return;  // no capture begun
    ProcessPacketXml(*database_, xmlText, frame, frameLength, packetNumber, payloadLength, xmlLength);
}

void ReportAnalysis::EndCapture() {
    if (database_ != nullptr) PrintReport(*database_);
    database_.reset();
}

void ReportAnalysis::DiscardCapture() { database_.reset(); }

}  // namespace Tarnwick

// The traffic report behind the PacketAnalysis seam: one PacketInfoDB per
// capture, filled by ProcessPacketXml and printed by PrintReport.
#pragma once

#include <memory>

#include "driver/packetanalysis.h"
#include "report/packetinfodb.h"

namespace Tarnwick {

class ReportAnalysis final : public PacketAnalysis {
public:
    void BeginCapture() override;
    void AnalysePacket(const char* xmlText, uint32_t xmlLength, const uint8_t* frame, uint32_t frameLength,
                       uint32_t packetNumber, uint16_t payloadLength) override;
    void EndCapture() override;
    void DiscardCapture() override;

    // The database of the capture being read; null between captures.
    const PacketInfoDB* Database() const { return database_.get(); }

private:
    std::unique_ptr<PacketInfoDB> database_;
};

}  // namespace Tarnwick

// The BACnet/IP virtual link layer header (BVLL): type 0x81, a function code,
// the BVLC length field and whatever the function carries after the four
// header octets (a BVLC-Result code, a distribution or foreign device table,
// the originating address of a Forwarded-NPDU). The carried octets are kept
// as they are; only the Result code and the originating address are shown
// when rendered.
#pragma once

#include <cstdint>
#include <vector>

#include "core/bacnetobjectbase.h"

namespace ZalvoBACnetStack {

class BACnetBVLL : public BACnetObjectBase {
public:
    static constexpr uint8_t kBACnetIPType = 0x81;
    static constexpr uint16_t kHeaderSize = 4;
    static constexpr uint16_t kOriginatingAddressSize = 6;

    // BVLC function codes.
    static constexpr uint8_t kResult = 0x00;
    static constexpr uint8_t kWriteBroadcastDistributionTable = 0x01;
    static constexpr uint8_t kReadBroadcastDistributionTable = 0x02;
    static constexpr uint8_t kReadBroadcastDistributionTableAck = 0x03;
    static constexpr uint8_t kForwardedNPDU = 0x04;
    static constexpr uint8_t kRegisterForeignDevice = 0x05;
    static constexpr uint8_t kReadForeignDeviceTable = 0x06;
    static constexpr uint8_t kReadForeignDeviceTableAck = 0x07;
    static constexpr uint8_t kDeleteForeignDeviceTableEntry = 0x08;
    static constexpr uint8_t kDistributeBroadcastToNetwork = 0x09;
    static constexpr uint8_t kOriginalUnicastNPDU = 0x0A;
    static constexpr uint8_t kOriginalBroadcastNPDU = 0x0B;
    static constexpr uint8_t kSecureBVLL = 0x0C;

    BACnetBVLL() = default;

    // The header and what its function carries; the NPDU of the functions
    // that carry one is not part of the BVLL. Carried octets run to the end
    // of the buffer, whatever the length field says.
    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    // The header, then the carried octets of the data-carrying functions.
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override;
    // Type 0x81, function 0, length 0, no data, not valid.
    void Reset() override;
    bool IsEqual(const ICodable* other) const override;

    std::string GetElementName() const override;
    std::string GetElementText() const override;
    bool GetAttributes(RenderAttributes& attributes) const override;

    // Builders for the routing of the device server.
    void SetResult(uint16_t resultCode);
    void SetOriginalUnicastNPDU();
    void SetOriginalBroadcastNPDU();
    // n = the size of NPDU plus APDU that follow the header.
    void SetLengthForNPDU(uint16_t n);
    // Copies function, length, data and valid from another header.
    void CopyFrom(const BACnetBVLL& other);

    uint8_t GetType() const { return type_; }
    uint8_t GetFunction() const { return function_; }
    uint16_t GetLength() const { return length_; }
    const std::vector<uint8_t>& GetData() const { return data_; }

    // True for the functions after whose header an NPDU follows.
    static bool CarriesNPDU(uint8_t function);
    // The attribute value that names a function, or null for an unknown code.
    static const char* FunctionName(uint8_t function);
    // The name of a BVLC-Result code, or null when it has none.
    static const char* ResultName(uint16_t resultCode);

private:
    uint8_t type_ = kBACnetIPType;
    uint8_t function_ = 0;
    uint16_t length_ = 0;
    std::vector<uint8_t> data_;
};

}  // namespace ZalvoBACnetStack

// Unconfirmed-Request PDU (type 1): the service choice and the service
// request. A Who-Is may be empty (no limits), so for it alone a service that
// consumes no octets is accepted.
#pragma once

#include <memory>

#include "message/bacnetpdu.h"
#include "message/bacnetunconfirmedservicerequest.h"

namespace ZalvoBACnetStack {

class BACnetUnconfirmedRequestPDU : public BACnetPDU {
public:
    static constexpr uint16_t kHeaderSize = 2;
    // BACnetUnconfirmedServiceChoice who-Is.
    static constexpr uint32_t kWhoIsChoice = 8;

    BACnetUnconfirmedRequestPDU() = default;
    BACnetUnconfirmedRequestPDU(const BACnetUnconfirmedRequestPDU& other);
    ~BACnetUnconfirmedRequestPDU() override;

    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetPDUType() const override { return kUnconfirmedRequest; }
    void Reset() override;

    std::string GetElementName() const override;
    bool GetAttributes(RenderAttributes& attributes) const override;
    bool GetChildren(RenderChildren& children) const override;

    // Replaces the service with a copy of `service`.
    bool SetService(const BACnetUnconfirmedServiceRequest& service);

    uint32_t GetServiceChoice() const { return serviceChoice_; }
    const BACnetUnconfirmedServiceRequest* GetService() const { return service_.get(); }

protected:
    bool HasSameFields(const BACnetPDU& other) const override;

private:
    uint32_t serviceChoice_ = 0;
    std::unique_ptr<BACnetUnconfirmedServiceRequest> service_;
};

}  // namespace ZalvoBACnetStack

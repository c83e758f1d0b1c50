// TimeSynchronization (unconfirmed service choice 6): the sender's local
// date and time, an application-tagged Date followed by an
// application-tagged Time. The UTC form shares the coding
// (bacnetutctimesynchronizationrequest.h).
#pragma once

#include "message/bacnetunconfirmedservicerequest.h"
#include "services/bacnetdatetime.h"

namespace ZalvoBACnetStack {

class BACnetTimeSynchronizationRequest : public BACnetUnconfirmedServiceRequest {
public:
    static constexpr uint32_t kServiceChoice = 6;

    BACnetTimeSynchronizationRequest() = default;

    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return Datatype::kTimeSynchronizationRequest; }
    void Reset() override;
    // Same datatype (so the same kind) and the same date and time.
    bool IsEqual(const ICodable* other) const override;

    uint32_t GetServiceChoice() const override { return kServiceChoice; }

    std::string GetElementName() const override { return "TimeSynchronizationRequest"; }
    // "DateTime".
    bool GetChildren(RenderChildren& children) const override;

    // A copy of a valid date-time (false, reported, for an empty one).
    bool SetDateTime(const BACnetDateTime& dateTime);
    const BACnetDateTime& GetDateTime() const { return dateTime_; }

private:
    BACnetDateTime dateTime_;
};

}  // namespace ZalvoBACnetStack

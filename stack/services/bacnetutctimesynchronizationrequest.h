// UTCTimeSynchronization (unconfirmed service choice 9): the same date and
// time coding as TimeSynchronization, in Coordinated Universal Time. It
// decodes, encodes and reports exactly as its base.
#pragma once

#include "services/bacnettimesynchronizationrequest.h"

namespace ZalvoBACnetStack {

class BACnetUTCTimeSynchronizationRequest : public BACnetTimeSynchronizationRequest {
public:
    static constexpr uint32_t kServiceChoice = 9;

    BACnetUTCTimeSynchronizationRequest() = default;

    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return Datatype::kUTCTimeSynchronizationRequest; }
    uint32_t GetServiceChoice() const override { return kServiceChoice; }
    std::string GetElementName() const override { return "UTCTimeSynchronizationRequest"; }
};

}  // namespace ZalvoBACnetStack

// The abstract base of the confirmed service requests (ReadProperty,
// WriteProperty, SubscribeCOV, ...) carried by a Confirmed-Request PDU.
#pragma once

#include <cstdint>

#include "core/bacnetobjectbase.h"

namespace ZalvoBACnetStack {

class BACnetConfirmedServiceRequest : public BACnetObjectBase {
public:
    // The BACnetConfirmedServiceChoice the request stands for.
    virtual uint32_t GetServiceChoice() const = 0;
};

}  // namespace ZalvoBACnetStack

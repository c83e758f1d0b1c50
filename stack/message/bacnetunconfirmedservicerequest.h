// The abstract base of the unconfirmed service requests (Who-Is, I-Am,
// Who-Has, ...) carried by an Unconfirmed-Request PDU.
#pragma once

#include <cstdint>

#include "core/bacnetobjectbase.h"

namespace ZalvoBACnetStack {

class BACnetUnconfirmedServiceRequest : public BACnetObjectBase {
public:
    // The BACnetUnconfirmedServiceChoice the request stands for.
    virtual uint32_t GetServiceChoice() const = 0;
    // True when the request, as it stands, encodes to no octets at all (a
    // Who-Is without limits); the PDU then writes its header alone.
    virtual bool HasNoContents() const { return false; }
};

}  // namespace ZalvoBACnetStack

// The abstract base of the confirmed service acknowledgements
// (ReadProperty-ACK, ReadPropertyMultiple-ACK) carried by a Complex-ACK PDU.
#pragma once

#include <cstdint>

#include "core/bacnetobjectbase.h"

namespace ZalvoBACnetStack {

class BACnetConfirmedServiceACK : public BACnetObjectBase {
public:
    // The BACnetConfirmedServiceChoice the acknowledgement answers.
    virtual uint32_t GetServiceChoice() const = 0;
};

}  // namespace ZalvoBACnetStack

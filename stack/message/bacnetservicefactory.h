// The factories that pick a service class from a service choice: the
// confirmed and unconfirmed requests, the confirmed acknowledgements and the
// error types an Error PDU carries. Each kind has one table in
// bacnetservicefactory.cpp (choice -> class, one line per class); a choice
// without a line gives null, which the PDUs treat as "not recognised".
// Every result is a new object owned by the caller, null when allocation
// fails.
#pragma once

#include <cstdint>
#include <memory>

#include "message/bacnetconfirmedserviceack.h"
#include "message/bacnetconfirmedservicerequest.h"
#include "message/bacnetunconfirmedservicerequest.h"

namespace ZalvoBACnetStack {

class BACnetServiceFactory {
public:
    static std::unique_ptr<BACnetConfirmedServiceRequest> CreateConfirmedServiceRequest(uint32_t serviceChoice);
    // A copy of `request`, made through the same table (null when its choice has no line).
    static std::unique_ptr<BACnetConfirmedServiceRequest> CopyConfirmedServiceRequest(
        const BACnetConfirmedServiceRequest& request);

    static std::unique_ptr<BACnetUnconfirmedServiceRequest> CreateUnconfirmedServiceRequest(uint32_t serviceChoice);
    static std::unique_ptr<BACnetUnconfirmedServiceRequest> CopyUnconfirmedServiceRequest(
        const BACnetUnconfirmedServiceRequest& request);

    static std::unique_ptr<BACnetConfirmedServiceACK> CreateConfirmedServiceACK(uint32_t serviceAckChoice);
    static std::unique_ptr<BACnetConfirmedServiceACK> CopyConfirmedServiceACK(const BACnetConfirmedServiceACK& ack);

    // The error type for an error choice (the confirmed service that failed).
    static std::unique_ptr<BACnetObjectBase> CreateError(uint32_t errorChoice);
    // Stores the error choice in an error object made by CreateError for
    // that choice; false when the object is not of the choice's class.
    static bool AssignErrorChoice(BACnetObjectBase& error, uint32_t errorChoice);
};

}  // namespace ZalvoBACnetStack

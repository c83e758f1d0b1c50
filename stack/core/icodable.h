// The codec half of every BACnet value: decode from and encode to a
// caller's buffer (pointer plus 16-bit length, result = octets, 0 = failure),
// with datatype, cloning, comparison and context-tag handling.
#pragma once

#include <cstdint>
#include <memory>

#include "core/bacneterroroutcome.h"

namespace ZalvoBACnetStack {

class ICodable {
public:
    virtual ~ICodable() = default;

    [[nodiscard]] virtual uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) = 0;
    [[nodiscard]] virtual uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) = 0;
    // A new independent copy of the same class, or null when allocation fails.
    [[nodiscard]] virtual std::unique_ptr<ICodable> Clone() const = 0;
    // The context tag number, -1 when the value is not context-tagged.
    virtual int32_t GetContextTag() const = 0;
    virtual uint8_t GetDatatype() const = 0;
    // Back to the freshly constructed state.
    virtual void Reset() = 0;
    // False for null or another datatype; otherwise the contents compare.
    virtual bool IsEqual(const ICodable* other) const = 0;
    // The value bracketed by context tag `contextTag` (constructed values) or
    // carrying it as its own tag (primitives). `quiet` lets a primitive probe
    // for an optional field without a report.
    [[nodiscard]] virtual uint16_t DecodeWithContext(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome,
                                                     uint8_t contextTag, bool quiet = false) = 0;
    [[nodiscard]] virtual uint16_t EncodeWithContext(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome,
                                                     uint8_t contextTag) = 0;
    // Primitives only: encode as context tag `tagNumber` from now on.
    virtual void SetContextTag(uint8_t tagNumber) { (void)tagNumber; }
};

// Datatype numbers: the primitives use their application tag numbers; the
// rest identify constructed classes.
namespace Datatype {
inline constexpr uint8_t kNull = 0;
inline constexpr uint8_t kBoolean = 1;
inline constexpr uint8_t kUnsigned = 2;
inline constexpr uint8_t kSigned = 3;
inline constexpr uint8_t kReal = 4;
inline constexpr uint8_t kDouble = 5;
inline constexpr uint8_t kOctetString = 6;
inline constexpr uint8_t kCharacterString = 7;
inline constexpr uint8_t kBitString = 8;
inline constexpr uint8_t kEnumerated = 9;
inline constexpr uint8_t kDate = 10;
inline constexpr uint8_t kTime = 11;
inline constexpr uint8_t kObjectIdentifier = 12;
inline constexpr uint8_t kAbstractSyntaxType = 16;
inline constexpr uint8_t kObjectPropertyReference = 18;
inline constexpr uint8_t kRecipient = 23;
inline constexpr uint8_t kCOVSubscription = 25;
inline constexpr uint8_t kDateTime = 27;
inline constexpr uint8_t kListOfReadAccessResults = 28;
inline constexpr uint8_t kListOfReadAccessSpecifications = 29;
inline constexpr uint8_t kListOfWriteAccessSpecifications = 30;
inline constexpr uint8_t kPropertyReference = 31;
inline constexpr uint8_t kPropertyValue = 32;
inline constexpr uint8_t kReadAccessResult = 33;
inline constexpr uint8_t kSequenceOf = 34;
inline constexpr uint8_t kReadAccessSpecification = 35;
inline constexpr uint8_t kReadResult = 36;
inline constexpr uint8_t kError = 37;
inline constexpr uint8_t kWriteAccessSpecification = 38;
inline constexpr uint8_t kReadPropertyACK = 40;
inline constexpr uint8_t kReadPropertyMultipleACK = 41;
inline constexpr uint8_t kReadPropertyMultipleRequest = 42;
inline constexpr uint8_t kReadPropertyRequest = 43;
inline constexpr uint8_t kSubscribeCOVRequest = 44;
inline constexpr uint8_t kWritePropertyMultipleRequest = 45;
inline constexpr uint8_t kWritePropertyRequest = 46;
inline constexpr uint8_t kChangeListError = 47;
inline constexpr uint8_t kConfirmedPrivateTransferError = 48;
inline constexpr uint8_t kCreateObjectError = 49;
inline constexpr uint8_t kFirstFailedSubscription = 50;
inline constexpr uint8_t kSubscribeCOVPropertyMultipleError = 51;
inline constexpr uint8_t kVTCloseError = 52;
inline constexpr uint8_t kErrorBase = 53;
inline constexpr uint8_t kWritePropertyMultipleError = 54;
inline constexpr uint8_t kIAmRequest = 55;
inline constexpr uint8_t kIHaveRequest = 56;
inline constexpr uint8_t kTimeSynchronizationRequest = 57;
inline constexpr uint8_t kUTCTimeSynchronizationRequest = 59;
inline constexpr uint8_t kWhoHasRequest = 60;
inline constexpr uint8_t kWhoIsRequest = 61;
inline constexpr uint8_t kAddress = 113;
inline constexpr uint8_t kRecipientProcess = 114;
inline constexpr uint8_t kUnconfirmedPrivateTransferRequest = 115;
inline constexpr uint8_t kPriorityValue = 116;
inline constexpr uint8_t kPriorityArray = 117;
inline constexpr uint8_t kStackUnknownAPDU = 119;
}  // namespace Datatype

}  // namespace ZalvoBACnetStack

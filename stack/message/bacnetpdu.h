// The application PDU: the base of the seven PDU kinds this stack handles
// and the factory that picks one from the type nibble (the high four bits of
// the first octet).
#pragma once

#include <cstdint>
#include <memory>

#include "core/bacnetobjectbase.h"

namespace ZalvoBACnetStack {

class BACnetPDU : public BACnetObjectBase {
public:
    static constexpr uint8_t kConfirmedRequest = 0;
    static constexpr uint8_t kUnconfirmedRequest = 1;
    static constexpr uint8_t kSimpleACK = 2;
    static constexpr uint8_t kComplexACK = 3;
    static constexpr uint8_t kSegmentACK = 4;
    static constexpr uint8_t kError = 5;
    static constexpr uint8_t kReject = 6;
    static constexpr uint8_t kAbort = 7;

    // The PDU type number, the high nibble of the first octet on the wire.
    virtual uint8_t GetPDUType() const = 0;
    uint8_t GetDatatype() const override;
    // Same PDU kind; the kind itself compares its fields.
    bool IsEqual(const ICodable* other) const override;

    // A new empty PDU for types 0, 1, 2, 3, 5, 6 and 7; null for any other.
    static std::unique_ptr<BACnetPDU> CreatePDU(uint8_t pduType);
    // The type nibble of a PDU's first octet.
    static uint8_t TypeOf(uint8_t firstOctet) { return static_cast<uint8_t>(firstOctet >> 4); }

protected:
    // The fields of two PDUs of the same kind.
    virtual bool HasSameFields(const BACnetPDU& other) const = 0;

    // A deep copy of an owned service object (null for none or when
    // allocation fails).
    template <class T>
    static std::unique_ptr<T> CloneOwned(const T* value) {
        if (value == nullptr) return nullptr;
        std::unique_ptr<ICodable> copy = value->Clone();
        T* typed = dynamic_cast<T*>(copy.get());
        if (typed == nullptr) return nullptr;
        copy.release();
        return std::unique_ptr<T>(typed);
    }
    // Both absent, or both present and equal.
    static bool SameOwned(const ICodable* left, const ICodable* right) {
        if (left == nullptr || right == nullptr) return left == right;
        return left->IsEqual(right);
    }
};

}  // namespace ZalvoBACnetStack

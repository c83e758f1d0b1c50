// The application PDU: the base of the seven PDU kinds this stack handles
// and the factory that picks one from the type nibble (the high four bits of
// the first octet).
#pragma once

#include <cstdint>
#include <memory>

#include "core/bacnetobjectbase.h"
#include "core/bacnetoctetstream.h"

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

    // How a decode answers the octets of another PDU type.
    struct WrongType {
        const char* text;
        uint32_t kind;
        uint32_t reason;
    };
    static constexpr WrongType kWrongTypeAborts{"Invalid pdu type ", BACnetErrorOutcome::kAbort, kAbortOther};
    // Simple-ACK and Reject refuse them as a tag that does not belong here.
    static constexpr WrongType kWrongTypeRejects{"Invalid pdu type", BACnetErrorOutcome::kReject, kRejectInvalidTag};

    // The start of every PDU decode. Resets the PDU; null when `buffer`
    // holds octets of this PDU's type, else the text the PDU reports (the
    // answer recorded in `outcome`).
    const char* StartDecode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome,
                            const WrongType& wrongType = kWrongTypeAborts);
    // The start of every PDU encode: null when there is a buffer with room
    // and the PDU is valid, else "Invalid parameters" or `invalidText` (an
    // abort recorded in `outcome`).
    const char* StartEncode(const uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome,
                            const char* invalidText) const;

    // The PDUs of exactly three octets (Simple-ACK, Reject, Abort): the type
    // octet, the original invoke ID and one octet more.
    static constexpr uint16_t kThreeOctets = 3;
    // StartDecode, then exactly three octets (else `wrongSizeText`, an abort).
    const char* StartThreeOctetDecode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome,
                                      const WrongType& wrongType, const char* wrongSizeText);
    // StartEncode, then room for the three octets.
    const char* StartThreeOctetEncode(const uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) const;
    // The three octets; the type octet carries `flags` in its low four bits.
    uint16_t WriteThreeOctets(uint8_t* buffer, uint16_t room, uint8_t flags, uint8_t originalInvokeId,
                              uint32_t last) const;

    // What a Confirmed-Request and a Complex-ACK PDU carry about segments:
    // two flags of the first octet, and the sequence number and proposed
    // window size that a segmented message has before its service choice.
    struct Segmentation {
        static constexpr uint8_t kSegmentedMessage = 0x08;
        static constexpr uint8_t kMoreFollows = 0x04;

        bool segmentedMessage = false;
        bool moreFollows = false;
        uint8_t sequenceNumber = 0;
        uint8_t proposedWindowSize = 0;

        bool operator==(const Segmentation&) const = default;

        // The two flags from the PDU's first octet.
        void ReadFlags(uint8_t firstOctet) {
            segmentedMessage = (firstOctet & kSegmentedMessage) != 0;
            moreFollows = (firstOctet & kMoreFollows) != 0;
        }
        // The two flags as bits of the first octet.
        uint8_t Flags() const {
            return static_cast<uint8_t>((segmentedMessage ? kSegmentedMessage : 0) | (moreFollows ? kMoreFollows : 0));
        }
        // The header size: `plainSize`, two octets more when segmented.
        uint16_t HeaderSize(uint16_t plainSize) const {
            return static_cast<uint16_t>(segmentedMessage ? plainSize + 2 : plainSize);
        }
        // Sequence number and window size, when segmented.
        void ReadSegment(BACnetStackOctetReader& reader) {
            if (!segmentedMessage) return;
            reader.ReadU8(sequenceNumber);
            reader.ReadU8(proposedWindowSize);
        }
        void WriteSegment(BACnetStackOctetWriter& writer) const {
            if (!segmentedMessage) return;
            writer.WriteU8(sequenceNumber);
            writer.WriteU8(proposedWindowSize);
        }
        // "segmentedMessage", "moreFollows", and "sequenceNumber" and
        // "proposedWindowSize" when segmented.
        void AddAttributes(RenderAttributes& attributes) const;
    };

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

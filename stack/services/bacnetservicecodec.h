// Helpers shared by the constructed types and services: cursors that walk a
// caller's buffer member by member (never handing a member more octets than
// remain, and a null pointer once nothing remains), and the member decoders
// and encoders for required, optional and application-tagged fields.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "core/bacnetabstractsyntaxtype.h"
#include "core/bacnetdatatypelookup.h"
#include "core/bacnetenumerations.h"
#include "core/bacnetobjectbase.h"
#include "core/bacnetprimitivebase.h"
#include "core/bacnetprimitiveenum.h"
#include "core/bacnetprimitiveobjectidentifier.h"
#include "core/bacnetprimitiveuint.h"
#include "render/xmlrenderer.h"

namespace ZalvoBACnetStack {

class BACnetServiceCodec {
public:
    // A position inside a buffer being decoded.
    struct DecodeCursor {
        const uint8_t* buffer;
        uint16_t length;
        uint16_t used = 0;

        // The unread octets, or null when none remain.
        const uint8_t* Here() const { return used < length ? buffer + used : nullptr; }
        uint16_t Left() const { return used < length ? static_cast<uint16_t>(length - used) : 0; }
        bool AtEnd() const { return used >= length; }
        // Steps over `count` octets; false (and no step) when fewer remain.
        bool Advance(uint16_t count) {
            if (count > Left()) return false;
            used = static_cast<uint16_t>(used + count);
            return true;
        }
    };

    // A position inside a buffer being encoded.
    struct EncodeCursor {
        uint8_t* buffer;
        uint16_t room;
        uint16_t used = 0;

        uint8_t* Here() const { return used < room ? buffer + used : nullptr; }
        uint16_t Left() const { return used < room ? static_cast<uint16_t>(room - used) : 0; }
        bool Advance(uint16_t count) {
            if (count > Left()) return false;
            used = static_cast<uint16_t>(used + count);
            return true;
        }
    };

    // A member carrying context tag `tagNumber`; false when it does not
    // decode (the member reports why).
    static bool DecodeRequired(ICodable& member, DecodeCursor& cursor, BACnetErrorOutcome* outcome,
                               uint8_t tagNumber) {
        const uint16_t used = member.DecodeWithContext(cursor.Here(), cursor.Left(), outcome, tagNumber);
        return used != 0 && cursor.Advance(used);
    }

    // An optional primitive in context tag `tagNumber`: absent (nothing
    // consumed, false) when another tag or nothing follows. A member that
    // does not decode counts as absent and keeps its context tag.
    static bool DecodeOptional(BACnetPrimitiveBase& member, DecodeCursor& cursor, BACnetErrorOutcome* outcome,
                               uint8_t tagNumber) {
        if (cursor.AtEnd()) return false;
        const uint16_t used = member.DecodeWithContext(cursor.Here(), cursor.Left(), outcome, tagNumber, true);
        if (used != 0 && cursor.Advance(used)) return true;
        ResetContextMember(member, tagNumber);
        return false;
    }

    // An application-tagged primitive; a context tag in its place fails.
    static bool DecodeApplication(BACnetPrimitiveBase& member, DecodeCursor& cursor, BACnetErrorOutcome* outcome) {
        const uint16_t used = member.Decode(cursor.Here(), cursor.Left(), outcome);
        if (used == 0) return false;
        if (member.GetContextTag() != -1) {
            member.Reset();
            SetReject(outcome, kRejectInvalidTag);
            return false;
        }
        return cursor.Advance(used);
    }

    // A member with its own application tag, and what its owner reports
    // when it does not decode or encode.
    struct ApplicationMember {
        BACnetPrimitiveBase& member;
        const char* failure;
    };

    // Application-tagged members one after the other; null, or the text of
    // the first that does not decode.
    static const char* DecodeApplicationMembers(DecodeCursor& cursor, BACnetErrorOutcome* outcome,
                                                std::initializer_list<ApplicationMember> members) {
        for (const ApplicationMember& entry : members) {
            if (!DecodeApplication(entry.member, cursor, outcome)) return entry.failure;
        }
        return nullptr;
    }

    // Each member with its own tag, one after the other; null, or the text
    // of the first that does not encode.
    static const char* EncodeApplicationMembers(EncodeCursor& cursor, BACnetErrorOutcome* outcome,
                                                std::initializer_list<ApplicationMember> members) {
        for (const ApplicationMember& entry : members) {
            if (!EncodePlain(entry.member, cursor, outcome)) return entry.failure;
        }
        return nullptr;
    }

    // A property value between opening and closing tag `tagNumber`, each
    // value decoded as the datatype the property has for the object type
    // (and array index, when one was given).
    static bool DecodeTypedValue(BACnetAbstractSyntaxType& value, DecodeCursor& cursor, BACnetErrorOutcome* outcome,
                                 uint8_t tagNumber, uint16_t objectType, const BACnetPrimitiveENUM& propertyIdentifier,
                                 const BACnetPrimitiveUINT& propertyArrayIndex) {
        const uint8_t datatype =
            BACnetDatatypeLookup::GetDatatype(objectType, propertyIdentifier.GetValue(), propertyArrayIndex.IsValid(),
                                              propertyArrayIndex.GetValue());
        const uint16_t used = value.DecodeByDatatype(cursor.Here(), cursor.Left(), outcome, tagNumber, objectType,
                                                     propertyIdentifier.GetValue(), datatype);
        return used != 0 && cursor.Advance(used);
    }

    // A member in context tag `tagNumber` (a primitive carries it as its
    // own tag, a constructed value between opening and closing tags).
    static bool EncodeContext(ICodable& member, EncodeCursor& cursor, BACnetErrorOutcome* outcome,
                              uint8_t tagNumber) {
        member.SetContextTag(tagNumber);
        const uint16_t written = member.EncodeWithContext(cursor.Here(), cursor.Left(), outcome, tagNumber);
        return written != 0 && cursor.Advance(written);
    }

    // A member with its own (application) tag.
    static bool EncodePlain(ICodable& member, EncodeCursor& cursor, BACnetErrorOutcome* outcome) {
        const uint16_t written = member.Encode(cursor.Here(), cursor.Left(), outcome);
        return written != 0 && cursor.Advance(written);
    }

    // Back to empty, tagged as context tag `tagNumber`.
    static void ResetContextMember(BACnetPrimitiveBase& member, uint8_t tagNumber) {
        member.Reset();
        member.SetContextTag(tagNumber);
    }

    // Both absent, or both present and equal.
    static bool SameOptional(const BACnetObjectBase& left, const BACnetObjectBase& right) {
        if (left.IsValid() != right.IsValid()) return false;
        return !left.IsValid() || left.IsEqual(&right);
    }

    // Makes `target` hold copies of the values of `source`, which must be
    // valid (an empty holder counts); false leaves `target` empty and not valid.
    static bool CopyAbstractValue(BACnetAbstractSyntaxType& target, const BACnetAbstractSyntaxType& source) {
        target.Reset();
        if (!source.IsValid()) return false;
        for (size_t index = 0; index < source.Size(); ++index) {
            const ICodable* value = source.At(index);
            std::unique_ptr<ICodable> copy = value != nullptr ? value->Clone() : nullptr;
            if (copy == nullptr || !target.AddValueAndTakeOwnership(std::move(copy))) {
                target.Reset();
                return false;
            }
        }
        if (source.Size() == 0) {
            // An empty holder is what stands before a closing tag.
            static constexpr uint8_t kClosingTag = 0x0F;
            if (target.Decode(&kClosingTag, 1, nullptr) != 0 || !target.IsValid()) {
                target.Reset();
                return false;
            }
        }
        return true;
    }

    // True when `copy` holds everything `original` holds. Equality decides
    // almost always; but a NaN is never equal, not even to itself, so when
    // equality fails the two are compared by their rendering, which shows
    // every held value (a value lost while copying is missing from it).
    static bool IsCompleteCopy(const ICodable& copy, const ICodable& original) {
        if (copy.IsEqual(&original)) return true;
        const auto* copyView = dynamic_cast<const IRenderable*>(&copy);
        const auto* originalView = dynamic_cast<const IRenderable*>(&original);
        if (copyView == nullptr || originalView == nullptr) return false;
        std::string copyText;
        std::string originalText;
        const XMLRenderer renderer;
        renderer.Render(copyView, copyText);
        renderer.Render(originalView, originalText);
        return copyText == originalText;
    }

    // The object identifier [0], property identifier [1] and optional array
    // index [2] that open a ReadProperty request and acknowledgement, a
    // WriteProperty request and an object property reference. The owner
    // reports a failure under its own name, with the text returned here.
    struct ObjectPropertyMembers {
        static constexpr uint8_t kObjectIdentifierTag = 0;
        static constexpr uint8_t kPropertyIdentifierTag = 1;
        static constexpr uint8_t kPropertyArrayIndexTag = 2;

        // What the owner reports when a member does not encode.
        struct EncodeFailures {
            const char* objectIdentifier;
            const char* propertyIdentifier;
            const char* propertyArrayIndex;
        };
        static constexpr EncodeFailures kEncodeFailures{"Failed to encode objectIdentifier",
                                                        "Failed to encode propertyIdentifier",
                                                        "Failed to encode propertyArrayIndex"};

        BACnetPrimitiveObjectIdentifier objectIdentifier;
        BACnetPropertyIdentifier propertyIdentifier;
        BACnetPrimitiveUINT propertyArrayIndex;

        ObjectPropertyMembers() { Reset(); }

        // All three empty, each tagged with its context number.
        void Reset() {
            ResetContextMember(objectIdentifier, kObjectIdentifierTag);
            ResetContextMember(propertyIdentifier, kPropertyIdentifierTag);
            ResetContextMember(propertyArrayIndex, kPropertyArrayIndexTag);
        }

        // All three from numbers (the index only when given).
        void Set(uint16_t objectType, uint32_t objectInstance, uint32_t property, std::optional<uint32_t> index) {
            Reset();
            objectIdentifier.SetValue(objectType, objectInstance);
            propertyIdentifier.SetValue(property);
            if (index) propertyArrayIndex.SetValue(*index);
        }

        // Each copies a valid value; an empty one is refused (false, the
        // member unchanged).
        bool SetObjectIdentifier(const BACnetPrimitiveObjectIdentifier& value) {
            if (!value.IsValid()) return false;
            ResetContextMember(objectIdentifier, kObjectIdentifierTag);
            objectIdentifier.SetRawValue(value.GetRawValue());
            return true;
        }
        bool SetPropertyIdentifier(const BACnetPrimitiveENUM& value) {
            if (!value.IsValid()) return false;
            ResetContextMember(propertyIdentifier, kPropertyIdentifierTag);
            propertyIdentifier.SetValue(value.GetValue());
            return true;
        }
        bool SetPropertyArrayIndex(const BACnetPrimitiveUINT& value) {
            if (!value.IsValid()) return false;
            ResetContextMember(propertyArrayIndex, kPropertyArrayIndexTag);
            propertyArrayIndex.SetValue(value.GetValue());
            return true;
        }

        // The three from the cursor (the index when it is there); null, or
        // what failed.
        const char* Decode(DecodeCursor& cursor, BACnetErrorOutcome* outcome) {
            if (!DecodeRequired(objectIdentifier, cursor, outcome, kObjectIdentifierTag))
                return "Failed to decode objectIdentifier";
            if (!DecodeRequired(propertyIdentifier, cursor, outcome, kPropertyIdentifierTag))
                return "Failed to decode propertyIdentifier";
            DecodeOptional(propertyArrayIndex, cursor, outcome, kPropertyArrayIndexTag);
            return nullptr;
        }

        // The three (the index only when present); null, or the text of the
        // member that failed.
        const char* Encode(EncodeCursor& cursor, BACnetErrorOutcome* outcome,
                           const EncodeFailures& failures = kEncodeFailures) {
            if (!EncodeContext(objectIdentifier, cursor, outcome, kObjectIdentifierTag))
                return failures.objectIdentifier;
            if (!EncodeContext(propertyIdentifier, cursor, outcome, kPropertyIdentifierTag))
                return failures.propertyIdentifier;
            if (propertyArrayIndex.IsValid() &&
                !EncodeContext(propertyArrayIndex, cursor, outcome, kPropertyArrayIndexTag))
                return failures.propertyArrayIndex;
            return nullptr;
        }

        // A property value between opening and closing tag `tagNumber`,
        // typed by the object type, property and index held here.
        bool DecodeValue(BACnetAbstractSyntaxType& value, DecodeCursor& cursor, BACnetErrorOutcome* outcome,
                         uint8_t tagNumber) const {
            return DecodeTypedValue(value, cursor, outcome, tagNumber, objectIdentifier.GetObjectType(),
                                    propertyIdentifier, propertyArrayIndex);
        }

        bool IsEqual(const ObjectPropertyMembers& other) const {
            return objectIdentifier.IsEqual(&other.objectIdentifier) &&
                   propertyIdentifier.IsEqual(&other.propertyIdentifier) &&
                   SameOptional(propertyArrayIndex, other.propertyArrayIndex);
        }

        // "ObjectIdentifier" (0), "PropertyIdentifier" (1) and
        // "PropertyArrayIndex" (2) when present.
        void AddChildren(RenderChildren& children) const {
            children.push_back(MakeRenderChild(&objectIdentifier, {}, kObjectIdentifierTag));
            children.push_back(MakeRenderChild(&propertyIdentifier, {}, kPropertyIdentifierTag));
            if (propertyArrayIndex.IsValid())
                children.push_back(MakeRenderChild(&propertyArrayIndex, "PropertyArrayIndex", kPropertyArrayIndexTag));
        }
    };

    // The optional device instance range of Who-Is and Who-Has: the low
    // limit in context tag 0 and the high limit in context tag 1, present
    // together or not at all. Failures are reported under the owner's names.
    struct DeviceInstanceRange {
        static constexpr uint32_t kMaxDeviceInstance = 4194303;
        static constexpr uint8_t kLowLimitTag = 0;
        static constexpr uint8_t kHighLimitTag = 1;

        // The owner's source file and qualified operation names.
        struct ReportNames {
            const char* source;
            const char* decode;
            const char* encode;
            const char* setLimits;
            const char* setLow;
            const char* setHigh;
        };

        BACnetPrimitiveUINT lowLimit;
        BACnetPrimitiveUINT highLimit;

        bool Has() const { return lowLimit.IsValid() && highLimit.IsValid(); }
        void Clear() {
            lowLimit.Reset();
            highLimit.Reset();
        }
        // Both limits, on a range without limits; refused (reported, false,
        // still without limits) when low is above high or either is not a
        // device instance.
        bool Set(uint32_t low, uint32_t high, const ReportNames& names);
        // The limits that stand at the start of the buffer, each in `used`
        // octets (none when another tag or nothing stands there); false
        // (reported) when a limit's tag is there but its value does not
        // decode.
        bool Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome, const ReportNames& names,
                    uint16_t& used);
        // Both limits; 0 (reported) when one does not encode.
        uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome, const ReportNames& names);
        // Both without limits, or both with the same limits.
        bool IsEqual(const DeviceInstanceRange& other) const {
            if (other.Has() != Has()) return false;
            return !Has() || (other.lowLimit.GetValue() == lowLimit.GetValue() &&
                              other.highLimit.GetValue() == highLimit.GetValue());
        }
        // "DeviceInstanceRangeLowLimit" (0) and "DeviceInstanceRangeHighLimit"
        // (1), when both are present.
        void AddChildren(RenderChildren& children) const {
            if (!Has()) return;
            children.push_back(MakeRenderChild(&lowLimit, "DeviceInstanceRangeLowLimit", kLowLimitTag));
            children.push_back(MakeRenderChild(&highLimit, "DeviceInstanceRangeHighLimit", kHighLimitTag));
        }

    private:
        bool SetLimit(BACnetPrimitiveUINT& limit, uint8_t tagNumber, uint32_t value, const ReportNames& names);
        bool DecodeLimit(BACnetPrimitiveUINT& limit, uint8_t tagNumber, const uint8_t* buffer, uint16_t length,
                         BACnetErrorOutcome* outcome, const ReportNames& names, uint16_t& used);
    };

    // The values of a list, each in an allocation of its own, so that running
    // out of memory is noticed instead of thrown.
    template <class T>
    class OwnedList {
    public:
        OwnedList() = default;
        // Copies every value; when memory runs out for one, the copy is left
        // empty (so it is incomplete for any list that was not).
        OwnedList(const OwnedList& other) {
            items_.reserve(other.items_.size());
            for (const auto& item : other.items_) {
                std::unique_ptr<T> copy = Copy(*item);
                if (copy == nullptr) {
                    items_.clear();
                    return;
                }
                items_.push_back(std::move(copy));
            }
        }
        OwnedList& operator=(const OwnedList&) = delete;
        OwnedList(OwnedList&&) noexcept = default;
        OwnedList& operator=(OwnedList&&) noexcept = default;
        ~OwnedList() = default;

        size_t Size() const { return items_.size(); }
        bool Empty() const { return items_.empty(); }
        // Null past the end.
        const T* At(size_t index) const { return index < items_.size() ? items_[index].get() : nullptr; }
        // Throws std::out_of_range past the end.
        const T& Item(size_t index) const { return *items_.at(index); }
        void Clear() { items_.clear(); }

        // Appends a copy of `item`; false when memory runs out.
        bool AddCopy(const T& item) {
            std::unique_ptr<T> copy = Copy(item);
            if (copy == nullptr) return false;
            items_.push_back(std::move(copy));
            return true;
        }
        // Appends an empty value; null when memory runs out.
        T* AddNew() {
            std::unique_ptr<T> item(new (std::nothrow) T());
            if (item == nullptr) return nullptr;
            items_.push_back(std::move(item));
            return items_.back().get();
        }
        // Values one after the other until the cursor's octets are used up.
        // False at the first that does not decode, or with `outOfMemory`
        // set when a value could not be made; the list is emptied then.
        bool DecodeUntilEnd(DecodeCursor& cursor, BACnetErrorOutcome* outcome, bool& outOfMemory) {
            outOfMemory = false;
            while (!cursor.AtEnd()) {
                T* item = AddNew();
                if (item == nullptr) {
                    outOfMemory = true;
                    items_.clear();
                    return false;
                }
                const uint16_t used = item->Decode(cursor.Here(), cursor.Left(), outcome);
                if (used == 0 || !cursor.Advance(used)) {
                    items_.clear();
                    return false;
                }
            }
            return true;
        }
        // Each value's own encoding, one after the other; false at the first
        // that does not encode.
        bool EncodeEach(EncodeCursor& cursor, BACnetErrorOutcome* outcome) const {
            for (const auto& item : items_) {
                if (!EncodePlain(*item, cursor, outcome)) return false;
            }
            return true;
        }

        // Same number of values, each pair equal in order.
        bool IsEqual(const OwnedList& other) const {
            if (other.items_.size() != items_.size()) return false;
            for (size_t index = 0; index < items_.size(); ++index) {
                if (!items_[index]->IsEqual(other.items_[index].get())) return false;
            }
            return true;
        }
        // "count": the number of values.
        void AddCount(RenderAttributes& attributes) const { attributes["count"] = std::to_string(items_.size()); }
        // Each value, without a context number; false for an empty list.
        bool AddChildren(RenderChildren& children) const {
            for (const auto& item : items_) children.push_back(MakeRenderChild(item.get()));
            return !items_.empty();
        }

    private:
        static std::unique_ptr<T> Copy(const T& item) {
            std::unique_ptr<ICodable> copy = item.Clone();
            auto* typed = dynamic_cast<T*>(copy.get());
            if (typed == nullptr) return nullptr;
            copy.release();
            return std::unique_ptr<T>(typed);
        }

        std::vector<std::unique_ptr<T>> items_;
    };

    // A copy of `self` through its copy constructor, null when memory runs out.
    template <class T>
    static std::unique_ptr<ICodable> CopyOf(const T& self) {
        try {
            return std::unique_ptr<ICodable>(new (std::nothrow) T(self));
        } catch (const std::bad_alloc&) {
            return nullptr;
        }
    }
};

}  // namespace ZalvoBACnetStack

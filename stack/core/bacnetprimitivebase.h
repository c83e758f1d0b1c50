// The base of the primitive datatypes: one embedded tag header, the
// context-tag rules shared by every primitive, and the factory that makes a
// primitive from its datatype number.
#pragma once

#include <algorithm>
#include <memory>
#include <new>

#include "core/bacnetobjectbase.h"
#include "core/bacnettag.h"

namespace ZalvoBACnetStack {

class BACnetPrimitiveBase : public BACnetObjectBase {
public:
    // The tag starts as application tag `datatype`, length 0, not valid.
    explicit BACnetPrimitiveBase(uint8_t datatype) { tag_.tagNumber = datatype; }

    // The tag number when context-tagged, else -1.
    int32_t GetContextTag() const override { return tag_.IsContext() ? tag_.tagNumber : -1; }
    // Encode as context tag `tagNumber` from now on.
    void SetContextTag(uint8_t tagNumber) override {
        tag_.tagNumber = tagNumber;
        tag_.tagClass = BACnetTag::kContextClass;
    }

    // Context tag n around the value (the tag is the value's own header).
    [[nodiscard]] uint16_t DecodeWithContext(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome,
                                             uint8_t contextTag, bool quiet = false) override;
    [[nodiscard]] uint16_t EncodeWithContext(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome,
                                             uint8_t contextTag) override;

    // "datatype", and "context" when context-tagged.
    bool GetAttributes(RenderAttributes& attributes) const override;

    const BACnetTag& Tag() const { return tag_; }

    // A new empty primitive for datatypes 0 to 12; null (reported) otherwise.
    static std::unique_ptr<BACnetPrimitiveBase> PrimitiveFactory(uint8_t datatype);

protected:
    // Back to application tag `datatype`, length 0, not valid; value invalid.
    void ResetPrimitive(uint8_t datatype) {
        tag_ = BACnetTag{};
        tag_.tagNumber = datatype;
        valid_ = false;
    }
    // After a setter: the content length and both valid flags.
    void MarkAssigned(uint32_t contentLength) {
        tag_.lengthValueType = contentLength;
        tag_.valid = true;
        valid_ = true;
    }
    // This value's header (its own tag number and class, `contentLength`)
    // into `header` (BACnetTag::kMaxHeaderSize octets): the header size, or
    // 0 when the tag is not valid or the header needs more than `room`.
    uint16_t BuildHeader(uint32_t contentLength, uint16_t room, uint8_t* header) const {
        BACnetTag tag = tag_;
        tag.lengthValueType = contentLength;
        return tag.Encode(header, std::min<uint16_t>(room, BACnetTag::kMaxHeaderSize));
    }
    // A number (an integer, enumeration, real, double or object
    // identifier): this value's tag (application tag `datatype` or a context
    // tag), then its content octets, most significant first, into
    // `contents`: exactly `fixedLength` of them, or 1 to 4 when
    // `fixedLength` is 0. The octets used, with the content length in
    // `contentLength`; on failure 0, the value reset, the answer recorded in
    // `outcome` and `failure` set to the text the caller reports (null for a
    // failure that is not reported).
    uint16_t DecodeNumber(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome, uint8_t datatype,
                          uint32_t fixedLength, uint64_t& contents, uint32_t& contentLength, const char*& failure);
    // This value's tag and `contentLength` content octets of `contents`;
    // 0 on failure, with the answer in `outcome` and the text to report in
    // `failure` (`invalidText` for a value that is not valid).
    uint16_t EncodeNumber(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome, uint32_t contentLength,
                          uint64_t contents, const char* invalidText, const char*& failure) const;
    // A string (of octets, characters or bits), after the caller's own
    // checks of the buffer: this value's tag (application tag `datatype` or
    // a context tag), whose content octets must all be in the buffer. The
    // header size, with the content length in `contentLength`; on failure 0,
    // the value reset, the answer recorded in `outcome` and `failure` set to
    // the text the caller reports (`tagFailureText` for a tag that cannot be
    // read).
    uint16_t DecodeStringHeader(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome, uint8_t datatype,
                                const char* tagFailureText, uint32_t& contentLength, const char*& failure);
    // A date or a time: this value's tag (application tag `datatype` or a
    // context tag) and four content octets into `contents`. The octets
    // used; on failure 0, the value reset, the answer recorded in `outcome`
    // and `failure` set to the text the caller reports (null for a failure
    // that is not reported). `invalidTagText` is reported for another
    // application tag.
    uint16_t DecodeFourOctets(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome, uint8_t datatype,
                              const char* invalidTagText, uint8_t (&contents)[4], const char*& failure);
    // The tag and the four content octets of a date or a time; 0 on
    // failure, with the answer in `outcome` and the text to report in
    // `failure`.
    uint16_t EncodeFourOctets(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome,
                              const uint8_t (&contents)[4], const char*& failure) const;
    // A copy of `self` owned by the caller, or null when memory runs out.
    template <class T>
    static std::unique_ptr<ICodable> CloneOf(const T& self) {
        try {
            return std::unique_ptr<ICodable>(new (std::nothrow) T(self));
        } catch (const std::bad_alloc&) {
            return nullptr;
        }
    }

    BACnetTag tag_;

private:
    // What a number, a date or a time reports when its tag cannot be read
    // (and the reject reason then), when another application tag comes, and
    // when it cannot be encoded.
    struct ContentTexts {
        const char* tagFailure;
        uint32_t tagFailureReason;
        const char* invalidTag;
        const char* invalidParameters;
        const char* invalidObject;
        const char* headerFailure;
    };
    static const ContentTexts kNumberTexts;
    static const ContentTexts kFourOctetTexts;
    // The shared part of DecodeNumber and DecodeFourOctets, after their
    // checks of the buffer.
    uint16_t DecodeContents(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome, uint8_t datatype,
                            uint32_t fixedLength, const ContentTexts& texts, uint64_t& contents,
                            uint32_t& contentLength, const char*& failure);
    // EncodeNumber and EncodeFourOctets: the tag and the content octets.
    uint16_t EncodeContents(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome, uint32_t contentLength,
                            uint64_t contents, const ContentTexts& texts, const char*& failure) const;
};

}  // namespace ZalvoBACnetStack

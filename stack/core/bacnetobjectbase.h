// The base of every value class: the valid flag, the context tag number of
// constructed values, and the bracketing of a constructed value between an
// opening and a closing context tag.
#pragma once

#include "core/icodable.h"
#include "render/irenderable.h"

namespace ZalvoBACnetStack {

class BACnetObjectBase : public ICodable, public IRenderable {
public:
    explicit BACnetObjectBase(int32_t contextTag = -1) : contextTag_(contextTag) {}

    bool IsValid() const { return valid_; }
    int32_t GetContextTag() const override { return contextTag_; }

    // Opening tag n, the class's own Decode, closing tag n.
    [[nodiscard]] uint16_t DecodeWithContext(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome,
                                             uint8_t contextTag, bool quiet = false) override;
    // Opening tag n, the class's own Encode, closing tag n.
    [[nodiscard]] uint16_t EncodeWithContext(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome,
                                             uint8_t contextTag) override;

    std::string GetElementName() const override { return {}; }

protected:
    bool valid_ = false;
    int32_t contextTag_ = -1;
};

}  // namespace ZalvoBACnetStack

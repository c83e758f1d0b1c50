// The error answering AddListElement (error choice 8) and
// RemoveListElement (9): the error, enclosed in context tag 0, and the
// number of the first list element that could not be added or removed, in
// context tag 1.
#pragma once

#include "services/bacnetstackelementnumbererror.h"

namespace ZalvoBACnetStack {

class BACnetChangeListError : public BACnetStackElementNumberError {
public:
    BACnetChangeListError();

    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return Datatype::kChangeListError; }
    std::string GetElementName() const override { return "ChangeListError"; }
};

}  // namespace ZalvoBACnetStack

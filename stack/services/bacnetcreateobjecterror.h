// The error answering CreateObject (error choice 10): the error, enclosed in
// context tag 0, and the number of the first element of the list of initial
// values that could not be applied (0 when the failure lies elsewhere), in
// context tag 1.
#pragma once

#include "services/bacnetstackelementnumbererror.h"

namespace ZalvoBACnetStack {

class BACnetCreateObjectError : public BACnetStackElementNumberError {
public:
    BACnetCreateObjectError();

    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return Datatype::kCreateObjectError; }
    std::string GetElementName() const override { return "CreateObjectError"; }
};

}  // namespace ZalvoBACnetStack

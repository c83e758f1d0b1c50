// BACnetPrimitiveBase::PrimitiveFactory: a new, empty primitive for an
// application tag number (datatypes 0 to 12).
#include "core/bacnetprimitivebase.h"
#include "core/bacnetprimitivebitstring.h"
#include "core/bacnetprimitivebool.h"
#include "core/bacnetprimitivecharstring.h"
#include "core/bacnetprimitivedate.h"
#include "core/bacnetprimitivedouble.h"
#include "core/bacnetprimitiveenum.h"
#include "core/bacnetprimitiveint.h"
#include "core/bacnetprimitivenull.h"
#include "core/bacnetprimitiveobjectidentifier.h"
#include "core/bacnetprimitiveoctstring.h"
#include "core/bacnetprimitivereal.h"
#include "core/bacnetprimitivetime.h"
#include "core/bacnetprimitiveuint.h"
#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetprimitivebase";
constexpr const char* kPrimitiveFactory = "ZalvoBACnetStack::BACnetPrimitiveBase::PrimitiveFactory";

template <class T>
std::unique_ptr<BACnetPrimitiveBase> MakeEmpty() {
    return std::unique_ptr<BACnetPrimitiveBase>(new (std::nothrow) T());
}
}  // namespace

std::unique_ptr<BACnetPrimitiveBase> BACnetPrimitiveBase::PrimitiveFactory(uint8_t datatype) {
    switch (datatype) {
        case Datatype::kNull: return MakeEmpty<BACnetPrimitiveNULL>();
        case Datatype::kBoolean: return MakeEmpty<BACnetPrimitiveBOOL>();
        case Datatype::kUnsigned: return MakeEmpty<BACnetPrimitiveUINT>();
        case Datatype::kSigned: return MakeEmpty<BACnetPrimitiveINT>();
        case Datatype::kReal: return MakeEmpty<BACnetPrimitiveREAL>();
        case Datatype::kDouble: return MakeEmpty<BACnetPrimitiveDOUBLE>();
        case Datatype::kOctetString: return MakeEmpty<BACnetPrimitiveOctSTRING>();
        case Datatype::kCharacterString: return MakeEmpty<BACnetPrimitiveCharSTRING>();
        case Datatype::kBitString: return MakeEmpty<BACnetPrimitiveBitSTRING>();
        case Datatype::kEnumerated: return MakeEmpty<BACnetPrimitiveENUM>();
        case Datatype::kDate: return MakeEmpty<BACnetPrimitiveDATE>();
        case Datatype::kTime: return MakeEmpty<BACnetPrimitiveTIME>();
        case Datatype::kObjectIdentifier: return MakeEmpty<BACnetPrimitiveObjectIdentifier>();
        default: break;
    }
    StackErrorLog(kPrimitiveFactory, kSource, __LINE__, "PANIC - invalid BACnet Primitive datatype=[%u]", unsigned{datatype});
    return nullptr;
}

}  // namespace ZalvoBACnetStack

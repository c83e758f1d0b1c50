// The exported C functions: thin shims into the stack.
#include "bacnetstack.h"

#include "core/bacnetstackversion.h"

using namespace ZalvoBACnetStack;

extern "C" {

uint32_t BACnetStack_GetAPIMajorVersion(void) { return kStackVersionMajor; }
uint32_t BACnetStack_GetAPIMinorVersion(void) { return kStackVersionMinor; }
uint32_t BACnetStack_GetAPIPatchVersion(void) { return kStackVersionPatch; }
uint32_t BACnetStack_GetAPIBuildVersion(void) { return kStackVersionBuild; }

}  // extern "C"

// The exported C functions: thin shims into the stack.
#include "bacnetstack.h"

#include <cstring>
#include <string>

#include "core/bacnetstackversion.h"
#include "message/bacnetippacket.h"
#include "render/xmlrenderer.h"

using namespace ZalvoBACnetStack;

extern "C" {

uint32_t BACnetStack_GetAPIMajorVersion(void) { return kStackVersionMajor; }
uint32_t BACnetStack_GetAPIMinorVersion(void) { return kStackVersionMinor; }
uint32_t BACnetStack_GetAPIPatchVersion(void) { return kStackVersionPatch; }
uint32_t BACnetStack_GetAPIBuildVersion(void) { return kStackVersionBuild; }

// One payload in, one document out; the packet lives only for this call.
uint32_t BACnetStack_DecodeAsXML(const uint8_t* buffer, uint16_t length, char* xmlBuffer, uint32_t xmlBufferSize) {
    BACnetIPPacket packet;
    BACnetErrorOutcome outcome;
    if (packet.Decode(buffer, length, &outcome) == 0) return 0;
    // The text is written into one string kept from call to call, so a
    // document costs no allocation once the string has grown to its size;
    // an unusually large document does not keep its room afterwards.
    constexpr size_t kKeptTextCapacity = 256 * 1024;
    thread_local std::string text;
    text.clear();
    const XMLRenderer renderer;
    renderer.WriteHeader(text);
    renderer.Render(&packet, text);
    const size_t size = text.size();
    const bool fits = xmlBuffer != nullptr && size <= xmlBufferSize;
    if (fits) std::memcpy(xmlBuffer, text.data(), size);
    if (text.capacity() > kKeptTextCapacity) std::string().swap(text);
    return fits ? static_cast<uint32_t>(size) : 0;
}

}  // extern "C"

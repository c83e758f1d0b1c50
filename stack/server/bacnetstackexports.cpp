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
    std::string text;
    text.reserve(1024);
    const XMLRenderer renderer;
    renderer.WriteHeader(text);
    renderer.Render(&packet, text);
    if (xmlBuffer == nullptr || text.size() > xmlBufferSize) return 0;
    std::memcpy(xmlBuffer, text.data(), text.size());
    return static_cast<uint32_t>(text.size());
}

}  // extern "C"

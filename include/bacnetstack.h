/*
 * Zalvo BACnet Stack: the exported C interface.
 *
 * A flat set of functions with the C calling convention, fixed-width integer
 * arguments and one-byte booleans (0 = false). Everything runs on the
 * caller's thread; callbacks run synchronously inside these calls.
 */
#ifndef ZALVO_BACNETSTACK_H
#define ZALVO_BACNETSTACK_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Versions: 3, 3, 2 and 0. */
uint32_t BACnetStack_GetAPIMajorVersion(void);
uint32_t BACnetStack_GetAPIMinorVersion(void);
uint32_t BACnetStack_GetAPIPatchVersion(void);
uint32_t BACnetStack_GetAPIBuildVersion(void);

/*
 * Decodes one BACnet/IP UDP payload (virtual link layer, network layer,
 * application PDU) and copies its XML description into xmlBuffer.
 * Returns the number of characters copied (no terminating NUL is written),
 * or 0 when the payload does not decode or the text is longer than
 * xmlBufferSize; the buffer is then left untouched.
 */
uint32_t BACnetStack_DecodeAsXML(const uint8_t* buffer, uint16_t length, char* xmlBuffer, uint32_t xmlBufferSize);

#ifdef __cplusplus
}
#endif

#endif /* ZALVO_BACNETSTACK_H */

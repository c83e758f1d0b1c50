/* Compiled as C: the public header must stay plain C. */
#include "bacnetstack.h"

int main(void) {
    return BACnetStack_GetAPIMajorVersion() == 3u && BACnetStack_GetAPIPatchVersion() == 2u ? 0 : 1;
}

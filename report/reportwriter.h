// Prints the traffic report of one capture through ReportPrint: the packet
// outcome counters, the PDU counts, the packet statistics, and per IPv4
// address its message counters and the networks, devices, objects and
// properties seen with their latest values.
#pragma once

#include <cstdint>

#include "report/packetinfodb.h"

namespace Tarnwick {

void PrintReport(const PacketInfoDB& db);

// The newest three values, newest first, "<value> (Pkt: <n>)" separated by
// ", ", with a note when older values remain; "{No response}" without values.
void PrintValueHistory(const PropertyRecord& property);

// The object type's name for the report: types 0 to 59 by the standard's
// name in lower camel case, 60 and above "Proprietary/Unknown".
const char* ReportObjectTypeName(uint32_t objectType);

}  // namespace Tarnwick

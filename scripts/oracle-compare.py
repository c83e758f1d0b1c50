#!/usr/bin/env python3
"""Compare tarnwick's decoding of BACnet/IP captures with tshark's, packet by packet.

tshark (the Wireshark command line) decodes every capture independently of
our stack. For each capture this script runs tshark with PDML output and runs
the tarnwick program on a copy of the capture in a temporary directory, then
reads both views of every UDP packet and compares:

  decoded        whether each side decoded the packet at all
  bvlc.function  the BVLC function code
  bvlc.result    the BVLC-Result code
  bvlc.origin    the originating address of a Forwarded-NPDU
  npdu.control   the NPDU control octet
  npdu.*         DNET, DLEN, DADR, SNET, SLEN, SADR and hop count (absent when not on the wire)
  npdu.message   tshark saw a network layer message (control bit 7)
  pdu.type       the APDU type
  pdu.service    the service (or service ACK / error) choice
  pdu.invoke     the invoke ID (or original invoke ID)
  pdu.reason     the reject or abort reason
  pdu.server     the server flag of an Abort
  pdu.segment    segmented flag, more-follows flag, sequence number and window size
  pdu.accepts    max segments and max APDU codes of a confirmed request
  objects        every object identifier of the APDU, in wire order
  properties     every context-tagged property identifier, in wire order
  values         every application-tagged value of the APDU, in wire order:
                 its tag, and its value for BOOLEAN, Unsigned, Signed, REAL, Double,
                 CharacterString (UTF-8), BIT STRING, ENUMERATED, Date (year,
                 month, day), Time and BACnetObjectIdentifier
  errors         error class and code pairs (Error PDUs, property access errors)
  whois.limits   the device instance range of Who-Is
  process        subscriber process identifiers of COV notifications

Fields after "decoded" are compared only when both sides decoded the packet.
The summary table per capture lists the packets compared, the agreements,
the disagreements by field and the packets that only one side decodes; the
first disagreements follow in detail.

  scripts/oracle-compare.py                      shared captures and samples/
  scripts/oracle-compare.py a.pcap b.pcap        these captures
  scripts/oracle-compare.py --details 10         more detail lines per capture
  scripts/oracle-compare.py --only-disagreeing   hide captures that fully agree

tarnwick is built on demand into build-oracle/ (RelWithDebInfo) unless
--tarnwick names an executable. Exit status: 0 when the comparison ran
(disagreements are findings, not failures), 2 when a tool is missing.
"""

import argparse
import collections
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SHARED = os.path.normpath(os.path.join(ROOT, "..", "shared"))
NAMES_DIR = os.path.join(SHARED, "bacnet-names")

# BACnet/IP UDP ports are 0xBAC0 to 0xBACF; tshark only knows 47808 by
# default, so the others seen in a capture are handed to it as BVLC.
BACNET_PORTS = range(47808, 47824)

BVLC_FUNCTIONS = {
    "result": 0x00, "writeBroadcastDistributionTable": 0x01, "readBroadcastDistributionTable": 0x02,
    "readBroadcastDistributionTableAck": 0x03, "forwardedNPDU": 0x04, "registerForeignDevice": 0x05,
    "readForeignDeviceTable": 0x06, "readForeignDeviceTableAck": 0x07, "deleteForeignDeviceTableEntry": 0x08,
    "distributeBroadcastToNetwork": 0x09, "originalUnicastNPDU": 0x0A, "originalBroadcastNPDU": 0x0B,
    "secureBVLL": 0x0C,
}
# BVLC functions that carry no NPDU: a decoded packet is the BVLL alone.
BVLC_WITHOUT_NPDU = {0x00, 0x01, 0x02, 0x03, 0x05, 0x06, 0x07, 0x08, 0x0C}

PDU_ELEMENTS = {
    "ConfirmedRequestPDU": 0, "UnconfirmedRequestPDU": 1, "SimpleAckPDU": 2, "ComplexACKPDU": 3,
    "ErrorPDU": 5, "RejectPDU": 6, "AbortPDU": 7,
}
PDU_NAMES = {0: "Confirmed-REQ", 1: "Unconfirmed-REQ", 2: "Simple-ACK", 3: "Complex-ACK", 4: "Segment-ACK",
             5: "Error", 6: "Reject", 7: "Abort"}

FIELDS = ["decoded", "bvlc.function", "bvlc.result", "bvlc.origin", "npdu.control", "npdu.dnet", "npdu.dlen", "npdu.dadr",
          "npdu.snet", "npdu.slen", "npdu.sadr", "npdu.hopcount", "npdu.message", "pdu.type", "pdu.service",
          "pdu.invoke", "pdu.reason", "pdu.server", "pdu.segment", "pdu.accepts", "objects", "properties",
          "values", "errors", "whois.limits", "process"]

UNKNOWN_NAME = re.compile(r"^Unknown Enumeration Value \((\d+)\)$")
LAST_NUMBER = re.compile(r"\((-?\d+)\)\s*$")
TRAILING_NUMBER = re.compile(r"(-?\d+(?:\.\d+)?(?:[eE][-+]?\d+)?)\s*$")


def load_names(table):
    """name -> number for one of the shared enumeration name tables."""
    names = {}
    path = os.path.join(NAMES_DIR, table + ".tsv")
    with open(path, encoding="utf-8") as source:
        for line in source:
            parts = line.rstrip("\n").split("\t")
            if len(parts) == 2 and parts[0].isdigit():
                names[parts[1]] = int(parts[0])
    return names


def enum_number(text, names):
    """The number of a rendered enumeration name, or None."""
    if text is None:
        return None
    if text in names:
        return names[text]
    match = UNKNOWN_NAME.match(text)
    return int(match.group(1)) if match else None


def as_int(text):
    if text is None or text == "":
        return None
    try:
        return int(text, 0)
    except ValueError:
        return None


def norm_real(text, digits=6):
    try:
        value = float(text)
    except (TypeError, ValueError):
        return None
    if value != value:
        return "nan"
    return "%.*g" % (digits, value)


# ---------------------------------------------------------------------------
# tshark side


def tshark_ports(capture):
    """The BACnet/IP ports other than 47808 that UDP frames of the capture use."""
    out = subprocess.run(["tshark", "-r", capture, "-T", "fields", "-e", "udp.srcport", "-e", "udp.dstport",
                          "-Y", "udp"], capture_output=True, text=True, check=False).stdout
    ports = set()
    for line in out.splitlines():
        for field in line.split("\t"):
            port = as_int(field)
            if port in BACNET_PORTS and port != 47808:
                ports.add(port)
    return sorted(ports)


class Node:
    """One PDML field: name, show text, position, size, children."""

    __slots__ = ("name", "show", "value", "pos", "size", "children")

    def __init__(self, element):
        self.name = element.get("name", "")
        show = element.get("show")
        if show is None:
            show = element.get("showname", "")
        self.show = show
        self.value = element.get("value", "")
        self.pos = as_int(element.get("pos")) or 0
        self.size = as_int(element.get("size")) or 0
        self.children = [Node(child) for child in element if child.tag in ("field", "proto")]

    def walk(self):
        yield self
        for child in self.children:
            yield from child.walk()

    def first(self, name):
        for node in self.walk():
            if node.name == name:
                return node
        return None


def object_ids_in(node):
    """(type, instance) pairs of the objectType/instance_number fields under node, in order."""
    ids = []
    pending_type = None
    for sub in node.walk():
        if sub.name == "bacapp.objectType":
            pending_type = as_int(sub.show)
        elif sub.name == "bacapp.instance_number" and pending_type is not None:
            ids.append((pending_type, as_int(sub.show)))
            pending_type = None
    return ids


MONTHS = {name: number for number, name in enumerate(
    ["January", "February", "March", "April", "May", "June", "July", "August", "September", "October", "November",
     "December"], start=1)}
DATE_TEXT = re.compile(r"(\w+) (\d+), (\d+), \(Day of Week")
TIME_TEXT = re.compile(r"= (\d+):(\d+):(\d+)\.(\d+)\s*$")
BITS_TEXT = re.compile(r"\(Bit String\) \(([TF]*)\)\s*$")
REAL_TEXT = re.compile(r"(-?(?:\d+(?:\.\d*)?|\.\d+)(?:[eE][-+]?\d+)?|-?nan|-?inf)\s*\((?:Real|Double)\)")
QUOTED_TEXT = re.compile(r"'(.*)'\s*$", re.DOTALL)


def tshark_value(node, tag):
    """(tag, value) of an application-tagged tshark value node.

    tshark names few values as fields (present_value.*, object_name, the error
    enumerations); the others are text lines such as "units:  Percent (98)",
    "priority-array[16]: 49.149994 (Real)" or "description: UTF-8 'Zone'",
    whose value is taken from the end of the text.
    """
    if tag == 1:
        if node.show.rstrip().endswith("TRUE"):
            return (tag, 1)
        if node.show.rstrip().endswith("FALSE"):
            return (tag, 0)
        return (tag, None)
    if tag in (2, 3):
        for sub in node.walk():
            if sub.name in ("bacapp.present_value.uint", "bacapp.present_value.int", "bacapp.vendor_identifier"):
                return (tag, as_int(sub.show))
        match = LAST_NUMBER.search(node.show) or TRAILING_NUMBER.search(node.show)
        return (tag, int(float(match.group(1))) if match else None)
    if tag in (4, 5):
        for sub in node.walk():
            if sub.name in ("bacapp.present_value.real", "bacapp.present_value.double"):
                return (tag, norm_real(sub.show))
        match = REAL_TEXT.search(node.show) or TRAILING_NUMBER.search(node.show)
        return (tag, norm_real(match.group(1)) if match else None)
    if tag == 7:
        for sub in node.walk():
            if sub.name in ("bacapp.present_value.char_string", "bacapp.object_name"):
                return (tag, sub.show)
        match = QUOTED_TEXT.search(node.show)
        return (tag, match.group(1) if match else None)
    if tag == 9:
        for sub in node.walk():
            if sub.name in ("bacapp.present_value.enum_index", "bacapp.error_class", "bacapp.error_code"):
                return (tag, as_int(sub.show))
        match = LAST_NUMBER.search(node.show) or TRAILING_NUMBER.search(node.show)
        return (tag, int(match.group(1)) if match else None)
    if tag == 8:
        match = BITS_TEXT.search(node.show)
        return (tag, "".join("1" if bit == "T" else "0" for bit in match.group(1)) if match else None)
    if tag == 10:
        match = DATE_TEXT.search(node.show)
        if match and match.group(1) in MONTHS:
            return (tag, (int(match.group(3)), MONTHS[match.group(1)], int(match.group(2))))
        return (tag, None)
    if tag == 11:
        match = TIME_TEXT.search(node.show)
        return (tag, tuple(int(part) for part in match.groups()) if match else None)
    if tag == 12:
        ids = object_ids_in(node)
        return (tag, ids[0] if ids else None)
    return (tag, None)


def tshark_values(bacapp):
    """Application-tagged values under the APDU: nodes with an "Application Tag" child."""
    values = []

    def visit(node):
        tag = None
        for child in node.children:
            if child.show.startswith("Application Tag:"):
                number = child.first("bacapp.application_tag_number")
                if number is not None:
                    tag = as_int(number.show)
        if tag is not None:
            values.append((node.pos, tshark_value(node, tag)))
            return
        for child in node.children:
            visit(child)

    for child in bacapp.children:
        visit(child)
    values.sort(key=lambda item: item[0])
    return [value for _, value in values]


def tshark_packet(packet):
    """The comparison record of one PDML <packet>."""
    record = {"udp": False, "decoded": False}
    protos = {}
    number = None
    for proto in packet:
        name = proto.get("name")
        if name == "geninfo":
            for field in proto:
                if field.get("name") == "num":
                    number = as_int(field.get("show"))
        elif name not in protos:
            protos[name] = Node(proto)
    record["number"] = number
    record["udp"] = "udp" in protos
    if "bvlc" not in protos:
        return record
    bvlc = protos["bvlc"]
    function = bvlc.first("bvlc.function")
    record["bvlc.function"] = as_int(function.show) if function else None
    result = bvlc.first("bvlc.result")
    record["bvlc.result"] = as_int(result.show) if result else None
    ip, port = bvlc.first("bvlc.fwd_ip"), bvlc.first("bvlc.fwd_port")
    record["bvlc.origin"] = "%s:%s" % (ip.show, port.show) if ip and port else None
    malformed = "_ws.malformed" in protos
    if record["bvlc.function"] in BVLC_WITHOUT_NPDU:
        record["decoded"] = not malformed
        return record
    npdu = protos.get("bacnet")
    if npdu is None:
        return record
    control = npdu.first("bacnet.control")
    record["npdu.control"] = as_int(control.show) if control else None
    for key, field in (("npdu.dnet", "bacnet.dnet"), ("npdu.dlen", "bacnet.dlen"), ("npdu.snet", "bacnet.snet"),
                       ("npdu.slen", "bacnet.slen"), ("npdu.hopcount", "bacnet.hopc")):
        node = npdu.first(field)
        record[key] = as_int(node.show) if node else None
    for key, fields in (("npdu.dadr", ("bacnet.dadr_eth", "bacnet.dadr_mstp", "bacnet.dadr_tmp")),
                        ("npdu.sadr", ("bacnet.sadr_eth", "bacnet.sadr_mstp", "bacnet.sadr_tmp"))):
        found = [node for node in npdu.walk() if node.name in fields]
        record[key] = found[0].value.lower() if found else None
    message = npdu.first("bacnet.mesgtyp")
    record["npdu.message"] = as_int(message.show) if message else None
    bacapp = protos.get("bacapp")
    if bacapp is None:
        record["decoded"] = record["npdu.message"] is not None and not malformed
        return record
    record["decoded"] = not malformed
    pdu_type = bacapp.first("bacapp.type")
    record["pdu.type"] = as_int(pdu_type.show) if pdu_type else None
    service = None
    for name in ("bacapp.confirmed_service", "bacapp.unconfirmed_service"):
        node = bacapp.first(name)
        if node is not None:
            service = as_int(node.show)
            break
    record["pdu.service"] = service
    invoke = bacapp.first("bacapp.invoke_id")
    record["pdu.invoke"] = as_int(invoke.show) if invoke else None
    reason = bacapp.first("bacapp.reject_reason") or bacapp.first("bacapp.abort_reason")
    record["pdu.reason"] = as_int(reason.show) if reason else None
    server = bacapp.first("bacapp.SRV")
    record["pdu.server"] = as_int(server.show) if server else None
    record["segmented"] = any(n.name == "bacapp.segmented_request" and n.show == "1" for n in bacapp.walk())
    record["pdu.segment"] = None
    if record["pdu.type"] in (0, 3):
        more = bacapp.first("bacapp.more_segments")
        sequence, window = bacapp.first("bacapp.sequence_number"), bacapp.first("bacapp.window_size")
        record["pdu.segment"] = (int(record["segmented"]), as_int(more.show) if more else 0,
                                 as_int(sequence.show) if sequence else None, as_int(window.show) if window else None)
    record["pdu.accepts"] = None
    if record["pdu.type"] == 0:
        segments, apdu = bacapp.first("bacapp.response_segments"), bacapp.first("bacapp.max_adpu_size")
        record["pdu.accepts"] = (as_int(segments.show) if segments else None, as_int(apdu.show) if apdu else None)
    low, high = bacapp.first("bacapp.who_is.low_limit"), bacapp.first("bacapp.who_is.high_limit")
    record["whois.limits"] = (as_int(low.show), as_int(high.show)) if low and high else None
    record["process"] = [as_int(n.show) for n in bacapp.walk() if n.name == "bacapp.processId"]
    record["objects"] = object_ids_in(bacapp)
    record["properties"] = [as_int(n.show) for n in bacapp.walk() if n.name == "bacapp.property_identifier"]
    record["values"] = tshark_values(bacapp)
    classes = [as_int(n.show) for n in bacapp.walk() if n.name == "bacapp.error_class"]
    codes = [as_int(n.show) for n in bacapp.walk() if n.name == "bacapp.error_code"]
    record["errors"] = list(zip(classes, codes))
    return record


def run_tshark(capture):
    """frame number -> tshark record, for every frame of the capture."""
    command = ["tshark", "-r", capture, "-T", "pdml", "-J", "udp bvlc bacnet bacapp _ws.malformed"]
    for port in tshark_ports(capture):
        command += ["-d", "udp.port==%d,bvlc" % port]
    records = {}
    with subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL) as process:
        try:
            for _, element in ET.iterparse(process.stdout, events=("end",)):
                if element.tag != "packet":
                    continue
                record = tshark_packet(element)
                if record["number"] is not None:
                    records[record["number"]] = record
                element.clear()
        except ET.ParseError:
            # tshark stops with no or cut output on files it cannot read;
            # the packets read so far are compared.
            process.kill()
    return records


# ---------------------------------------------------------------------------
# tarnwick side


class OurNames:
    def __init__(self):
        self.confirmed = load_names("BACnetConfirmedServiceChoice")
        self.unconfirmed = load_names("BACnetUnconfirmedServiceChoice")
        self.reject = load_names("BACnetRejectReason")
        self.abort = load_names("BACnetAbortReason")


def our_value(element):
    """(tag, value) of an application-tagged primitive element of our XML."""
    tag = as_int(element.get("datatype"))
    if tag in (2, 3, 9):
        return (tag, as_int(element.get("value")))
    if tag == 1:
        return (tag, as_int(element.get("value")))
    if tag in (4, 5):
        return (tag, norm_real(element.get("value")))
    if tag == 7:
        # Only UTF-8 (character set 0) text can be compared with tshark's.
        return (tag, (element.text or "") if element.get("encoding") == "0" else None)
    if tag == 8:
        text = element.text or ""
        return (tag, text[1:] if text.startswith("b") else None)
    if tag == 10:
        # The year attribute is the octet on the wire (years since 1900).
        year, month, day = (as_int(element.get(name)) for name in ("year", "month", "day"))
        if None in (year, month, day) or year == 255 or month > 12 or day > 31:
            return (tag, None)
        return (tag, (1900 + year, month, day))
    if tag == 11:
        return (tag, tuple(as_int(element.get(name)) for name in ("hour", "minute", "second", "hundrethSeconds")))
    if tag == 12:
        return (tag, (as_int(element.get("objectType")), as_int(element.get("objectInstance"))))
    return (tag, None)


def our_packet(data, names):
    """The comparison record of one of our XML documents."""
    record = {"decoded": True}
    body = data[data.find(b"<BACnetPacket"):] if b"<BACnetPacket" in data else data
    try:
        root = ET.fromstring(body)
    except ET.ParseError:
        # Character strings are written byte for byte, so a document may hold
        # bytes that no XML parser takes. The traffic report then drops every
        # byte at or below 0x01 or at or above 0x80 and parses again; here the
        # other control characters go as well, since Python's parser refuses
        # them where tinyxml2 lets them pass.
        cleaned = bytes(b for b in body if (0x20 <= b < 0x80) or b in (0x09, 0x0A, 0x0D))
        try:
            root = ET.fromstring(cleaned)
        except ET.ParseError as error:
            record["xml_error"] = str(error)
            return record
        record["xml_fallback"] = True
    bvll = root.find("BVLL")
    record["bvlc.function"] = BVLC_FUNCTIONS.get(bvll.get("function")) if bvll is not None else None
    result = bvll.find("Result") if bvll is not None else None
    record["bvlc.result"] = as_int(result.get("code")) if result is not None else None
    origin = bvll.find("OriginatingDevice") if bvll is not None else None
    record["bvlc.origin"] = origin.text if origin is not None else None
    npdu = root.find("NPDU")
    if npdu is None:
        return record

    def number(tag):
        node = npdu.find(tag)
        return as_int(node.text) if node is not None else None

    def length(tag):
        node = npdu.find(tag)
        return as_int(node.get("length")) if node is not None else None

    def address(tag):
        node = npdu.find(tag)
        if node is None:
            return None
        # A length of 0 (broadcast) has no address, as in tshark's view.
        text = node.text or ""
        return text[2:].lower() if text.startswith("0x") else None

    record["npdu.control"] = as_int(npdu.get("control"))
    record["npdu.dadr"] = address("DestinationAddress")
    record["npdu.sadr"] = address("SourceAddress")
    record["npdu.dnet"] = number("DestinationNetwork")
    record["npdu.dlen"] = length("DestinationAddress")
    record["npdu.snet"] = number("SourceNetwork")
    record["npdu.slen"] = length("SourceAddress")
    record["npdu.hopcount"] = number("HopCount")
    record["npdu.message"] = None
    pdu = None
    for child in root:
        if child.tag in PDU_ELEMENTS:
            pdu = child
            break
    if pdu is None:
        return record
    pdu_type = PDU_ELEMENTS[pdu.tag]
    record["pdu.type"] = pdu_type
    record["segmented"] = pdu.get("segmentedMessage") == "1"
    if pdu_type == 1:
        record["pdu.service"] = enum_number(pdu.get("serviceChoice"), names.unconfirmed)
    elif pdu_type in (0, 3):
        record["pdu.service"] = enum_number(pdu.get("serviceChoice"), names.confirmed)
    elif pdu_type == 2:
        record["pdu.service"] = enum_number(pdu.get("serviceAckChoice"), names.confirmed)
    elif pdu_type == 5:
        record["pdu.service"] = enum_number(pdu.get("errorChoice"), names.confirmed)
    else:
        record["pdu.service"] = None
    invoke = pdu.get("invokeId") or pdu.get("originalInvokeId") or pdu.get("originalInvokeID")
    record["pdu.invoke"] = as_int(invoke)
    record["pdu.server"] = as_int(pdu.get("server")) if pdu_type == 7 else None
    record["pdu.segment"] = None
    if pdu_type in (0, 3):
        record["pdu.segment"] = (as_int(pdu.get("segmentedMessage")), as_int(pdu.get("moreFollows")),
                                 as_int(pdu.get("sequenceNumber")), as_int(pdu.get("proposedWindowSize")))
    record["pdu.accepts"] = None
    if pdu_type == 0:
        # The codes are written as "0x" and the code in decimal.
        record["pdu.accepts"] = tuple(as_int((pdu.get(name) or "").replace("0x", "", 1) or None)
                                      for name in ("maxSegmentsAccepted", "maxAdpuLengthAccepted"))
    if pdu_type == 6:
        record["pdu.reason"] = enum_number(pdu.get("rejectReason"), names.reject)
    elif pdu_type == 7:
        record["pdu.reason"] = enum_number(pdu.get("abortReason"), names.abort)
    else:
        record["pdu.reason"] = None
    objects, properties, values, errors = [], [], [], []
    for element in pdu.iter():
        if element is pdu:
            continue
        if element.get("objectType") is not None and element.get("objectInstance") is not None:
            objects.append((as_int(element.get("objectType")), as_int(element.get("objectInstance"))))
        if element.tag == "PropertyIdentifier" and element.get("context") is not None:
            properties.append(as_int(element.get("value")))
        datatype = as_int(element.get("datatype"))
        if datatype is not None and 0 <= datatype <= 12 and element.get("context") is None:
            values.append(our_value(element))
        if element.tag == "ErrorClass":
            errors.append([as_int(element.get("value")), None])
        elif element.tag == "ErrorCode" and errors and errors[-1][1] is None:
            errors[-1][1] = as_int(element.get("value"))
    low, high = pdu.find("WhoIsRequest/DeviceInstanceRangeLowLimit"), pdu.find("WhoIsRequest/DeviceInstanceRangeHighLimit")
    record["whois.limits"] = ((as_int(low.get("value")), as_int(high.get("value")))
                              if low is not None and high is not None else None)
    record["process"] = [as_int(node.get("value")) for service in pdu
                         if service.tag.endswith("COVNotificationRequest")
                         for node in service.iter("SubscriberProcessIdentifier")]
    record["objects"] = objects
    record["properties"] = properties
    record["values"] = values
    record["errors"] = [tuple(pair) for pair in errors]
    return record


def build_tarnwick():
    build = os.path.join(ROOT, "build-oracle")
    subprocess.run(["cmake", "-S", ROOT, "-B", build, "-DCMAKE_BUILD_TYPE=RelWithDebInfo"], check=True,
                   stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", build, "-j2", "--target", "tarnwick"], check=True, stdout=subprocess.DEVNULL)
    return os.path.join(build, "tarnwick")


def run_tarnwick(tarnwick, capture, names):
    """frame number -> our record for every packet tarnwick decoded, and the console text."""
    records = {}
    with tempfile.TemporaryDirectory(prefix="oracle-") as work:
        name = os.path.basename(capture)
        shutil.copyfile(capture, os.path.join(work, name))
        result = subprocess.run([tarnwick, name], cwd=work, capture_output=True, check=False)
        console = result.stdout.decode("utf-8", "replace")
        prefix = name + "__packet_"
        for entry in os.listdir(work):
            if entry.startswith(prefix) and entry.endswith(".xml"):
                number = as_int(entry[len(prefix):-4].lstrip("0") or "0")
                with open(os.path.join(work, entry), "rb") as source:
                    records[number] = our_packet(source.read(), names)
    return records, console


# ---------------------------------------------------------------------------
# comparison

# The services our decoder has classes for; any other choice fails the packet.
CONFIRMED_SERVICES = {1, 5, 12, 14, 15, 16}
UNCONFIRMED_SERVICES = {0, 1, 2, 4, 6, 7, 8, 9}
ACK_SERVICES = {12, 14}
ERROR_CHOICES = set(range(0, 13)) | set(range(14, 24)) | set(range(26, 32)) | {127}

SERVICE_NAMES = {}


def service_label(record):
    kind = PDU_NAMES.get(record.get("pdu.type"), "no PDU")
    service = record.get("pdu.service")
    if service is None:
        return kind
    table = SERVICE_NAMES.get("unconfirmed" if record.get("pdu.type") == 1 else "confirmed", {})
    return "%s %s" % (kind, table.get(service, str(service)))


def expected_failure(theirs):
    """Why our decoder is meant to refuse a packet that tshark decodes, or None."""
    if theirs.get("npdu.message") is not None:
        return "network layer message (the NPDU must carry an APDU)"
    pdu_type = theirs.get("pdu.type")
    service = theirs.get("pdu.service")
    if pdu_type == 4:
        return "Segment-ACK (no PDU class)"
    if pdu_type is not None and pdu_type > 7:
        return "PDU type %d (no PDU class)" % pdu_type
    if theirs.get("segmented"):
        return "segment of a segmented message (segments are not reassembled)"
    if pdu_type == 0 and service not in CONFIRMED_SERVICES:
        return "confirmed service without a class"
    if pdu_type == 1 and service not in UNCONFIRMED_SERVICES:
        return "unconfirmed service without a class"
    if pdu_type == 3 and service not in ACK_SERVICES:
        return "complex ACK without a class"
    if pdu_type == 5 and service not in ERROR_CHOICES:
        return "error choice without a class"
    return None


STACK_LINE = re.compile(r"^::(\S+)\(\) in file: (\w+)\(\d+\) - (.*)$")


SERVICE_LAYER = tuple("BACnet%s::" % name for name in (
    "ConfirmedRequestPDU", "UnconfirmedRequestPDU", "ComplexACKPDU", "ErrorPDU", "SimpleACKPDU", "RejectPDU",
    "AbortPDU", "Packet", "IPPacket"))


def our_failure_reason(tarnwick, capture, number):
    """Our decoder's reason for refusing one packet, from a run on that packet alone.

    The first report names where the trouble started; the last report below
    the PDU layer names the service member that could not be decoded.
    """
    with tempfile.TemporaryDirectory(prefix="oracle-") as work:
        name = os.path.basename(capture)
        os.symlink(os.path.abspath(capture), os.path.join(work, name))
        result = subprocess.run([tarnwick, name, str(number)], cwd=work, capture_output=True, check=False)
    reports = []
    driver_errors = []
    for line in result.stdout.decode("utf-8", "replace").splitlines():
        if line.startswith("Error: "):
            driver_errors.append("driver: " + line[len("Error: "):])
        match = STACK_LINE.match(line)
        if match:
            operation = match.group(1).replace("ZalvoBACnetStack::", "")
            reports.append("%s: %s" % (operation, match.group(3).strip()))
    if not reports:
        if driver_errors:
            return driver_errors[0]
        # The driver counted the frame as not UDP: it takes every frame as
        # Ethernet II carrying IPv4 (no VLAN tags, no IPv6, no other link types).
        return "not handed to the decoder (frame is not Ethernet II + IPv4 + UDP for the driver)"
    service = [report for report in reports if not report.startswith(SERVICE_LAYER)]
    if service and service[-1] != reports[0]:
        return "%s ... %s" % (reports[0], service[-1])
    return reports[0]


def values_differ(ours, theirs):
    """Application-tagged value lists differ: count, tags, or a value both sides know."""
    if len(ours) != len(theirs):
        return True
    for (our_tag, our_value), (their_tag, their_value) in zip(ours, theirs):
        if our_tag != their_tag:
            return True
        if our_value is not None and their_value is not None and our_value != their_value:
            return True
    return False


def compare_packet(ours, theirs):
    """Field names on which the two records disagree."""
    if ours is None or not ours.get("decoded"):
        return ["decoded"] if theirs.get("decoded") else []
    if not theirs.get("decoded"):
        return ["decoded"]
    if "xml_error" in ours:
        return ["xml"]
    differing = []
    for field in FIELDS[1:]:
        if field == "npdu.message":
            if theirs.get(field) is not None:
                differing.append(field)
        elif field == "values":
            if values_differ(ours.get(field, []), theirs.get(field, [])):
                differing.append(field)
        elif theirs.get(field) != ours.get(field):
            differing.append(field)
    return differing


def describe(field, ours, theirs):
    if field == "decoded":
        return "ours=%s tshark=%s" % ("decoded" if ours and ours.get("decoded") else "failed",
                                      "decoded" if theirs.get("decoded") else "failed/not BACnet")
    if field == "xml":
        return "our document does not parse as XML: %s" % ours.get("xml_error")
    if field == "npdu.message":
        return "tshark: network layer message type %s; ours: PDU type %s" % (theirs.get(field), ours.get("pdu.type"))
    return "ours=%r tshark=%r" % (ours.get(field), theirs.get(field))


class CaptureResult:
    def __init__(self, name):
        self.name = name
        self.stats = collections.Counter()
        self.by_field = collections.Counter()
        self.checked = collections.Counter()
        self.classes = collections.Counter()
        self.examples = collections.defaultdict(list)


def compare_capture(capture, tarnwick, names, details, explain):
    result = CaptureResult(os.path.basename(capture))
    theirs_all = run_tshark(capture)
    ours_all, _ = run_tarnwick(tarnwick, capture, names)
    explained = 0
    for number in sorted(theirs_all):
        theirs = theirs_all[number]
        if not theirs["udp"]:
            continue
        ours = ours_all.get(number)
        stats = result.stats
        stats["compared"] += 1
        stats["ours decoded"] += ours is not None
        stats["tshark decoded"] += bool(theirs["decoded"])
        stats["both decoded"] += ours is not None and bool(theirs["decoded"])
        stats["xml fallback"] += ours is not None and bool(ours.get("xml_fallback"))
        differing = compare_packet(ours, theirs)
        if ours is not None and theirs["decoded"]:
            # How often each field carried something to compare: a check that
            # never meets a value proves nothing.
            for field in FIELDS[1:]:
                if theirs.get(field) not in (None, [], ()) or ours.get(field) not in (None, [], ()):
                    result.checked[field] += 1
        if not differing:
            stats["agree"] += 1
            continue
        stats["disagree"] += 1
        for field in differing:
            result.by_field[field] += 1
            if field == "decoded" and ours is None:
                stats["only tshark decodes"] += 1
                reason = expected_failure(theirs)
                if reason is None:
                    if explained < explain:
                        explained += 1
                        reason = "unexpected: " + our_failure_reason(tarnwick, capture, number)
                    else:
                        reason = "unexpected (not examined, raise --explain)"
                key = "we fail: %s" % reason
            elif field == "decoded":
                stats["only ours decodes"] += 1
                key = "only we decode"
            else:
                key = "%s in %s" % (field, service_label(theirs))
            result.classes[key] += 1
            if len(result.examples[key]) < details:
                if field == "decoded":
                    detail = "objects %s properties %s" % (theirs.get("objects"), theirs.get("properties"))
                else:
                    detail = describe(field, ours or {}, theirs)
                result.examples[key].append("packet %d (%s%s) %s" % (
                    number, service_label(theirs), ", segmented" if theirs.get("segmented") else "", detail))
    return result


def print_capture(result):
    print("== %s" % result.name)
    for key in ("compared", "agree", "disagree", "ours decoded", "tshark decoded", "both decoded",
                "only tshark decodes", "only ours decodes", "xml fallback"):
        print("   %-22s %7d" % (key, result.stats[key]))
    checked = ["%s %d" % (field, result.checked[field]) for field in FIELDS[1:] if result.checked[field]]
    if checked:
        print("   packets with a value to compare, by field:")
        for start in range(0, len(checked), 5):
            print("     " + ", ".join(checked[start:start + 5]))
    if result.by_field:
        print("   disagreements by field:")
        for field in FIELDS + ["xml"]:
            if result.by_field[field]:
                print("     %-20s %7d" % (field, result.by_field[field]))
        print("   disagreement classes:")
        for key, count in sorted(result.classes.items(), key=lambda item: (-item[1], item[0])):
            print("     %6d  %s" % (count, key))
            for example in result.examples[key]:
                print("               %s" % example)
    print()


def default_captures():
    found = []
    for folder in (os.path.join(SHARED, "captures"), os.path.join(ROOT, "samples")):
        if os.path.isdir(folder):
            found += sorted(os.path.join(folder, entry) for entry in os.listdir(folder) if entry.endswith(".pcap"))
    return found


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("captures", nargs="*", help="captures to compare (default: shared captures and samples/)")
    parser.add_argument("--tarnwick", help="the tarnwick executable (default: build it into build-oracle/)")
    parser.add_argument("--details", type=int, default=3, help="example packets shown per disagreement class")
    parser.add_argument("--explain", type=int, default=1000,
                        help="unexpected decode failures per capture rerun alone to find our reason")
    parser.add_argument("--only-disagreeing", action="store_true", help="hide captures without disagreements")
    args = parser.parse_args()
    if shutil.which("tshark") is None:
        print("tshark is not installed", file=sys.stderr)
        return 2
    tarnwick = os.path.abspath(args.tarnwick) if args.tarnwick else build_tarnwick()
    if not os.access(tarnwick, os.X_OK):
        print("no tarnwick executable at %s" % tarnwick, file=sys.stderr)
        return 2
    names = OurNames()
    SERVICE_NAMES["confirmed"] = {number: name for name, number in names.confirmed.items()}
    SERVICE_NAMES["unconfirmed"] = {number: name for name, number in names.unconfirmed.items()}
    totals = CaptureResult("total")
    results = []
    for capture in args.captures or default_captures():
        result = compare_capture(capture, tarnwick, names, args.details, args.explain)
        totals.stats.update(result.stats)
        totals.by_field.update(result.by_field)
        totals.checked.update(result.checked)
        totals.classes.update(result.classes)
        results.append(result)
        if result.stats["disagree"] or not args.only_disagreeing:
            print_capture(result)
    print("== Summary")
    print("   %-32s %8s %8s %8s %8s %8s" % ("capture", "compared", "agree", "disagree", "only-ts", "only-us"))
    for result in results + [totals]:
        stats = result.stats
        print("   %-32s %8d %8d %8d %8d %8d" % (result.name, stats["compared"], stats["agree"], stats["disagree"],
                                               stats["only tshark decodes"], stats["only ours decodes"]))
    print("   packets with a value to compare, by field, over all captures:")
    checked = ["%s %d" % (field, totals.checked[field]) for field in FIELDS[1:] if totals.checked[field]]
    for start in range(0, len(checked), 5):
        print("     " + ", ".join(checked[start:start + 5]))
    if totals.classes:
        print("   disagreement classes over all captures:")
        for key, count in sorted(totals.classes.items(), key=lambda item: (-item[1], item[0])):
            print("     %6d  %s" % (count, key))
    return 0


if __name__ == "__main__":
    sys.exit(main())

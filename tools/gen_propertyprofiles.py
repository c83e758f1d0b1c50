#!/usr/bin/env python3
"""Generates stack/core/bacnetpropertyprofiletable.{h,cpp} from the property profile lists.

Usage: gen_propertyprofiles.py [PROFILES_DIR [OUTPUT_DIR]]

PROFILES_DIR holds one "<object type>-<objectTypeName>.tsv" per standard
object type. Each file starts with the header line

    property name required writable isArray isList datatype asn1Type

(tab-separated) and has one row per property the standard defines for the
type, in the order of the standard's definition: the property identifier,
its lower-camel name, the flags required, writable, isArray and isList (0 or
1), the datatype number of the value (of one element for an array or a list)
or "constructed" for a constructed type without a value class of its own,
and the standard's ASN.1 type. PROFILES_DIR defaults to
<repository>/../shared/bacnet-profiles, OUTPUT_DIR to <repository>/stack/core.

When the enumeration name lists sit beside the profiles (../bacnet-names),
the object type and property names are checked against them as well.

The output holds, per object type, the properties sorted by identifier (for
binary search) and the required properties in the standard's order, plus one
table indexed by object type. It depends only on the lists, so running the
generator again over the same lists reproduces the committed files byte for
byte.
"""

import os
import re
import sys

from generatedfile import write_if_changed

HEADER_NAME = "bacnetpropertyprofiletable.h"
SOURCE_NAME = "bacnetpropertyprofiletable.cpp"

COLUMNS = ["property", "name", "required", "writable", "isArray", "isList", "datatype", "asn1Type"]
FLAG_COLUMNS = ["required", "writable", "isArray", "isList"]
CONSTRUCTED = "constructed"

# The datatype numbers a profile row may carry: the primitives by their
# application tag number and the constructed types that have a value class.
DATATYPES = {
    0: "NULL",
    1: "BOOLEAN",
    2: "Unsigned",
    3: "INTEGER",
    4: "REAL",
    5: "Double",
    6: "OCTET STRING",
    7: "CharacterString",
    8: "BIT STRING",
    9: "ENUMERATED",
    10: "Date",
    11: "Time",
    12: "BACnetObjectIdentifier",
    16: "ABSTRACT-SYNTAX.&Type",
    18: "BACnetObjectPropertyReference",
    23: "BACnetRecipient",
    25: "BACnetCOVSubscription",
    27: "BACnetDateTime",
    33: "ReadAccessResult",
    35: "ReadAccessSpecification",
    116: "BACnetPriorityValue",
    117: "BACnetPriorityArray",
}

FILE_PATTERN = re.compile(r"^(\d+)-([A-Za-z][A-Za-z0-9]*)\.tsv$")
NAME_PATTERN = re.compile(r"^[A-Za-z][A-Za-z0-9]*$")
MAX_OBJECT_TYPE = 1023  # object types are 10 bits of an object identifier
MAX_PROPERTY = 4194303  # property identifiers are 22 bits
MAX_ROWS = 65535  # the counts are 16-bit


class ProfileError(Exception):
    pass


class Property:
    def __init__(self, identifier, name, flags, datatype):
        self.identifier = identifier
        self.name = name
        self.required, self.writable, self.is_array, self.is_list = flags
        self.datatype = datatype  # a number, or None for a constructed type


class ObjectType:
    def __init__(self, number, name, properties):
        self.number = number
        self.name = name
        self.properties = properties  # in the standard's order

    def identifier(self):
        return self.name[0].upper() + self.name[1:]

    def required(self):
        return [p.identifier for p in self.properties if p.required]


def read_name_list(path):
    names = {}
    if not os.path.isfile(path):
        return None
    with open(path, "r", encoding="utf-8", newline="") as handle:
        for line in handle.read().split("\n"):
            line = line.rstrip("\r")
            if line == "":
                continue
            fields = line.split("\t")
            if len(fields) == 2 and fields[0].isdigit():
                names[int(fields[0])] = fields[1]
    return names


def parse_number(text, where, what, maximum):
    if not text.isascii() or not text.isdigit():
        raise ProfileError("%s: %s '%s' is not a decimal number" % (where, what, text))
    value = int(text)
    if value > maximum:
        raise ProfileError("%s: %s %d is above %d" % (where, what, value, maximum))
    return value


def read_profile(path, number, type_name, property_names):
    with open(path, "r", encoding="utf-8", newline="") as handle:
        lines = handle.read().split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    lines = [line[:-1] if line.endswith("\r") else line for line in lines]
    if not lines or lines[0].split("\t") != COLUMNS:
        raise ProfileError("%s:1: the header line must be '%s'" % (path, "<TAB>".join(COLUMNS)))
    properties = []
    seen = set()
    for line_number, line in enumerate(lines[1:], start=2):
        where = "%s:%d" % (path, line_number)
        fields = line.split("\t")
        if len(fields) != len(COLUMNS):
            raise ProfileError("%s: expected %d tab-separated columns, found %d" % (where, len(COLUMNS), len(fields)))
        row = dict(zip(COLUMNS, fields))
        identifier = parse_number(row["property"], where, "property", MAX_PROPERTY)
        if identifier in seen:
            raise ProfileError("%s: property %d is listed twice" % (where, identifier))
        seen.add(identifier)
        name = row["name"]
        if not NAME_PATTERN.match(name):
            raise ProfileError("%s: name '%s' is not a lower-camel identifier" % (where, name))
        if property_names is not None and property_names.get(identifier) != name:
            raise ProfileError("%s: property %d is named '%s' in the property identifier list, not '%s'"
                               % (where, identifier, property_names.get(identifier), name))
        flags = []
        for column in FLAG_COLUMNS:
            if row[column] not in ("0", "1"):
                raise ProfileError("%s: %s must be 0 or 1, not '%s'" % (where, column, row[column]))
            flags.append(row[column] == "1")
        required, writable, is_array, is_list = flags
        if writable and not required:
            raise ProfileError("%s: property %d is writable but not required" % (where, identifier))
        if is_array and is_list:
            raise ProfileError("%s: property %d cannot be both an array and a list" % (where, identifier))
        if row["datatype"] == CONSTRUCTED:
            datatype = None
        else:
            datatype = parse_number(row["datatype"], where, "datatype", 255)
            if datatype not in DATATYPES:
                raise ProfileError("%s: datatype %d has no value class" % (where, datatype))
        if row["asn1Type"] == "":
            raise ProfileError("%s: the asn1Type column is empty" % where)
        properties.append(Property(identifier, name, flags, datatype))
    if not properties:
        raise ProfileError("%s: no properties" % path)
    if len(properties) > MAX_ROWS:
        raise ProfileError("%s: more than %d properties" % (path, MAX_ROWS))
    return ObjectType(number, type_name, properties)


def load_profiles(profiles_dir):
    names_dir = os.path.join(profiles_dir, "..", "bacnet-names")
    type_names = read_name_list(os.path.join(names_dir, "BACnetObjectType.tsv"))
    property_names = read_name_list(os.path.join(names_dir, "BACnetPropertyIdentifier.tsv"))
    types = {}
    for file_name in sorted(os.listdir(profiles_dir)):
        if not file_name.endswith(".tsv"):
            continue
        match = FILE_PATTERN.match(file_name)
        if not match:
            raise ProfileError("%s: not named '<object type>-<objectTypeName>.tsv'" % file_name)
        number = parse_number(match.group(1), file_name, "object type", MAX_OBJECT_TYPE)
        type_name = match.group(2)
        if number in types:
            raise ProfileError("%s: object type %d has two profiles" % (file_name, number))
        if type_names is not None and type_names.get(number) != type_name:
            raise ProfileError("%s: object type %d is named '%s' in the object type list"
                               % (file_name, number, type_names.get(number)))
        types[number] = read_profile(os.path.join(profiles_dir, file_name), number, type_name, property_names)
    if not types:
        raise ProfileError("%s: no profiles" % profiles_dir)
    return [types[number] for number in sorted(types)]


def datatype_text(datatype):
    return "kConstructed" if datatype is None else str(datatype)


def render_header(types):
    count = types[-1].number + 1
    lines = [
        "// Generated by tools/gen_propertyprofiles.py from the property profile",
        "// lists. Do not edit: change the lists or the generator and run it again.",
        "//",
        "// The property profile of every standard object type, indexed by object",
        "// type. Reach it through BACnetPropertyProfile.",
        "#pragma once",
        "",
        "#include <cstdint>",
        "",
        '#include "core/bacnetpropertyprofile.h"',
        "",
        "namespace ZalvoBACnetStack::PropertyProfileTable {",
        "",
        "// Object types 0 to %d; %d of them have a profile, the others an empty entry."
        % (count - 1, len(types)),
        "inline constexpr uint32_t kObjectTypeCount = %d;" % count,
        "",
        "extern const BACnetObjectTypeProfile kObjectTypeProfiles[kObjectTypeCount];",
        "",
        "}  // namespace ZalvoBACnetStack::PropertyProfileTable",
        "",
    ]
    return "\n".join(lines)


def render_source(types):
    count = types[-1].number + 1
    lines = [
        "// Generated by tools/gen_propertyprofiles.py from the property profile",
        "// lists. Do not edit: change the lists or the generator and run it again.",
        '#include "core/bacnetpropertyprofiletable.h"',
        "",
        "namespace ZalvoBACnetStack::PropertyProfileTable {",
        "namespace {",
        "",
        "constexpr uint8_t kConstructed = BACnetPropertyProfile::kConstructedDatatype;",
        "",
        "// Each entry: {property, required, writable, isArray, isList, datatype}.",
        "",
    ]
    for object_type in types:
        required = object_type.required()
        lines.append("// %d %s: %d properties, %d required"
                     % (object_type.number, object_type.name, len(object_type.properties), len(required)))
        lines.append("constexpr BACnetPropertyProfileEntry k%sProperties[] = {" % object_type.identifier())
        for prop in sorted(object_type.properties, key=lambda p: p.identifier):
            lines.append("    {%d, %d, %d, %d, %d, %s},  // %s" % (
                prop.identifier, prop.required, prop.writable, prop.is_array, prop.is_list,
                datatype_text(prop.datatype), prop.name))
        lines.append("};")
        if required:
            lines.append("constexpr uint32_t k%sRequired[] = {%s};"
                         % (object_type.identifier(), ", ".join(str(p) for p in required)))
        lines.append("")
    lines += [
        "}  // namespace",
        "",
        "constinit const BACnetObjectTypeProfile kObjectTypeProfiles[kObjectTypeCount] = {",
    ]
    by_number = {object_type.number: object_type for object_type in types}
    for number in range(count):
        object_type = by_number.get(number)
        if object_type is None:
            lines.append("    {nullptr, 0, nullptr, 0},  // %d: no profile" % number)
            continue
        required = object_type.required()
        lines.append("    {k%sProperties, %d, %s, %d},  // %d %s" % (
            object_type.identifier(), len(object_type.properties),
            ("k%sRequired" % object_type.identifier()) if required else "nullptr", len(required),
            number, object_type.name))
    lines += [
        "};",
        "",
        "}  // namespace ZalvoBACnetStack::PropertyProfileTable",
        "",
    ]
    return "\n".join(lines)


def main(argv):
    repository = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    if len(argv) > 3:
        sys.stderr.write("usage: gen_propertyprofiles.py [PROFILES_DIR [OUTPUT_DIR]]\n")
        return 2
    profiles_dir = argv[1] if len(argv) > 1 else os.path.join(repository, "..", "shared", "bacnet-profiles")
    output_dir = argv[2] if len(argv) > 2 else os.path.join(repository, "stack", "core")
    try:
        types = load_profiles(profiles_dir)
    except (ProfileError, OSError) as error:
        sys.stderr.write("gen_propertyprofiles: %s\n" % error)
        return 1
    write_if_changed(os.path.join(output_dir, HEADER_NAME), render_header(types))
    write_if_changed(os.path.join(output_dir, SOURCE_NAME), render_source(types))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

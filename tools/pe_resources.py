#!/usr/bin/env python3
"""Reads a Windows PE file (a DLL, a gauge module, a program).

  pe_resources.py machine FILE       the machine: i386, x86-64 or its number
  pe_resources.py bitmap FILE ID     "<width>x<height> <bits>bpp" of bitmap resource ID
  pe_resources.py version FILE       the version resource: "FILEVERSION a.b.c.d",
                                     "PRODUCTVERSION a.b.c.d", then one "Key=Value"
                                     line per string of its first string table

Exits with 1 and a message when the file has no such resource."""
import struct
import sys

RT_BITMAP = 2
RT_VERSION = 16
RESOURCE_DIRECTORY = 2  # index in the optional header's data directories
MACHINES = {0x14C: "i386", 0x8664: "x86-64"}
FIXED_FILE_INFO_SIGNATURE = 0xFEEF04BD


class PeFile:
    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("not a PE file")
        self.machine, sections, _, _, _, optional_size, _ = struct.unpack_from("<HHIIIHH", data, pe + 4)
        optional = pe + 24
        magic = struct.unpack_from("<H", data, optional)[0]
        directories = optional + (96 if magic == 0x10B else 112)
        self.resource_rva = struct.unpack_from("<I", data, directories + 8 * RESOURCE_DIRECTORY)[0]
        self.sections = []
        table = optional + optional_size
        for i in range(sections):
            _, virtual_size, rva, raw_size, raw_offset = struct.unpack_from("<8sIIII", data, table + 40 * i)
            self.sections.append((rva, max(virtual_size, raw_size), raw_offset))

    def offset(self, rva):
        for start, size, raw in self.sections:
            if start <= rva < start + size:
                return raw + rva - start
        raise ValueError("address 0x%x is in no section" % rva)

    def entries(self, directory_rva):
        """(identifier or None for a name, target rva, is a directory) of one resource directory."""
        base = self.offset(self.resource_rva)
        at = base + directory_rva
        named, numbered = struct.unpack_from("<HH", self.data, at + 12)
        for i in range(named + numbered):
            name, target = struct.unpack_from("<II", self.data, at + 16 + 8 * i)
            identifier = None if name & 0x80000000 else name
            yield identifier, target & 0x7FFFFFFF, bool(target & 0x80000000)

    def find(self, directory_rva, identifier):
        for entry_id, target, is_directory in self.entries(directory_rva):
            if identifier is None or entry_id == identifier:
                return target, is_directory
        return None, False

    def resource(self, kind, identifier):
        """The bytes of resource `identifier` of type `kind` in its first language, or None."""
        if self.resource_rva == 0:
            return None
        types, _ = self.find(0, kind)
        if types is None:
            return None
        languages, _ = self.find(types, identifier)
        if languages is None:
            return None
        leaf, is_directory = self.find(languages, None)
        if leaf is None or is_directory:
            return None
        data_rva, size = struct.unpack_from("<II", self.data, self.offset(self.resource_rva) + leaf)
        return self.data[self.offset(data_rva):self.offset(data_rva) + size]


def _align(at):
    return (at + 3) & ~3


def version_node(data, at):
    """(key, value bytes or text, children, end) of one node of a VS_VERSIONINFO tree."""
    length, value_length, is_text = struct.unpack_from("<HHH", data, at)
    if length < 6 or at + length > len(data):
        raise ValueError("malformed version resource at offset %d" % at)
    end = at + length
    key_end = at + 6
    while data[key_end:key_end + 2] != b"\0\0":
        key_end += 2
        if key_end >= end:
            raise ValueError("unterminated key in the version resource at offset %d" % at)
    key = data[at + 6:key_end].decode("utf-16-le")
    value_at = _align(key_end + 2)
    value_size = value_length * 2 if is_text else value_length
    value = data[value_at:value_at + value_size]
    if is_text:
        value = value.decode("utf-16-le").rstrip("\0")
    children = []
    child = _align(value_at + value_size)
    while child < end:
        node = version_node(data, child)
        children.append(node)
        child = _align(node[3])
    return key, value, children, end


def version_info(resource):
    """(file version, product version, {key: value} of the first string table)."""
    key, fixed, children, _ = version_node(resource, 0)
    if key != "VS_VERSION_INFO" or len(fixed) < 52:
        raise ValueError("no VS_VERSION_INFO with a fixed part")
    signature, _, file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<6I", fixed, 0)
    if signature != FIXED_FILE_INFO_SIGNATURE:
        raise ValueError("the fixed part has signature 0x%08x" % signature)
    split = lambda ms, ls: "%d.%d.%d.%d" % (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)
    strings = {}
    for child_key, _, tables, _ in children:
        if child_key == "StringFileInfo" and tables:
            strings = {name: value for name, value, _, _ in tables[0][2]}
    return split(file_ms, file_ls), split(product_ms, product_ls), strings


def main():
    if len(sys.argv) < 3 or (sys.argv[1], len(sys.argv)) not in (("machine", 3), ("bitmap", 4), ("version", 3)):
        print(__doc__.strip(), file=sys.stderr)
        return 2
    command, path = sys.argv[1], sys.argv[2]
    with open(path, "rb") as f:
        pe = PeFile(f.read())
    if command == "machine":
        print(MACHINES.get(pe.machine, "0x%x" % pe.machine))
    elif command == "bitmap":
        identifier = int(sys.argv[3], 0)
        dib = pe.resource(RT_BITMAP, identifier)
        if dib is None or len(dib) < 40:
            print("no bitmap resource %d in %s" % (identifier, path))
            return 1
        _, width, height, _, bits = struct.unpack_from("<IiiHH", dib, 0)
        print("%dx%d %dbpp" % (width, abs(height), bits))
    else:
        resource = pe.resource(RT_VERSION, 1)
        if resource is None:
            print("no version resource in %s" % path)
            return 1
        file_version, product_version, strings = version_info(resource)
        print("FILEVERSION " + file_version)
        print("PRODUCTVERSION " + product_version)
        for key, value in strings.items():
            print("%s=%s" % (key, value))
    return 0


if __name__ == "__main__":
    sys.exit(main())

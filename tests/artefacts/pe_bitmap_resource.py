#!/usr/bin/env python3
"""Prints "<width>x<height> <bits>bpp" of a bitmap resource of a PE file
(a DLL or a gauge module), found by its numeric identifier; exits with 1
and a message when the file has no such bitmap."""
import struct
import sys

RT_BITMAP = 2
RESOURCE_DIRECTORY = 2  # index in the optional header's data directories


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

    def bitmap(self, identifier):
        if self.resource_rva == 0:
            return None
        types, _ = self.find(0, RT_BITMAP)
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


def main():
    path, identifier = sys.argv[1], int(sys.argv[2], 0)
    with open(path, "rb") as f:
        pe = PeFile(f.read())
    dib = pe.bitmap(identifier)
    if dib is None or len(dib) < 40:
        print("no bitmap resource %d in %s" % (identifier, path))
        return 1
    _, width, height, _, bits = struct.unpack_from("<IiiHH", dib, 0)
    print("%dx%d %dbpp" % (width, abs(height), bits))
    return 0


if __name__ == "__main__":
    sys.exit(main())

"""A reader of the parts of a PE image (an .exe or .dll) that the project checks: the headers,
the imported and exported names and the resource tree. Standard library only; every offset is
checked, so a damaged file raises PEError instead of reading past its end."""

import struct

IMAGE_FILE_DLL = 0x2000
MACHINE_I386 = 0x014C
MACHINE_AMD64 = 0x8664
MAGIC_PE32 = 0x10B
MAGIC_PE32_PLUS = 0x20B
RT_DIALOG = 5

_EXPORT, _IMPORT, _RESOURCE, _DELAY_IMPORT = 0, 1, 2, 13


class PEError(Exception):
    """The file is not a PE image, or one of its structures points outside the file."""


class Section:
    def __init__(self, name, virtual_address, virtual_size, raw_offset, raw_size):
        self.name = name
        self.virtual_address = virtual_address
        self.virtual_size = virtual_size
        self.raw_offset = raw_offset
        self.raw_size = raw_size


class PEImage:
    def __init__(self, data):
        self.data = data
        if self._read("<2s", 0)[0] != b"MZ":
            raise PEError("no MZ header")
        pe_offset = self._read("<I", 0x3C)[0]
        if self._read("<4s", pe_offset)[0] != b"PE\0\0":
            raise PEError("no PE signature")
        (self.machine, section_count, _, _, _, optional_size,
         self.characteristics) = self._read("<HHIIIHH", pe_offset + 4)
        optional = pe_offset + 24
        self.magic = self._read("<H", optional)[0]
        if self.magic == MAGIC_PE32:
            directory_count_offset = optional + 92
        elif self.magic == MAGIC_PE32_PLUS:
            directory_count_offset = optional + 108
        else:
            raise PEError(f"unknown optional header magic 0x{self.magic:x}")
        directory_count = self._read("<I", directory_count_offset)[0]
        self.directories = [
            self._read("<II", directory_count_offset + 4 + 8 * index)
            for index in range(min(directory_count, 16))
        ]
        self.sections = []
        for index in range(section_count):
            name, virtual_size, virtual_address, raw_size, raw_offset = self._read(
                "<8sIIII", optional + optional_size + 40 * index
            )
            self.sections.append(Section(name.rstrip(b"\0").decode("latin-1"), virtual_address,
                                         virtual_size, raw_offset, raw_size))

    @property
    def is_dll(self):
        return bool(self.characteristics & IMAGE_FILE_DLL)

    def _read(self, layout, offset):
        size = struct.calcsize(layout)
        if offset < 0 or offset + size > len(self.data):
            raise PEError(f"a structure at offset {offset} runs past the end of the file")
        return struct.unpack_from(layout, self.data, offset)

    def _offset(self, rva):
        for section in self.sections:
            extent = max(section.virtual_size, section.raw_size)
            if section.virtual_address <= rva < section.virtual_address + extent:
                inside = rva - section.virtual_address
                if inside >= section.raw_size:
                    raise PEError(f"address 0x{rva:x} lies in no stored bytes")
                return section.raw_offset + inside
        raise PEError(f"address 0x{rva:x} lies in no section")

    def _read_rva(self, layout, rva):
        return self._read(layout, self._offset(rva))

    def _string(self, rva):
        start = self._offset(rva)
        end = self.data.find(b"\0", start)
        if end < 0:
            raise PEError(f"the name at 0x{rva:x} has no end")
        return self.data[start:end].decode("latin-1")

    def _directory(self, index):
        if index >= len(self.directories):
            return 0, 0
        return self.directories[index]

    def imported_dlls(self):
        """The names of the DLLs imported, plainly or delay-loaded, in file order."""
        names = []
        rva, size = self._directory(_IMPORT)
        while rva and size:
            _, _, _, name_rva, first_thunk = self._read_rva("<IIIII", rva)
            if name_rva == 0 and first_thunk == 0:
                break
            names.append(self._string(name_rva))
            rva += 20
        rva, size = self._directory(_DELAY_IMPORT)
        while rva and size:
            _, name_rva = self._read_rva("<II", rva)
            if name_rva == 0:
                break
            names.append(self._string(name_rva))
            rva += 32
        return names

    def exports(self):
        """(number of exported functions, their names) — a function may be exported by ordinal
        alone, so the count can exceed the names."""
        rva, size = self._directory(_EXPORT)
        if not rva or not size:
            return 0, []
        (_, _, _, _, _, _, function_count, name_count, _, names_rva, _) = self._read_rva(
            "<IIHHIIIIIII", rva)
        names = [self._string(self._read_rva("<I", names_rva + 4 * index)[0])
                 for index in range(name_count)]
        return function_count, names

    def resources(self):
        """{(type, name): [data of each language]}; ids are ints, names are strings."""
        rva, size = self._directory(_RESOURCE)
        if not rva or not size:
            return {}
        found = {}
        for type_key, type_offset, type_is_dir in self._resource_entries(rva, 0):
            if not type_is_dir:
                continue
            for name_key, name_offset, name_is_dir in self._resource_entries(rva, type_offset):
                leaves = (self._resource_entries(rva, name_offset) if name_is_dir
                          else [(None, name_offset, False)])
                for _, leaf_offset, leaf_is_dir in leaves:
                    if leaf_is_dir:
                        raise PEError("the resource tree is deeper than three levels")
                    data_rva, data_size, _, _ = self._read_rva("<IIII", rva + leaf_offset)
                    start = self._offset(data_rva)
                    if start + data_size > len(self.data):
                        raise PEError("a resource runs past the end of the file")
                    found.setdefault((type_key, name_key), []).append(self.data[start:start + data_size])
        return found

    def _resource_entries(self, base_rva, offset):
        """The entries of the resource directory at `offset` from the start of the tree:
        (key, offset of what it points to, whether that is a directory)."""
        named, numbered = self._read_rva("<12xHH", base_rva + offset)
        entries = []
        for index in range(named + numbered):
            key, target = self._read_rva("<II", base_rva + offset + 16 + 8 * index)
            if key & 0x80000000:
                name_at = base_rva + (key & 0x7FFFFFFF)
                length = self._read_rva("<H", name_at)[0]
                start = self._offset(name_at + 2)
                key = self.data[start:start + 2 * length].decode("utf-16-le", errors="replace")
            entries.append((key, target & 0x7FFFFFFF, bool(target & 0x80000000)))
        return entries


def load(path):
    with open(path, "rb") as file:
        return PEImage(file.read())

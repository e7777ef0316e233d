"""A reader of the parts of a PE image (an .exe or .dll) that the project checks: the headers,
the imported and exported names, the resource tree and the version resource. Standard library only; every offset is
checked, so a damaged file raises PEError instead of reading past its end."""

import struct

IMAGE_FILE_DLL = 0x2000
MACHINE_I386 = 0x014C
MACHINE_AMD64 = 0x8664
MAGIC_PE32 = 0x10B
MAGIC_PE32_PLUS = 0x20B
RT_DIALOG = 5
RT_VERSION = 16
VS_FIXEDFILEINFO_SIGNATURE = 0xFEEF04BD

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
        (self.machine, section_count, _, symbol_table, symbol_count, optional_size,
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
            name = name.rstrip(b"\0").decode("latin-1")
            if name.startswith("/") and name[1:].isdigit():
                name = self._long_section_name(symbol_table + 18 * symbol_count + int(name[1:]))
            self.sections.append(Section(name, virtual_address, virtual_size, raw_offset, raw_size))

    def _long_section_name(self, offset):
        """A section name longer than eight bytes ("/N" in the header) lies in the string table that
        follows the COFF symbol table, N bytes from its start."""
        end = self.data.find(b"\0", offset)
        if offset >= len(self.data) or end < 0:
            raise PEError("a long section name lies outside the file")
        return self.data[offset:end].decode("latin-1")

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


class VersionInfo:
    """A version resource: the numeric file and product versions as "a.b.c.d" texts, and the
    texts of its string tables by key (of the first table that has a key)."""

    def __init__(self, file_version, product_version, strings):
        self.file_version = file_version
        self.product_version = product_version
        self.strings = strings


def version_info(image):
    """The image's version resource (the first of id 1, any language), or None when it has none."""
    blocks = image.resources().get((RT_VERSION, 1), [])
    return parse_version_info(blocks[0]) if blocks else None


def parse_version_info(data):
    key, value, children = _version_node(data, 0, len(data))
    if key != "VS_VERSION_INFO" or len(value) < 52:
        raise PEError("the version resource has no fixed file information")
    signature, _, file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<6I", value)
    if signature != VS_FIXEDFILEINFO_SIGNATURE:
        raise PEError(f"the fixed file information has the signature 0x{signature:x}")
    strings = {}
    for child_key, _, tables in children:
        if child_key != "StringFileInfo":
            continue
        for _, _, entries in tables:
            for name, text, _ in entries:
                strings.setdefault(name, text.decode("utf-16-le").rstrip("\0"))
    return VersionInfo(_four_part(file_ms, file_ls), _four_part(product_ms, product_ls), strings)


def _four_part(most, least):
    return f"{most >> 16}.{most & 0xFFFF}.{least >> 16}.{least & 0xFFFF}"


def _version_node(data, offset, end):
    """One node of a version resource at `offset`: (key, value bytes, [child nodes]). A node is a
    length, a value length (in UTF-16 units for a text value), a type (1: text), its key as a
    zero-ended UTF-16 text, the value and the children, each of these aligned to 4 bytes."""
    if offset + 6 > end:
        raise PEError("a version node runs past its parent")
    length, value_length, kind = struct.unpack_from("<HHH", data, offset)
    node_end = offset + length
    if length < 6 or node_end > end:
        raise PEError("a version node runs past its parent")
    key_end = offset + 6
    while key_end + 1 < node_end and data[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    if key_end + 1 >= node_end:
        raise PEError("a version node's key has no end")
    key = data[offset + 6:key_end].decode("utf-16-le")
    value_start = _align4(key_end + 2)
    value_size = value_length * 2 if kind == 1 else value_length
    if value_start + value_size > node_end:
        raise PEError(f"the value of the version node {key!r} runs past the node")
    value = data[value_start:value_start + value_size]
    children = []
    child = _align4(value_start + value_size)
    while child < node_end:
        children.append(_version_node(data, child, node_end))
        child = _align4(child + struct.unpack_from("<H", data, child)[0])
    return key, value, children


def _align4(offset):
    return (offset + 3) & ~3


def load(path):
    with open(path, "rb") as file:
        return PEImage(file.read())

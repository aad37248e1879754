#!/usr/bin/env python3
# Inspects a built Ferrolite executable with tools that share no code with it: objdump
# (binutils), wrestool and icotool (icoutils), and parsers of the Windows formats written here.
#
# Usage: check_executable.py CHECK --exe FILE --format pei-x86-64|pei-i386 --arch amd64|x86
#                       --objdump PATH --wrestool PATH --icotool PATH
#                       [--images DIR]
# CHECK is one of: pe, icon, dialogs, strings, manifest, version, images (the artwork beside the
# executable, compared with DIR). Prints every mismatch and exits 1 when there is one.
import argparse
import os
import struct
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
import zlib

LANG_EN_US = 1033
RT_ICON, RT_DIALOG, RT_STRING, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 5, 6, 14, 16, 24

COPYRIGHT = "Copyright (C) 2026 Kelvara."
WEB_SITE = "http://kelvara.example/"
LEGAL = ("Warning: this computer program is protected by copyright law and international treaties. "
         "Unauthorized reproduction or distribution of this program, or any portion of it, is prohibited.")

# DLLs that every Windows installation carries and that the program may use: the ones it imports
# today (kernel32, user32, gdi32, comctl32, shell32, ole32, gdiplus, msvcrt) plus advapi32 and the
# universal C runtime's forwarders. Anything else (a MinGW runtime DLL such as libstdc++-6.dll or
# libwinpthread-1.dll, or Apple's libraries, which are loaded by path at run time) would make the
# executable fail to start on a user's machine; a new system DLL is added here on purpose.
SYSTEM_DLLS = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "shell32.dll", "ole32.dll", "gdiplus.dll",
    "msvcrt.dll", "advapi32.dll",
}
SYSTEM_DLL_PREFIXES = ("api-ms-win-crt-",)

BUTTON, STATIC = 0x0080, 0x0082  # predefined window-class ordinals
IDOK, IDC_STATIC = 1, -1

# (identifier, class, text, style, extended style, x, y, width, height), in template order.
MAIN_DIALOG = {
    "style": 0x90CA00C8, "ex_style": 0x00040000, "rect": (0, 0, 335, 200), "caption": "Pivotra",
    "controls": [
        (IDC_STATIC, STATIC, "Kelvara Ferrolite help you easily enter or exit iOS recovery mode without losing any "
         "data on your device.", 0x50020000, 0, 29, 57, 263, 24),
        (1000, BUTTON, "Enter Recovery Mode", 0x58010000, 0, 29, 108, 125, 21),
        (1001, BUTTON, "Exit Recovery Mode", 0x58010000, 0, 181, 108, 125, 21),
        (1002, STATIC, "Your iOS device is not connected.", 0x50020000, 0, 29, 148, 177, 8),
        (1003, BUTTON, "Help", 0x50010000, 0, 247, 7, 50, 14),
        (1004, BUTTON, "About", 0x50010000, 0, 285, 7, 50, 14),
        (IDC_STATIC, STATIC, "", 0x50000007, 0x00020000, 0, 185, 334, 1),
        (1005, STATIC, "Static", 0x50020000, 0, 1, 189, 274, 8),
    ],
}
ABOUT_DIALOG = {
    "style": 0x80C800C8, "ex_style": 0, "rect": (0, 0, 272, 150), "caption": "About Ferrolite",
    "controls": [
        (1006, STATIC, "Pivotra", 0x50020080, 0, 15, 48, 114, 8),
        (IDC_STATIC, STATIC, "Version 2.1.20", 0x50020000, 0, 15, 61, 114, 8),
        (IDOK, BUTTON, "OK", 0x50030001, 0, 187, 129, 50, 14),
        (IDC_STATIC, STATIC, COPYRIGHT, 0x50020000, 0, 15, 74, 155, 8),
        (1007, STATIC, WEB_SITE, 0x50020000, 0, 15, 87, 87, 8),
        (IDC_STATIC, STATIC, LEGAL, 0x50020000, 0, 15, 100, 240, 27),
    ],
}
DIALOG_FONT = (8, 0, 0, 1, "MS Shell Dlg")  # points, weight, italic, charset, typeface

ICON_SIZES = (256, 128, 96, 72, 64, 48, 32, 24, 16)

BAND_FILE = "Dlg_Common_Top.bmp"
BUTTON_FILES = ("Button_Top_Help.png", "Button_Top_About.png")
BAND_HEIGHT = 69

VERSION_STRINGS = {
    "CompanyName": "Kelvara",
    "FileDescription": "Ferrolite",
    "FileVersion": "2.1.2.0",
    "InternalName": "Ferrolite.exe",
    "LegalCopyright": COPYRIGHT,
    "OriginalFilename": "Ferrolite.exe",
    "ProductName": "Ferrolite",
    "ProductVersion": "2.1.2.0",
}


class Inspector:
    def __init__(self, args):
        self.args = args
        self.problems = []
        self.listing = self.run(args.wrestool, "-l", args.exe).decode()

    def run(self, *command):
        result = subprocess.run(command, capture_output=True)
        if result.returncode != 0:
            sys.exit(f"{' '.join(command)} failed: {result.stderr.decode().strip()}")
        return result.stdout

    def expect(self, what, actual, expected):
        if actual != expected:
            self.problems.append(f"{what}: {actual!r}, expected {expected!r}")

    def resource(self, rtype, name):
        """The raw bytes of one resource, after checking that it exists in English (US) only."""
        languages = []
        for line in self.listing.splitlines():
            fields = dict(f[2:].split("=", 1) for f in line.split() if f.startswith("--"))
            if fields.get("type") == str(rtype) and fields.get("name") == str(name):
                languages.append(int(fields.get("language", "-1")))
        self.expect(f"languages of resource type {rtype} name {name}", languages, [LANG_EN_US])
        if not languages:
            return b""
        return self.run(self.args.wrestool, "-x", "--raw", f"--type={rtype}", f"--name={name}",
                        f"--language={LANG_EN_US}", self.args.exe)

    # --- pe: file format, machine, subsystem, imported DLLs
    def check_pe(self):
        header = self.run(self.args.objdump, "-f", self.args.exe).decode()
        self.expect("objdump file format", f"file format {self.args.format}" in header, True)
        with open(self.args.exe, "rb") as f:
            data = f.read(4096)
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        self.expect("PE signature", data[pe:pe + 4], b"PE\0\0")
        machine = struct.unpack_from("<H", data, pe + 4)[0]
        magic, = struct.unpack_from("<H", data, pe + 24)
        subsystem, = struct.unpack_from("<H", data, pe + 24 + 68)
        wide = self.args.format == "pei-x86-64"
        self.expect("COFF machine", hex(machine), hex(0x8664 if wide else 0x14C))
        self.expect("optional header magic", hex(magic), hex(0x20B if wide else 0x10B))
        self.expect("subsystem (2 is Windows GUI)", subsystem, 2)
        private = self.run(self.args.objdump, "-p", self.args.exe).decode()
        dlls = [line.split(":", 1)[1].strip() for line in private.splitlines() if "DLL Name:" in line]
        print("imports:", ", ".join(dlls))
        self.expect("imports kernel32.dll", "kernel32.dll" in (d.lower() for d in dlls), True)
        for dll in dlls:
            name = dll.lower()
            if name not in SYSTEM_DLLS and not name.startswith(SYSTEM_DLL_PREFIXES):
                self.problems.append(f"imports a DLL that Windows does not ship: {dll}")

    # --- icon: group 128, nine 32-bit images, 256 as PNG and the rest as DIBs with a mask
    def check_icon(self):
        group = self.resource(RT_GROUP_ICON, 128)
        if len(group) < 6:
            self.problems.append("icon group 128 is missing or truncated")
            return
        reserved, kind, count = struct.unpack_from("<HHH", group, 0)
        self.expect("icon group header (reserved, type, count)", (reserved, kind, count), (0, 1, len(ICON_SIZES)))
        entries = [struct.unpack_from("<BBBBHHIH", group, 6 + 14 * i) for i in range(min(count, len(ICON_SIZES)))]
        self.expect("icon group sizes in order", [e[0] or 256 for e in entries], list(ICON_SIZES))
        for width, height, colors, _, planes, bits, size, icon_id in entries:
            w = width or 256
            self.expect(f"{w} px entry (height, colours, planes, bits)", (height or 256, colors, planes, bits),
                        (w, 0, 1, 32))
            image = self.resource(RT_ICON, icon_id)
            self.expect(f"{w} px image length", len(image), size)
            if w == 256:
                self.check_png_icon(image)
            else:
                self.check_dib_icon(image, w)
        # icotool reads the group back as an .ico file on its own.
        with tempfile.NamedTemporaryFile(suffix=".ico") as ico:
            ico.write(self.run(self.args.wrestool, "-x", f"--type={RT_GROUP_ICON}", "--name=128", self.args.exe))
            ico.flush()
            listed = self.run(self.args.icotool, "-l", ico.name).decode().split("\n")
        sizes = [line.split("--width=")[1].split()[0] for line in listed if "--width=" in line]
        depths = {line.split("--bit-depth=")[1].split()[0] for line in listed if "--bit-depth=" in line}
        self.expect("icotool widths", sizes, [str(s) for s in ICON_SIZES])
        self.expect("icotool bit depths", depths, {"32"})

    def check_png_icon(self, image):
        self.expect("256 px image is PNG", image[:8], b"\x89PNG\r\n\x1a\n")
        if image[:8] == b"\x89PNG\r\n\x1a\n":
            width, height, depth, color_type = struct.unpack_from(">IIBB", image, 16)
            self.expect("256 px PNG (width, height, bit depth, colour type 6 = RGBA)",
                        (width, height, depth, color_type), (256, 256, 8, 6))

    def check_dib_icon(self, image, w):
        header = struct.unpack_from("<IiiHHI", image, 0)
        self.expect(f"{w} px DIB header (size, width, 2 x height, planes, bits, compression)", header,
                    (40, w, 2 * w, 1, 32, 0))
        mask_stride = ((w + 31) // 32) * 4
        self.expect(f"{w} px DIB length (header, BGRA pixels, AND mask)", len(image),
                    40 + w * w * 4 + mask_stride * w)
        alphas = set(image[40 + 3:40 + w * w * 4:4])
        self.expect(f"{w} px DIB has transparent and opaque pixels", {0, 255} <= alphas, True)

    # --- dialogs: templates 102 and 100, field by field
    def check_dialogs(self):
        for name, expected in ((102, MAIN_DIALOG), (100, ABOUT_DIALOG)):
            data = self.resource(RT_DIALOG, name)
            if data:
                self.compare_dialog(name, parse_dialog_ex(data), expected)

    def compare_dialog(self, name, actual, expected):
        what = f"dialog {name}"
        self.expect(f"{what} version and signature", actual["signature"], (1, 0xFFFF))
        self.expect(f"{what} help id", actual["help_id"], 0)
        self.expect(f"{what} style", hex(actual["style"]), hex(expected["style"]))
        self.expect(f"{what} extended style", hex(actual["ex_style"]), hex(expected["ex_style"]))
        self.expect(f"{what} rectangle", actual["rect"], expected["rect"])
        self.expect(f"{what} menu", actual["menu"], None)
        self.expect(f"{what} window class", actual["class"], None)
        self.expect(f"{what} caption", actual["caption"], expected["caption"])
        self.expect(f"{what} font", actual["font"], DIALOG_FONT)
        self.expect(f"{what} control count", len(actual["controls"]), len(expected["controls"]))
        for index, (got, want) in enumerate(zip(actual["controls"], expected["controls"]), 1):
            ident, cls, text, style, ex_style, x, y, cx, cy = want
            where = f"{what} control {index}"
            self.expect(f"{where} identifier", got["id"], ident)
            self.expect(f"{where} class", got["class"], cls)
            self.expect(f"{where} text", got["text"], text)
            self.expect(f"{where} style", hex(got["style"]), hex(style))
            self.expect(f"{where} extended style", hex(got["ex_style"]), hex(ex_style))
            self.expect(f"{where} rectangle", got["rect"], (x, y, cx, cy))
            self.expect(f"{where} help id", got["help_id"], 0)
            self.expect(f"{where} creation data", got["extra"], b"")

    # --- strings: 101 is the About menu entry, alone in its block
    def check_strings(self):
        block = self.resource(RT_STRING, 101 // 16 + 1)
        strings, offset = [], 0
        for _ in range(16):
            length, = struct.unpack_from("<H", block, offset)
            strings.append(block[offset + 2:offset + 2 + 2 * length].decode("utf-16-le"))
            offset += 2 + 2 * length
        expected = [""] * 16
        expected[101 % 16] = "&About Ferrolite..."
        self.expect("string block 7 (ids 96 to 111)", strings, expected)

    # --- manifest: runs as invoker, binds common controls 6 for this build's architecture
    def check_manifest(self):
        data = self.resource(RT_MANIFEST, 1)
        ns = {"v1": "urn:schemas-microsoft-com:asm.v1", "v3": "urn:schemas-microsoft-com:asm.v3"}
        root = ET.fromstring(data)
        self.expect("manifest root", (root.tag, root.get("manifestVersion")), (f"{{{ns['v1']}}}assembly", "1.0"))
        levels = root.findall("v3:trustInfo/v3:security/v3:requestedPrivileges/v3:requestedExecutionLevel", ns)
        self.expect("requested execution levels", [(e.get("level"), e.get("uiAccess")) for e in levels],
                    [("asInvoker", "false")])
        identities = root.findall("v1:dependency/v1:dependentAssembly/v1:assemblyIdentity", ns)
        self.expect("dependent assemblies", [dict(e.attrib) for e in identities], [{
            "type": "win32", "name": "Microsoft.Windows.Common-Controls", "version": "6.0.0.0",
            "processorArchitecture": self.args.arch, "publicKeyToken": "6595b64144ccf1df", "language": "*",
        }])

    # --- version: the fixed block and both tables
    def check_version(self):
        data = self.resource(RT_VERSION, 1)
        key, value, children = parse_version_node(data, 0)[:3]
        self.expect("version root key", key, "VS_VERSION_INFO")
        fixed = struct.unpack_from("<13I", value, 0) if len(value) >= 52 else ()
        self.expect("fixed file info", tuple(hex(v) for v in fixed), tuple(hex(v) for v in (
            0xFEEF04BD, 0x00010000,       # signature, structure version
            0x00020001, 0x00020000,       # file version 2.1.2.0
            0x00020001, 0x00020000,       # product version 2.1.2.0
            0x3F, 0,                      # flags mask, flags
            0x4, 0x1, 0,                  # VOS__WINDOWS32, VFT_APP, subtype
            0, 0)))                       # file date
        tables = {k: c for k, _, c in children}
        self.expect("version tables", sorted(tables), ["StringFileInfo", "VarFileInfo"])
        string_tables = {k: c for k, _, c in tables.get("StringFileInfo", [])}
        self.expect("string tables", list(string_tables), ["040904e4"])
        values = {k: v.decode("utf-16-le").rstrip("\0") for k, v, _ in string_tables.get("040904e4", [])}
        self.expect("version strings", values, VERSION_STRINGS)
        var = {k: v for k, v, _ in tables.get("VarFileInfo", [])}
        self.expect("translations", var.get("Translation"), struct.pack("<HH", 0x0409, 0x04E4))

    # --- images: the artwork beside the executable, as the program reads it
    def check_images(self):
        folder = os.path.join(os.path.dirname(os.path.abspath(self.args.exe)), "Images")
        for name in (BAND_FILE,) + BUTTON_FILES:
            path = os.path.join(folder, name)
            if not os.path.isfile(path):
                self.problems.append(f"{path} is missing")
                continue
            with open(path, "rb") as f:
                data = f.read()
            with open(os.path.join(self.args.images, name), "rb") as f:
                self.expect(f"{name} beside the executable equals the source tree's copy", data == f.read(), True)
            if name == BAND_FILE:
                self.check_band(name, data)
            else:
                self.check_button_strip(name, data)

    def check_band(self, name, data):
        magic, size, _, _, offset = struct.unpack_from("<2sIHHI", data, 0)
        header, width, height, planes, bits, compression = struct.unpack_from("<IiiHHI", data, 14)
        self.expect(f"{name} file header (magic, size)", (magic, size), (b"BM", len(data)))
        self.expect(f"{name} bitmap (header size, height, planes, bits, compression)",
                    (header, height, planes, bits, compression), (40, BAND_HEIGHT, 1, 24, 0))
        stride = (width * 3 + 3) & ~3
        self.expect(f"{name} pixel data length", len(data) - offset, stride * abs(height))
        # The band repeats the tile side by side: its first and last columns must meet without a seam.
        seam = 0
        for row in range(abs(height)):
            first = data[offset + row * stride:offset + row * stride + 3]
            last = data[offset + row * stride + (width - 1) * 3:offset + row * stride + width * 3]
            seam = max(seam, max(abs(a - b) for a, b in zip(first, last)))
        self.expect(f"{name} tiles without a seam (largest step between last and first column <= 4)",
                    seam <= 4, True)

    def check_button_strip(self, name, data):
        width, height, rgba = decode_png_rgba(data, self.problems, name)
        if rgba is None:
            return
        self.expect(f"{name} holds three frames of equal width", width % 3, 0)
        alphas = set(rgba[3::4])
        self.expect(f"{name} alpha has transparent, opaque and partly transparent pixels",
                    (0 in alphas, 255 in alphas, bool(alphas - {0, 255})), (True, True, True))
        frame = width // 3
        for index in range(3):
            corner = rgba[(index * frame) * 4 + 3]
            self.expect(f"{name} frame {index} has a transparent corner", corner, 0)
        frames = [bytes(b for y in range(height) for b in rgba[(y * width + i * frame) * 4:(y * width + (i + 1) * frame) * 4])
                  for i in range(3)]
        self.expect(f"{name} normal, pointer-over and pressed frames all differ", len(set(frames)), 3)


def decode_png_rgba(data, problems, name):
    """Decodes an 8-bit RGBA PNG: (width, height, pixel bytes) or (0, 0, None) after noting why not."""
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        problems.append(f"{name} is not a PNG file")
        return 0, 0, None
    pos, idat, header = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack_from(">I4s", data, pos)
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    if header is None or header[2:5] != (8, 6, 0) or header[6] != 0:
        problems.append(f"{name} is not an 8-bit non-interlaced RGBA PNG: IHDR {header}")
        return 0, 0, None
    width, height = header[:2]
    raw, stride, out = zlib.decompress(idat), width * 4, bytearray()
    previous = bytearray(stride)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - 4] if i >= 4 else 0
            up, up_left = previous[i], previous[i - 4] if i >= 4 else 0
            if kind == 1:
                line[i] = (line[i] + left) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + up) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 0xFF
            elif kind == 4:
                p = left + up - up_left
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - up_left)
                line[i] = (line[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else up_left)) & 0xFF
        out += line
        previous = line
    return width, height, bytes(out)


def read_sz_or_ord(data, offset):
    """A DLGTEMPLATEEX name field: None, an ordinal (int) or a string; returns (value, next offset)."""
    first, = struct.unpack_from("<H", data, offset)
    if first == 0:
        return None, offset + 2
    if first == 0xFFFF:
        return struct.unpack_from("<H", data, offset + 2)[0], offset + 4
    return read_sz(data, offset)


def read_sz(data, offset):
    end = offset
    while data[end:end + 2] != b"\0\0":
        end += 2
    return data[offset:end].decode("utf-16-le"), end + 2


def parse_dialog_ex(data):
    version, signature, help_id, ex_style, style, count, x, y, cx, cy = struct.unpack_from("<HHIIIHhhhh", data, 0)
    dialog = {"signature": (version, signature), "help_id": help_id, "ex_style": ex_style, "style": style,
              "rect": (x, y, cx, cy), "controls": []}
    offset = 26
    dialog["menu"], offset = read_sz_or_ord(data, offset)
    dialog["class"], offset = read_sz_or_ord(data, offset)
    dialog["caption"], offset = read_sz(data, offset)
    dialog["font"] = None
    if style & 0x48:  # DS_SETFONT or DS_SHELLFONT
        points, weight, italic, charset = struct.unpack_from("<HHBB", data, offset)
        typeface, offset = read_sz(data, offset + 6)
        dialog["font"] = (points, weight, italic, charset, typeface)
    for _ in range(count):
        offset = (offset + 3) & ~3
        help_id, ex_style, style, x, y, cx, cy, ident = struct.unpack_from("<IIIhhhhi", data, offset)
        offset += 24
        cls, offset = read_sz_or_ord(data, offset)
        text, offset = read_sz_or_ord(data, offset)
        extra_len, = struct.unpack_from("<H", data, offset)
        extra = data[offset + 2:offset + 2 + extra_len]
        offset += 2 + extra_len
        dialog["controls"].append({"help_id": help_id, "ex_style": ex_style, "style": style, "rect": (x, y, cx, cy),
                                   "id": ident, "class": cls, "text": "" if text is None else text,
                                   "extra": extra})
    return dialog


def parse_version_node(data, offset):
    """One VS_VERSIONINFO node: (key, value bytes, children as (key, value, children), end offset)."""
    length, value_length, kind = struct.unpack_from("<HHH", data, offset)
    end = offset + length
    key, pos = read_sz(data, offset + 6)
    pos = (pos + 3) & ~3
    size = value_length * 2 if kind == 1 else value_length  # text values count WCHARs
    value = data[pos:pos + size]
    pos = (pos + size + 3) & ~3
    children = []
    while pos < end:
        child_key, child_value, child_children, pos = parse_version_node(data, pos)
        children.append((child_key, child_value, child_children))
        pos = (pos + 3) & ~3
    return key, value, children, end


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("check", choices=["pe", "icon", "dialogs", "strings", "manifest", "version", "images"])
    for option in ("exe", "format", "arch", "objdump", "wrestool", "icotool"):
        parser.add_argument(f"--{option}", required=True)
    parser.add_argument("--images", help="the source tree's Images folder")
    args = parser.parse_args()
    inspector = Inspector(args)
    getattr(inspector, f"check_{args.check}")()
    for problem in inspector.problems:
        print("MISMATCH", problem)
    if inspector.problems:
        return 1
    print(f"{args.check}: {args.exe} is as expected")
    return 0


if __name__ == "__main__":
    sys.exit(main())

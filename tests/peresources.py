#!/usr/bin/python3
"""Reads back the Windows resources of velkaro.exe, as Windows' Explorer and loader read them:
the icon (each image byte for byte the build's .ico), the version information (the project's
version, product name, Chinese and English file descriptions, copyright and licence) and the
manifest (common controls version 6, per-monitor DPI awareness, no administrator rights).

Usage: peresources.py EXE ICO VERSION     exits 1 and says what differs
"""
import struct
import sys
import xml.etree.ElementTree as ElementTree

import pefile

RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24
problems = []


def check(condition, what):
    if not condition:
        problems.append(what)
    return condition


def resources(pe, kind):
    """{id: bytes} of every resource of that type (any language)."""
    found = {}
    if not hasattr(pe, "DIRECTORY_ENTRY_RESOURCE"):
        return found
    for entry in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        if entry.id != kind:
            continue
        for item in entry.directory.entries:
            for language in item.directory.entries:
                data = language.data.struct
                found[item.id if item.id is not None else str(item.name)] = pe.get_data(data.OffsetToData, data.Size)
    return found


def check_icon(pe, ico_path):
    ico = open(ico_path, "rb").read()
    _, kind, count = struct.unpack_from("<HHH", ico, 0)
    expected = []
    for i in range(count):
        width, height, colours, _, planes, bits, size, offset = struct.unpack_from("<BBBBHHII", ico, 6 + 16 * i)
        expected.append(((width or 256), (height or 256), bits, ico[offset:offset + size]))
    groups = resources(pe, RT_GROUP_ICON)
    icons = resources(pe, RT_ICON)
    if not check(len(groups) == 1, f"{len(groups)} icon groups, not 1"):
        return
    group = next(iter(groups.values()))
    _, kind, count = struct.unpack_from("<HHH", group, 0)
    check(kind == 1 and count == len(expected), f"the icon group holds {count} images, the .ico {len(expected)}")
    sizes = []
    for i in range(min(count, len(expected))):
        width, height, _, _, planes, bits, size, icon_id = struct.unpack_from("<BBBBHHIH", group, 6 + 14 * i)
        width, height = width or 256, height or 256
        sizes.append(width)
        e_width, e_height, e_bits, e_data = expected[i]
        check((width, height, bits) == (e_width, e_height, e_bits),
              f"icon image {i}: {width}x{height}x{bits}, the .ico has {e_width}x{e_height}x{e_bits}")
        check(icons.get(icon_id) == e_data, f"icon image {i} ({width} pixels) differs from the .ico's")
    print(f"icon: {len(sizes)} images, {', '.join(map(str, sizes))} pixels, as in {ico_path.rsplit('/', 1)[-1]}")


def check_version(pe, version):
    if not check(hasattr(pe, "VS_FIXEDFILEINFO"), "no version information"):
        return
    fixed = pe.VS_FIXEDFILEINFO[0]
    parts = [int(p) for p in version.split(".")] + [0, 0, 0]
    number = ((parts[0] << 16 | parts[1]) << 32) | (parts[2] << 16 | parts[3])
    check((fixed.FileVersionMS << 32 | fixed.FileVersionLS) == number, "the file version number is not " + version)
    check((fixed.ProductVersionMS << 32 | fixed.ProductVersionLS) == number, "the product version number is not " + version)
    tables = {}
    for info in pe.FileInfo[0]:
        if info.Key == b"StringFileInfo":
            for table in info.StringTable:
                tables[table.LangID.decode().lower()] = {k.decode(): v.decode() for k, v in table.entries.items()}
    check(set(tables) == {"080404b0", "040904b0"}, f"string tables {sorted(tables)}, not Chinese and English")
    for language, table in tables.items():
        check(table.get("ProductName") == "Velkaro 2005", f"{language}: ProductName {table.get('ProductName')!r}")
        for key in ("FileVersion", "ProductVersion"):
            check(table.get(key) == version, f"{language}: {key} {table.get(key)!r}, not {version}")
        check(table.get("OriginalFilename") == "velkaro.exe", f"{language}: OriginalFilename {table.get('OriginalFilename')!r}")
        check("Velkaro developers" in table.get("LegalCopyright", ""), f"{language}: no copyright holder")
        check("MIT" in table.get("Comments", "") and "CC BY-SA 4.0" in table.get("Comments", ""),
              f"{language}: the licences are not named")
    chinese = tables.get("080404b0", {}).get("FileDescription", "")
    english = tables.get("040904b0", {}).get("FileDescription", "")
    check("日语词汇" in chinese, f"the Chinese description is {chinese!r}")
    check("Japanese vocabulary" in english, f"the English description is {english!r}")
    print(f"version: {version}; {chinese} / {english}")


def check_manifest(pe, version):
    manifests = resources(pe, RT_MANIFEST)
    if not check(list(manifests) == [1], f"manifests {list(manifests)}, not the program's own (1)"):
        return
    root = ElementTree.fromstring(manifests[1])
    ns = {"v1": "urn:schemas-microsoft-com:asm.v1", "v3": "urn:schemas-microsoft-com:asm.v3",
          "ws2005": "http://schemas.microsoft.com/SMI/2005/WindowsSettings",
          "ws2016": "http://schemas.microsoft.com/SMI/2016/WindowsSettings"}
    parts = (version.split(".") + ["0"] * 4)[:4]
    check(root.find("v1:assemblyIdentity", ns).get("version") == ".".join(parts), "the manifest's version")
    controls = [a for a in root.iterfind("v1:dependency/v1:dependentAssembly/v1:assemblyIdentity", ns)
                if a.get("name") == "Microsoft.Windows.Common-Controls"]
    check(len(controls) == 1 and controls[0].get("version") == "6.0.0.0"
          and controls[0].get("publicKeyToken") == "6595b64144ccf1df", "no dependency on common controls 6.0.0.0")
    settings = "v3:application/v3:windowsSettings/"
    aware = root.findtext(settings + "ws2005:dpiAware", namespaces=ns)
    awareness = root.findtext(settings + "ws2016:dpiAwareness", namespaces=ns)
    check(aware == "true/pm", f"dpiAware is {aware!r}")
    check(awareness is not None and awareness.split(",")[0].strip() == "PerMonitorV2", f"dpiAwareness is {awareness!r}")
    level = root.find("v3:trustInfo/v3:security/v3:requestedPrivileges/v3:requestedExecutionLevel", ns)
    check(level is not None and level.get("level") == "asInvoker", "the manifest asks for more than the user's rights")
    print(f"manifest: common controls 6.0.0.0, DPI awareness {awareness}, {level.get('level') if level is not None else '?'}")


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    exe, ico, version = sys.argv[1:]
    pe = pefile.PE(exe)
    check_icon(pe, ico)
    check_version(pe, version)
    check_manifest(pe, version)
    for problem in problems:
        print(f"FAIL: {exe}: {problem}")
    sys.exit(1 if problems else 0)


main()

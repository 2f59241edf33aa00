#!/usr/bin/env python3
"""What Windows reads from the built executable without starting it: the version information
that Explorer's Details, Task Manager and inventory tools show (German, the project's version,
the publisher the installer names), and the application manifest (for the executable's own
architecture, since Windows refuses to start one whose manifest names another; no elevation;
the Windows versions it supports). Read back with binutils' resource decompiler.
    resources_test.py TRIPART.EXE i686|x86_64 SOURCE_DIR"""
import re
import subprocess
import sys
import xml.etree.ElementTree as ET

exe, arch, source = sys.argv[1:4]
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


def unescape(text):
    # windres writes characters beyond ASCII as octal escapes of their code points.
    return re.sub(r"\\([0-7]{1,3})", lambda m: chr(int(m.group(1), 8)), text).replace('""', '"')


rc = subprocess.run([f"{arch}-w64-mingw32-windres", "-i", exe, "-O", "rc"], check=True,
                    capture_output=True, text=True, encoding="latin-1").stdout
cmake = open(f"{source}/CMakeLists.txt", encoding="utf-8").read()
version = re.search(r"project\(tripart VERSION ([0-9.]+)", cmake).group(1)
publisher = re.search(r'set\(TRIPART_PUBLISHER "([^"]+)"\)', cmake).group(1)
wxs = open(f"{source}/packaging/tripart.wxs", encoding="utf-8").read()

values = {name: unescape(value) for name, value in re.findall(r'VALUE "(\w+)", L?"((?:[^"]|"")*)"', rc)}
for name in ("FileDescription", "ProductName", "LegalCopyright", "CompanyName"):
    check(values.get(name, "").strip(), f"no {name}")
check(values.get("FileVersion") == version and values.get("ProductVersion") == version,
      f"versions {values.get('FileVersion')}/{values.get('ProductVersion')}, the project's is {version}")
numbers = ", ".join(version.split(".")) + ", 0"
check(f"FILEVERSION {numbers}" in rc and f"PRODUCTVERSION {numbers}" in rc, f"no binary version {numbers}")
check(values.get("CompanyName") == publisher and f'Manufacturer="{publisher}"' in wxs,
      f"publisher {values.get('CompanyName')!r}, the installer's and packages' is {publisher!r}")
check(re.search(r'BLOCK "0407', rc) and re.search(r'VALUE "Translation", 0x407, 1200', rc),
      "the texts are not marked German (0x407, UTF-16)")
check("ä" in values.get("FileDescription", ""), "the description lost its umlaut")

manifest = re.search(r"1 24 /\* RT_MANIFEST \*/\nBEGIN\n(.*?)\nEND", rc, re.S)
check(manifest, "no application manifest (resource 1 of type 24)")
if manifest:
    text = "".join(unescape(line.strip()[1:-1]).replace("\\n", "\n")
                   for line in manifest.group(1).splitlines()).encode("latin-1").decode("utf-8")
    ns = {"a": "urn:schemas-microsoft-com:asm.v1", "s": "urn:schemas-microsoft-com:asm.v3",
          "c": "urn:schemas-microsoft-com:compatibility.v1"}
    root = ET.fromstring(text)
    identity = root.find("a:assemblyIdentity", ns)
    wanted = "amd64" if arch == "x86_64" else "x86"
    check(identity is not None and identity.get("processorArchitecture") == wanted,
          f"manifest architecture {identity.get('processorArchitecture') if identity is not None else None}, not {wanted}")
    check(identity is not None and identity.get("version") == f"{version}.0", "manifest version")
    level = root.find(".//s:requestedExecutionLevel", ns)
    check(level is not None and level.get("level") == "asInvoker", "the manifest asks for elevation")
    systems = {os.get("Id") for os in root.iterfind(".//c:supportedOS", ns)}
    for name, guid in (("Windows 7", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"),
                       ("Windows 10 and 11", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}")):
        check(guid in systems, f"the manifest does not name {name}")

if failures:
    print("FAIL: " + "; ".join(failures), file=sys.stderr)
    sys.exit(1)
print(f"{exe}: {values['ProductName']} {version}, {values['FileDescription']}, {values['CompanyName']}; "
      f"manifest for {wanted}, {len(systems)} Windows versions")

#!/usr/bin/env python3
"""Writes the notices of the third-party code inside qtbase that a static Windows build of the
program can contain, read from Qt's own attribution files in Debian's source tarball:

    qtnotices.py QTBASE_ORIG_TARBALL > DRITTE.txt

Parts for other platforms or left out of the build (OpenGL, Vulkan, D-Bus, X11, Android,
macOS, WebAssembly, JPEG, FreeType) are skipped; everything else is listed, so that nothing
linked in is missed."""
import json
import posixpath
import sys
import tarfile

SKIPPED = ("/angle/", "/android/", "/wasm/", "/xcb/", "/cocoa/", "/dbus/", "/vulkan/",
           "/VulkanMemoryAllocator/", "/gradle/", "/libjpeg/", "/freetype/", "/opengl/",
           "/testlib/", "/forkfd/")


def main(tarball):
    with tarfile.open(tarball) as tar:
        members = {m.name: m for m in tar.getmembers() if m.isfile()}

        def read(name):
            return tar.extractfile(members[name]).read().decode("utf-8", "replace")

        out = sys.stdout
        for name in sorted(n for n in members if n.endswith("/qt_attribution.json")):
            if any(part in name for part in SKIPPED):
                continue
            entries = json.loads(read(name), strict=False)
            for entry in entries if isinstance(entries, list) else [entries]:
                if entry.get("QtUsage", "").lower().startswith("used only"):
                    continue
                out.write("=" * 78 + "\n")
                out.write(f"{entry.get('Name', '')} ({entry.get('License', '')})\n")
                if entry.get("Copyright"):
                    out.write(entry["Copyright"].strip() + "\n")
                out.write("\n")
                licence = entry.get("LicenseFile")
                path = posixpath.normpath(posixpath.join(posixpath.dirname(name), licence)) if licence else None
                if path in members:
                    out.write(read(path).strip() + "\n")
                out.write("\n")


if __name__ == "__main__":
    main(sys.argv[1])

#!/usr/bin/env python3
"""Writes THIRD-PARTY-NOTICES.txt for the Windows package: the license texts of
everything the zip and the setup program ship, taken from where they come from (the
Qt source tree the package's Qt was built from, Debian's license and copyright files),
so the file always matches what is in the package.

    notices.py --version 1.0.0 --stage DIR --qt-source DIR --qt-package 6.4.2+dfsg-10
               --qt-options FILE --cmake-cache FILE --license LICENSE --out FILE
"""
import argparse
import json
import pathlib
import sys

RULE = "=" * 78

# Third-party code of Qt that is not in the libraries and plugins the package ships
# (other platforms, networking, D-Bus, the test library).
QT_NOT_SHIPPED = ("3rdparty/android", "3rdparty/gradle", "3rdparty/wasm", "3rdparty/xcb",
                  "3rdparty/forkfd", "3rdparty/libpsl", "plugins/platforms/cocoa", "src/dbus",
                  "src/network", "src/testlib")


def read(path):
    return pathlib.Path(path).read_text(encoding="utf-8", errors="replace").rstrip() + "\n"


def section(title, body):
    return f"\n{RULE}\n{title}\n{RULE}\n\n{body.rstrip()}\n"


def qt_attributions(source):
    """(name, version, license, copyright, license text) of Qt's bundled code."""
    found = []
    for path in sorted(pathlib.Path(source, "src").rglob("qt_attribution.json")):
        relative = path.relative_to(source).as_posix()
        if any(part in relative for part in QT_NOT_SHIPPED):
            continue
        data = json.loads(path.read_text(encoding="utf-8"), strict=False)
        for entry in data if isinstance(data, list) else [data]:
            files = entry.get("LicenseFile") or entry.get("LicenseFiles") or []
            if isinstance(files, str):
                files = [files]
            texts = []
            for name in files:
                licence = path.parent / name
                if licence.is_file():
                    texts.append(read(licence))
            found.append((entry.get("Name", entry.get("Id", "?")), entry.get("Version", ""),
                          entry.get("License", ""), entry.get("Copyright", "").strip(),
                          "\n".join(texts)))
    return found


def main():
    parser = argparse.ArgumentParser()
    for option in ("version", "stage", "qt-source", "qt-package", "qt-options", "cmake-cache",
                   "license", "out"):
        parser.add_argument("--" + option, required=True)
    args = parser.parse_args()
    stage = pathlib.Path(args.stage)
    cache = pathlib.Path(args.cmake_cache).read_text(encoding="utf-8", errors="replace").lower()
    qt_version = args.qt_package.split("+")[0].split(":")[-1]
    qt_files = sorted(p.relative_to(stage).as_posix() for p in stage.rglob("*")
                      if p.is_file() and (p.name.lower().startswith("qt6") or p.parent.name in
                                          ("platforms", "styles", "translations")))
    linked = {name for name in ("xlsxwriter", "minizip", "zlib") if name in cache}

    out = [f"嵌岩桩承载力计算 (TB10093-2017) {args.version}\n"
           "随附组件的许可证 / Third-party notices\n\n"
           "本程序按 MIT 许可发布（全文见下文及 LICENSE.txt）。安装包与压缩包中还带有下列\n"
           "组件，它们各自的许可证全文附在本文件中。\n"
           "The program is released under the MIT license (below, and in LICENSE.txt).\n"
           "The package also carries the following components, each under its own license,\n"
           "whose full texts follow.\n"]
    components = [
        f"1. Qt {qt_version} (The Qt Company Ltd. and other contributors): "
        + ", ".join(qt_files) + ".\n"
        "   License: GNU Lesser General Public License version 3 (LGPL-3.0-only), texts below\n"
        "   (the LGPL-3.0 supplements the GNU GPL-3.0, whose text follows it).\n"
        "   Qt is linked dynamically: the DLLs above may be replaced by any other build of\n"
        f"   Qt {qt_version} for MinGW-w64 x86_64 and the program will use it.\n"
        f"   Source: Debian 12's source package qt6-base, version {args.qt_package}\n"
        f"   (\"apt-get source qt6-base={args.qt_package}\" unpacks it): Qt's own qtbase\n"
        f"   {qt_version} source with Debian's patches, configured as listed at the end of this file.\n"
        "   On request we send the same source on a medium of your choice for the cost of\n"
        "   making the copy, for three years after we hand out this package.\n",
        "2. MinGW-w64 runtime, from GCC (Free Software Foundation): libstdc++-6.dll and\n"
        "   libgcc_s_seh-1.dll, under the GNU GPL-3.0 with the GCC Runtime Library Exception\n"
        "   3.1 (both texts below); libwinpthread-1.dll (MinGW-w64 project), under the MIT\n"
        "   (expat) license and the BSD-style licenses of its copyright file (below).\n",
    ]
    if linked:
        components.append("3. Linked into the programs: "
                          + ", ".join(sorted(linked)) + " (their licenses below).\n")
    out.append("\n" + "\n".join(components))

    out.append(section("The program: MIT License", read(args.license)))
    out.append(section("GNU LESSER GENERAL PUBLIC LICENSE, version 3 (Qt)",
                       read("/usr/share/common-licenses/LGPL-3")))
    out.append(section("GNU GENERAL PUBLIC LICENSE, version 3 (Qt via the LGPL; the GCC runtime)",
                       read("/usr/share/common-licenses/GPL-3")))
    gcc = read("/usr/share/doc/gcc-mingw-w64-base/copyright")
    start = gcc.find("GCC RUNTIME LIBRARY EXCEPTION")
    if start < 0:
        sys.exit("notices.py: the GCC Runtime Library Exception is missing from gcc-mingw-w64-base's copyright file")
    out.append(section("GCC Runtime Library Exception 3.1 (libstdc++-6.dll, libgcc_s_seh-1.dll)",
                       gcc[start:]))
    mingw = read("/usr/share/doc/mingw-w64-common/copyright")
    begin = mingw.find("Files: mingw-w64-libraries/winpthreads/*")
    end = mingw.find("\nFiles:", mingw.find("Files: mingw-w64-libraries/winpthreads/src/libgcc"))
    expat = mingw.find("License: expat\n", mingw.find("\nLicense: expat"))
    winpthreads = mingw[begin:end if end > 0 else None]
    if expat >= 0:
        winpthreads += "\n" + mingw[expat:mingw.find("\nLicense:", expat + 10)]
    out.append(section("libwinpthread-1.dll: copyright and licenses (MinGW-w64 project)", winpthreads))

    parts = []
    for name, version, licence, holder, text in qt_attributions(args.qt_source):
        head = f"{name} {version}".strip() + (f" — {licence}" if licence else "")
        parts.append(f"--- {head}\n" + (holder + "\n\n" if holder else "") + text)
    out.append(section(f"Third-party code inside Qt {qt_version}, as Qt lists it", "\n".join(parts)))

    for name, title, paths in (
            ("zlib", "zlib", ["/usr/share/doc/zlib1g/copyright"]),
            ("minizip", "minizip", ["/usr/share/doc/libminizip1/copyright",
                                    "/usr/share/doc/libminizip-dev/copyright"]),
            ("xlsxwriter", "libxlsxwriter", ["/usr/share/doc/libxlsxwriter4/copyright",
                                             "/usr/share/doc/libxlsxwriter-dev/copyright"])):
        if name not in linked:
            continue
        found = next((p for p in paths if pathlib.Path(p).is_file()), None)
        if not found:
            sys.exit(f"notices.py: no copyright file of {title} ({', '.join(paths)})")
        out.append(section(f"{title}: copyright and license", read(found)))

    out.append(section(f"How Qt {qt_version} for this package was configured", read(args.qt_options)))
    text = "".join(out).replace("\r\n", "\n").replace("\n", "\r\n")
    pathlib.Path(args.out).write_bytes("\ufeff".encode("utf-8") + text.encode("utf-8"))


if __name__ == "__main__":
    main()

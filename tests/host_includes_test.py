#!/usr/bin/env python3
"""Fails when a source file outside a host folder includes Qt or Windows headers, or tests
which platform it is built for.

The program's behaviour is one core shared by the Linux and the Windows program; only the files
in folders named qt/ (the Qt host) and win32/ (the Win32 host) may reach their platform. What
differs between the platforms is passed in by the host, so a core file has no platform #if
either. This lists every include and every conditional that breaks that rule, with its file and
line.
"""
import pathlib
import re
import subprocess
import sys

HOST_FOLDERS = {"qt", "win32"}
SOURCE_SUFFIXES = {".c", ".cc", ".cpp", ".h", ".hpp", ".rc"}
# Qt's headers start with Q (<QWidget>, <QtCore/QObject>) or qt; the Windows ones are the
# platform SDK's, which MinGW ships in lower case.
QT_HEADER = re.compile(r"Q[A-Za-z]|qt[a-z]*/", re.ASCII)
WINDOWS_HEADERS = {
    "windows.h", "windowsx.h", "commctrl.h", "mmsystem.h", "objbase.h", "ole2.h", "shellapi.h",
    "shlobj.h", "uxtheme.h", "winbase.h", "windef.h", "wingdi.h", "winuser.h", "winnls.h",
    "combaseapi.h", "oleauto.h", "winres.h",
}
INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^>"]+)[>"]')
# The macros that name a system or its toolchain (Qt's Q_OS_ and Q_CC_ families among them).
PLATFORM_MACRO = (r"_WIN32|_WIN64|WIN32|_WINDOWS|__CYGWIN__|__MINGW32__|__MINGW64__|_MSC_VER|"
                  r"__linux__|__linux|__unix__|__unix|__APPLE__|__MACH__|__FreeBSD__|"
                  r"__ANDROID__|__EMSCRIPTEN__|Q_OS_\w+|Q_CC_\w+")
CONDITIONAL = re.compile(r"^\s*#\s*(?:if|ifdef|ifndef|elif|elifdef|elifndef)\b(.*)")
PLATFORM_TEST = re.compile(r"(?<!\w)(" + PLATFORM_MACRO + r")(?!\w)")


def platform_header(name: str) -> bool:
    return QT_HEADER.match(name) is not None or name.lower() in WINDOWS_HEADERS


def platform_conditional(line: str):
    """The platform macro a conditional line tests, or None."""
    match = CONDITIONAL.match(line)
    if not match:
        return None
    tested = PLATFORM_TEST.search(match.group(1).split("//")[0])
    return tested.group(1) if tested else None


def in_host_folder(path: pathlib.PurePath) -> bool:
    return any(part in HOST_FOLDERS for part in path.parts[:-1])


def offences(root: pathlib.Path, files):
    for name in files:
        path = pathlib.PurePath(name)
        if path.suffix not in SOURCE_SUFFIXES or in_host_folder(path):
            continue
        text = (root / path).read_text(encoding="utf-8", errors="replace")
        for number, line in enumerate(text.splitlines(), 1):
            match = INCLUDE.match(line)
            if match and platform_header(match.group(1)):
                yield f"{path}:{number}: includes <{match.group(1)}> outside a host folder"
            macro = platform_conditional(line)
            if macro:
                yield f"{path}:{number}: tests {macro} outside a host folder"


def tracked_files(root: pathlib.Path):
    listing = subprocess.run(["git", "-C", str(root), "ls-files", "--cached", "--others",
                              "--exclude-standard"], check=True, capture_output=True, text=True)
    return listing.stdout.splitlines()


def main() -> int:
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
    found = list(offences(root, tracked_files(root)))
    for offence in found:
        print(offence)
    print(f"{len(found)} platform includes and conditionals outside qt/ and win32/")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())

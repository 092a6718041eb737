#!/usr/bin/python3
"""Packs a product folder into the zip archive the distribution server offers.

Usage: make_package.py FOLDER TARGET.zip [FILLER_MIB]

Names that are not plain ASCII are stored in code page 949 without the UTF-8 flag, as the
zip tools of Korean Windows write them; Python's zipfile would otherwise store UTF-8 and
set the flag. Executable files keep their mode so that pelinst.exe can be started.
FILLER_MIB adds data/sample.bin, that many MiB of incompressible bytes (made here rather
than kept in the tree), so that the download is long enough to watch.
"""
import os
import random
import stat
import sys
import zipfile

UTF8_FLAG = 0x800


class Cp949Info(zipfile.ZipInfo):
    def _encodeFilenameFlags(self):
        try:
            return self.filename.encode("ascii"), self.flag_bits & ~UTF8_FLAG
        except UnicodeEncodeError:
            return self.filename.encode("cp949"), self.flag_bits & ~UTF8_FLAG


def entries(folder):
    for parent, dirs, files in os.walk(folder):
        dirs.sort()
        for name in sorted(dirs):
            yield os.path.join(parent, name), True
        for name in sorted(files):
            yield os.path.join(parent, name), False


def main():
    folder, target = sys.argv[1], sys.argv[2]
    filler_mib = int(sys.argv[3]) if len(sys.argv) > 3 else 0
    with zipfile.ZipFile(target, "w") as archive:
        if filler_mib > 0:
            info = zipfile.ZipInfo("data/sample.bin", date_time=(2024, 1, 1, 0, 0, 0))
            info.create_system = 3
            info.external_attr = (stat.S_IFREG | 0o644) << 16
            archive.writestr(info, random.Random(1).randbytes(filler_mib << 20))
        for path, is_dir in entries(folder):
            name = os.path.relpath(path, folder).replace(os.sep, "/") + ("/" if is_dir else "")
            mode = os.stat(path).st_mode
            info = Cp949Info(name, date_time=(2024, 1, 1, 0, 0, 0))
            info.create_system = 3  # Unix, so that the mode below is looked at
            info.external_attr = (stat.S_IFMT(mode) | stat.S_IMODE(mode)) << 16
            if is_dir:
                info.external_attr |= 0x10  # MS-DOS directory bit
                archive.writestr(info, b"")
            else:
                info.compress_type = zipfile.ZIP_DEFLATED
                with open(path, "rb") as f:
                    archive.writestr(info, f.read())


if __name__ == "__main__":
    main()

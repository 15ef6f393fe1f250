"""The soak driver's checks: the memo and slices of a finished run, and the signatures of files
that must not change."""

import os
import re
import stat

BYTE_LINE = re.compile(rb"^\t([^\t].*) Byte$")
FILE_LINE = re.compile(rb"^\t\t(.*) : ([^:]*)$")


def number(text: bytes) -> int:
    """A number the memo wrote with the locale's grouping, its digits only."""
    digits = re.sub(rb"[^0-9]", b"", text)
    return int(digits) if digits else -1


def unescape(path: bytes) -> bytes:
    """The bytes of a path as the memo escaped them (\\n, \\r, \\t, \\xNN, \\uNNNN); a backslash
    that starts none of these stands for itself."""
    out = bytearray()
    i = 0
    simple = {ord("n"): b"\n", ord("r"): b"\r", ord("t"): b"\t"}
    while i < len(path):
        c = path[i]
        if c == 0x5C and i + 1 < len(path):
            n = path[i + 1]
            if n in simple:
                out += simple[n]
                i += 2
                continue
            if n == ord("x") and re.fullmatch(rb"[0-9A-Fa-f]{2}", path[i + 2:i + 4]):
                out.append(int(path[i + 2:i + 4], 16))
                i += 4
                continue
            if n == ord("u") and re.fullmatch(rb"[0-9A-Fa-f]{4}", path[i + 2:i + 6]):
                out += chr(int(path[i + 2:i + 6], 16)).encode()
                i += 6
                continue
        out.append(c)
        i += 1
    return bytes(out)


def slice_label(folder_line: bytes) -> bytes:
    """The label of a subfolder's slice: its name, cut to 5 characters and "..." beyond 8. A
    byte that is not part of valid UTF-8 counts as one character."""
    name = unescape(folder_line).rstrip(b"/").rsplit(b"/", 1)[-1]
    chars = name.decode("utf-8", "surrogateescape")
    if len(chars) > 8:
        chars = chars[:5] + "..."
    return chars.encode("utf-8", "surrogateescape")


def check_run(memo: bytes, slices: bytes, disk_sizes: bool):
    """Problems found in one finished run; empty when it is consistent. With `disk_sizes` every
    logged file's size (the step of the running total) must also be its size on disk."""
    problems = []
    lines = memo.split(b"\n")
    if lines and lines[-1] == b"":
        lines.pop()
    if not lines:
        return ["empty memo"]
    blocks = []  # (label, running totals, byte value, files)
    label, running, files = b"root", [], []
    for line in lines[1:]:
        m = FILE_LINE.match(line)
        if m:
            running.append(number(m.group(2)))
            files.append(unescape(m.group(1)))
            continue
        m = BYTE_LINE.match(line)
        if m:
            blocks.append((label, running, number(m.group(1)), files))
            running, files = [], []
            continue
        if line.startswith(b"\t"):
            problems.append("unknown line %r" % line[:80])
        else:
            label = slice_label(line)
    if running:
        problems.append("file lines after the last Byte line")
    total_bytes = 0
    for label, running, value, files in blocks:
        if any(b < a for a, b in zip(running, running[1:])):
            problems.append("running total goes down in %r" % label)
        last = running[-1] if running else 0
        if last != value:
            problems.append("slice %r: Byte line %d, last running total %d" % (label, value, last))
        total_bytes += value
        if disk_sizes:
            before = 0
            for path, now in zip(files, running):
                try:
                    size = os.lstat(path).st_size
                except OSError:
                    size = -1
                if size != now - before:
                    problems.append("%r: logged %d, on disk %d" % (path, now - before, size))
                    break
                before = now
    memo_slices = sorted((v, l) for l, _r, v, _f in blocks)
    series = []
    for line in slices.split(b"\n"):
        if line:
            hexlabel, value = line.split(b"\t")
            series.append((int(value), b"" if hexlabel == b"-" else bytes.fromhex(hexlabel.decode())))
    if sorted(series) != memo_slices:
        problems.append("slices %r differ from the memo's %r" % (sorted(series)[:5], memo_slices[:5]))
    if sum(v for v, _l in series) != total_bytes:
        problems.append("slices sum to %d, memo to %d" % (sum(v for v, _l in series), total_bytes))
    return problems


def signatures(root: bytes, base: bytes = b""):
    """What would show any change below `root`: per entry its type, mode, size, inode and the
    change time (which moves with every write, rename or chmod). Keys are relative to root."""
    out = {}
    for folder, dirs, files in os.walk(root):
        for name in dirs + files:
            path = os.path.join(folder, name)
            try:
                st = os.lstat(path)
            except OSError:
                continue
            out[base + path[len(root):]] = (stat.S_IFMT(st.st_mode), st.st_mode, st.st_size,
                                            st.st_ino, st.st_mtime_ns, st.st_ctime_ns)
    return out


def contents(root: bytes):
    """Every regular file below root with its bytes (for the few files a save may touch)."""
    out = {}
    for folder, _dirs, files in os.walk(root):
        for name in files:
            path = os.path.join(folder, name)
            try:
                if stat.S_ISREG(os.lstat(path).st_mode):
                    with open(path, "rb") as f:
                        out[path[len(root):]] = f.read()
                else:
                    out[path[len(root):]] = b"<special>"
            except OSError as e:
                out[path[len(root):]] = b"<error %d>" % e.errno
    return out


def changed(before: dict, after: dict, allowed=lambda key: False):
    """The keys that appeared, vanished or changed and that `allowed` does not excuse."""
    keys = set(before) | set(after)
    return sorted(k for k in keys if before.get(k) != after.get(k) and not allowed(k))

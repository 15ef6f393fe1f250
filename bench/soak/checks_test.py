#!/usr/bin/env python3
"""The soak driver's run check: it passes a consistent memo and catches each kind of fault a
run could show (a slice whose Byte line is not its files' sum, a running total that goes down,
slices that differ from the memo, a size that differs from the disk)."""

import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import checks  # noqa: E402


def slices(*points):
    return b"".join(b"%s\t%d\n" % (label.hex().encode(), value) for label, value in points)


GOOD_MEMO = (b"/d/\n\t\t/d/a : 1,000\n\t\t/d/b : 1,500\n\t1,500 Byte\n"
             b"/d/Documents/\n\t\t/d/Documents/x : 7\n\t7 Byte\n/d/e\\x01/\n\t0 Byte\n")
GOOD_SLICES = slices((b"root", 1500), (b"Docum...", 7), (b"e\x01", 0))


class CheckRunTest(unittest.TestCase):
    def test_cases(self):
        cases = [
            ("consistent", GOOD_MEMO, GOOD_SLICES, 0),
            ("Byte line not the last running total",
             GOOD_MEMO.replace(b"\t1,500 Byte", b"\t1,400 Byte"), GOOD_SLICES, 2),
            ("running total goes down", GOOD_MEMO.replace(b"/d/b : 1,500", b"/d/b : 900"),
             GOOD_SLICES, 1),
            ("a slice's value differs", GOOD_MEMO, slices((b"root", 1500), (b"Docum...", 8),
                                                          (b"e\x01", 0)), 1),
            ("a slice's label differs", GOOD_MEMO, slices((b"root", 1500), (b"Documents", 7),
                                                          (b"e\x01", 0)), 1),
            ("a slice is missing", GOOD_MEMO, slices((b"root", 1500), (b"Docum...", 7)), 1),
            ("file lines after the last Byte line", GOOD_MEMO + b"\t\t/d/z : 3\n", GOOD_SLICES, 1),
        ]
        for name, memo, points, at_least in cases:
            with self.subTest(name):
                found = checks.check_run(memo, points, disk_sizes=False)
                if at_least:
                    self.assertGreaterEqual(len(found), 1, name)
                else:
                    self.assertEqual(found, [], name)

    def test_sizes_on_disk(self):
        with tempfile.TemporaryDirectory() as d:
            for name, size in ((b"a", 1000), (b"b\nc", 500)):
                with open(os.path.join(d.encode(), name), "wb") as f:
                    f.truncate(size)
            folder = d.encode()
            memo = (folder + b"/\n\t\t" + folder + b"/a : 1,000\n\t\t" + folder +
                    b"/b\\nc : 1,500\n\t1,500 Byte\n")
            self.assertEqual(checks.check_run(memo, slices((b"root", 1500)), True), [])
            os.truncate(os.path.join(folder, b"b\nc"), 501)
            self.assertEqual(len(checks.check_run(memo, slices((b"root", 1500)), True)), 1)

    def test_labels_count_characters_and_stray_bytes(self):
        for line, label in ((b"/d/Windows/", b"Windows"), (b"/d/12345678/", b"12345678"),
                            ("/d/日本語の長いフォルダ名/".encode(), "日本語の長...".encode()),
                            (b"/d/\xff\xfe\xfd\xfc\xfb\xfa\xf9\xf8\xf7/", b"\xff\xfe\xfd\xfc\xfb...")):
            self.assertEqual(checks.slice_label(line), label)

    def test_changed_excuses_only_what_is_allowed(self):
        before = {b"/a": 1, b"/b": 2, b"/t/x": 3}
        after = {b"/a": 1, b"/b": 9, b"/t/x": 4, b"/t/y": 5}
        self.assertEqual(checks.changed(before, after, lambda k: k.startswith(b"/t/")), [b"/b"])


if __name__ == "__main__":
    unittest.main()

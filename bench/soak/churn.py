"""The churn process of the soak driver: keeps changing one part of the generated tree while
the program analyses it, and logs every path it touches with the time, so the driver can tell
the runs it left alone from the others.

Log lines: "<monotonic ns> <hex path>" (one line per path touched; a rename logs both names).
"""

import os
import random
import shutil
import time

# Names the churn adds besides plain ones: not UTF-8, control characters, Japanese, spaces.
ODD_NAMES = [b"bad-\xff\xfe", b"latin1-\xe9t\xe9", b"ctl-\x01-\x1f", b"new\nline", b"tab\there",
             "日本語のファイル名".encode(), b"  spaced  ", b"%2 : %1", b"back\\slash"]


class Churn:
    def __init__(self, zone: bytes, log_path: str, seed: int):
        self.zone = zone
        self.rng = random.Random(seed)
        self.log = open(log_path, "a", buffering=1)
        self.serial = 0

    def touched(self, *paths: bytes):
        now = time.monotonic_ns()
        for p in paths:
            self.log.write(f"{now} {p.hex()}\n")

    def folders(self):
        out = []
        for root, dirs, _files in os.walk(self.zone):
            out.append(root)
            if len(out) > 400:
                break
        return out

    def files_in(self, folder: bytes):
        try:
            return [os.path.join(folder, n) for n in os.listdir(folder)
                    if os.path.isfile(os.path.join(folder, n))]
        except OSError:
            return []

    def new_name(self) -> bytes:
        self.serial += 1
        base = self.rng.choice(ODD_NAMES) if self.rng.random() < 0.3 else b"c"
        return base + b"-%d" % self.serial

    def step(self):
        folders = self.folders()
        if not folders:
            os.makedirs(self.zone, exist_ok=True)
            return
        folder = self.rng.choice(folders)
        op = self.rng.choices(
            ["create", "append", "truncate", "delete", "mkdir", "rename_dir", "rmtree",
             "symlink_swap"],
            weights=[25, 20, 10, 15, 8, 8, 4, 5])[0]
        # Everything below may race with the program and with the churn's own earlier steps;
        # a path that vanished meanwhile is simply skipped.
        try:
            getattr(self, "op_" + op)(folder)
        except OSError:
            self.touched(folder)

    def op_create(self, folder):
        path = os.path.join(folder, self.new_name())
        self.touched(path)
        with open(path, "wb") as f:
            f.write(b"x" * self.rng.randrange(0, 5000))
        self.touched(path)

    def op_append(self, folder):
        files = self.files_in(folder)
        if files:
            path = self.rng.choice(files)
            self.touched(path)
            with open(path, "ab") as f:
                f.write(b"y" * self.rng.randrange(1, 3000))
            self.touched(path)

    def op_truncate(self, folder):
        files = self.files_in(folder)
        if files:
            path = self.rng.choice(files)
            self.touched(path)
            os.truncate(path, self.rng.randrange(0, 100))
            self.touched(path)

    def op_delete(self, folder):
        files = self.files_in(folder)
        if files:
            path = self.rng.choice(files)
            self.touched(path)
            os.unlink(path)

    def op_mkdir(self, folder):
        path = os.path.join(folder, self.new_name())
        self.touched(path)
        os.mkdir(path)
        for i in range(self.rng.randrange(0, 20)):
            with open(os.path.join(path, b"f%d" % i), "wb") as f:
                f.write(b"z" * self.rng.randrange(0, 2000))
        self.touched(path)

    def op_rename_dir(self, folder):
        # Renames a folder (it may be the one being analysed or one of its parents), then
        # half of the time renames it back a moment later.
        if folder == self.zone:
            return
        other = os.path.join(os.path.dirname(folder), self.new_name())
        self.touched(folder, other)
        os.rename(folder, other)
        if self.rng.random() < 0.5:
            time.sleep(self.rng.random() * 0.2)
            self.touched(folder, other)
            os.rename(other, folder)

    def op_rmtree(self, folder):
        # Deletes a folder with everything below it and re-creates it empty, with a few files.
        if folder == self.zone:
            return
        self.touched(folder)
        shutil.rmtree(folder, ignore_errors=True)
        time.sleep(self.rng.random() * 0.2)
        os.makedirs(folder, exist_ok=True)
        for i in range(self.rng.randrange(0, 10)):
            with open(os.path.join(folder, b"r%d" % i), "wb") as f:
                f.write(b"r" * self.rng.randrange(0, 1000))
        self.touched(folder)

    def op_symlink_swap(self, folder):
        # Swaps a folder for a symbolic link to its parent (a loop for a walk that follows
        # links) and back.
        if folder == self.zone:
            return
        aside = folder + b".aside"
        self.touched(folder, aside)
        os.rename(folder, aside)
        os.symlink(b"..", folder)
        time.sleep(self.rng.random() * 0.3)
        self.touched(folder, aside)
        os.unlink(folder)
        os.rename(aside, folder)


def run(zone: bytes, log_path: str, seed: int, stop_at: float):
    churn = Churn(zone, log_path, seed)
    while time.monotonic() < stop_at:
        churn.step()
        time.sleep(churn.rng.uniform(0.005, 0.05))

#!/usr/bin/python3
"""ops_bench.py CLI WORK RUNS

One-operation benchmarks of hvadmin-cli on generated project folders, each run side by side
with `ls -f` of the same folder (one listing: the least a case-insensitive lookup can cost):

- delete: an application whose template has 5,000 entries, in a folder of 5,000 files, whose
  numbered companion files do not exist (every name looked up misses); the folder is restored
  before every run, untimed;
- dir show: a directory file naming 200 missing templates (and 20 present ones) in a folder
  of 20,000 applications.

Prints the median wall time of each side in milliseconds, then, with strace, how many folder
listings (opens of a folder for reading) and directory reads (getdents64 calls) each
operation makes.
"""
import os
import shutil
import statistics
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ENTRIES = 5000
FILES = 5000
APPLICATIONS = 20000
MISSING = 200


def generate(work):
    delete = os.path.join(work, "delete-pristine")
    if not os.path.exists(os.path.join(delete, ".generated")):
        shutil.rmtree(delete, ignore_errors=True)
        os.makedirs(delete)
        text = "[TEMPLATE]\r\nTitle=Big\r\n" + "".join(
            "[ENTRY]\r\nKey=%d\r\n" % k for k in range(1, ENTRIES + 1))
        files = {"BIG.HVT": text.encode(), "BIG.hvd": b"\x03" + bytes(40), "BIG.hvi": b"i",
                 "BIG.hvn": b"n"}
        for i in range(FILES - len(files)):
            files["OTHER%05d.%s" % (i // 3, ("HVT", "hvd", "hvi")[i % 3])] = b"x"
        for name, data in files.items():
            with open(os.path.join(delete, name), "wb") as f:
                f.write(data)
        open(os.path.join(delete, ".generated"), "w").close()
    show = os.path.join(work, "dirshow%d" % APPLICATIONS)
    if not os.path.exists(os.path.join(show, ".generated")):
        shutil.rmtree(show, ignore_errors=True)
        subprocess.run([sys.executable, os.path.join(HERE, "..", "lists_bench", "gen_folder.py"),
                        show, str(APPLICATIONS), "0"], check=True)
        text = "[DIRECTORY]\r\nCaption=Menu\r\n"
        for i in range(MISSING):
            text += "[FILE]\r\nTitle=Gone %d\r\nFilename=GONE%03d.HVT\r\nAccess=W\r\n" % (i, i)
        for i in range(20):
            text += "[FILE]\r\nTitle=App %d\r\nFilename=app%05d.hvt\r\nAccess=R\r\n" % (i, i * 7)
        with open(os.path.join(show, "MENU.dir"), "wb") as f:
            f.write(text.encode())
        open(os.path.join(show, ".generated"), "w").close()
    return delete, show


def reset(pristine, folder):
    shutil.rmtree(folder, ignore_errors=True)
    shutil.copytree(pristine, folder)


def timed(command, env):
    start = time.perf_counter()
    subprocess.run(command, stdout=subprocess.DEVNULL, env=env, check=True)
    return (time.perf_counter() - start) * 1000


def strace_counts(command, env, folder):
    """(listings of `folder`, getdents64 calls) of one run. A listing is a descriptor of the
    folder that is read with getdents64 (a descriptor only used to open files by name does
    not count)."""
    log = os.path.join(os.environ.get("TMPDIR", "/tmp"), "hv-ops-strace.txt")
    subprocess.run(["strace", "-f", "-qq", "-o", log, "-e", "trace=openat,getdents64,close"]
                   + command, stdout=subprocess.DEVNULL, env=env, check=True)
    folder_fds, listed, listings, reads = set(), set(), 0, 0
    target = '"%s' % folder.rstrip("/")
    with open(log, encoding="utf-8", errors="replace") as f:
        for line in f:
            call = line.split(None, 1)[1] if line[:1].isdigit() else line
            result = call.rsplit("= ", 1)[-1].split()[0] if "= " in call else ""
            if call.startswith("openat(") and "O_DIRECTORY" in call and target in call:
                if result.isdigit():
                    folder_fds.add(result)
            elif call.startswith("getdents64("):
                reads += 1
                fd = call[len("getdents64("):].split(",", 1)[0]
                if fd in folder_fds and fd not in listed:
                    listed.add(fd)
                    listings += 1
            elif call.startswith("close("):
                fd = call[len("close("):].split(")", 1)[0]
                folder_fds.discard(fd)
                listed.discard(fd)
    os.unlink(log)
    return listings, reads


def main():
    cli, work, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])
    os.makedirs(work, exist_ok=True)
    delete_pristine, show = generate(work)
    folder = os.path.join(work, "delete")
    env = dict(os.environ, XDG_DATA_HOME=os.path.join(work, "data"), HOME=work)
    delete_cmd = [cli, "delete", folder, "BIG.HVT"]
    show_cmd = [cli, "dir", "show", os.path.join(show, "MENU.dir")]
    sides = {"delete": [], "ls -f (delete folder)": [], "dir show": [], "ls -f (dir show folder)": []}
    for round_ in range(runs + 1):
        reset(delete_pristine, folder)
        shutil.rmtree(os.path.join(work, "data"), ignore_errors=True)
        samples = {"delete": timed(delete_cmd, env),
                   "ls -f (delete folder)": timed(["ls", "-f", folder], env),
                   "dir show": timed(show_cmd, env),
                   "ls -f (dir show folder)": timed(["ls", "-f", show], env)}
        if round_ > 0:  # the first round warms the page cache
            for name, ms in samples.items():
                sides[name].append(ms)
    for name, values in sides.items():
        print("%-26s %9.1f ms" % (name, statistics.median(values)))
    # Folder listings and directory reads per operation; every operation below looks up at
    # least one name that is not there under its exact spelling.
    counted = [
        ("delete", delete_cmd, folder, True),
        ("clear", [cli, "clear", folder, "big.hvt"], folder, True),
        ("rename", [cli, "rename", folder, "BIG.HVT", "Huge"], folder, True),
        ("lock-check", [cli, "lock-check", os.path.join(folder, "big.HVD")], folder, True),
        ("dir show", show_cmd, show, False),
        ("list applications", [cli, "list", "applications", show], show, False),
        ("list directories", [cli, "list", "directories", show], show, False),
    ]
    print("%-26s %9s %11s" % ("operation (strace)", "listings", "getdents64"))
    for name, command, where, needs_reset in counted:
        if needs_reset:
            reset(delete_pristine, folder)
        print("%-26s %9d %11d" % (name, *strace_counts(command, env, where)))


if __name__ == "__main__":
    main()

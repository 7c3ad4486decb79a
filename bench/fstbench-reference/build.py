#!/usr/bin/env python3
"""Build fstbench offline (release, once per source version) and print its
path; with arguments, build and then run it with them:

    python3 bench/fstbench-reference/build.py                      # -> path of the binary
    python3 bench/fstbench-reference/build.py MAP.fst [get|prefix100|stream|all] [-n N] ...

A private copy of the sources is
built with CARGO_TARGET_DIR in the fstbench cache ($FSTBENCH_CACHE, else
$XDG_CACHE_HOME/lomperi-fstbench, else ~/.cache/lomperi-fstbench), so that no
Cargo.lock or target/ lands in the repository.  Needs cargo and Debian's
librust-fst-dev (fst 0.3.5 under the standard Debian crate directory).
$LOMPERI_FSTBENCH names a prebuilt binary to use instead.
"""

import hashlib
import os
import shutil
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
REGISTRY = "/usr/share/cargo/registry"  # standard Debian location
SOURCES = ("Cargo.toml", "src/main.rs", ".cargo/config.toml")


def cache_dir():
    d = os.environ.get("FSTBENCH_CACHE") or os.path.join(
        os.environ.get("XDG_CACHE_HOME") or os.path.join(os.path.expanduser("~"), ".cache"),
        "lomperi-fstbench")
    os.makedirs(d, exist_ok=True)
    return d


def find_cargo():
    c = shutil.which("cargo")
    if c:
        return c
    c = os.path.join(os.path.expanduser("~"), ".cargo", "bin", "cargo")
    return c if os.path.exists(c) else None


def ensure_fstbench():
    """Return the path of a release build of fstbench, building it if needed."""
    env_bin = os.environ.get("LOMPERI_FSTBENCH")
    if env_bin and os.path.exists(env_bin):
        return env_bin
    h = hashlib.sha256()
    for rel in SOURCES:
        with open(os.path.join(HERE, rel), "rb") as f:
            h.update(f.read())
    target = os.path.join(cache_dir(), "fstbench-target-" + h.hexdigest()[:12])
    exe = os.path.join(target, "release", "fstbench")
    if os.path.exists(exe):
        return exe
    if not (os.path.isdir(REGISTRY)
            and any(n.startswith("fst-0.3") for n in os.listdir(REGISTRY))):
        raise RuntimeError("Debian crate sources missing: apt-get install librust-fst-dev")
    cargo = find_cargo()
    if not cargo:
        raise RuntimeError("cargo not found")
    work = os.path.join(cache_dir(), "fstbench-src")
    if os.path.exists(work):
        shutil.rmtree(work)
    shutil.copytree(HERE, work, ignore=shutil.ignore_patterns(
        "target", "Cargo.lock", "__pycache__", "*.py", "*.md"))
    env = dict(os.environ, CARGO_TARGET_DIR=target)
    r = subprocess.run([cargo, "build", "--release", "--offline", "-q"], cwd=work,
                       env=env, capture_output=True, text=True)
    if r.returncode != 0 or not os.path.exists(exe):
        raise RuntimeError("building fstbench failed:\n" + r.stderr[-3000:])
    return exe


def main(argv):
    try:
        exe = ensure_fstbench()
    except RuntimeError as e:
        sys.stderr.write("fstbench build: %s\n" % e)
        return 2
    if not argv:
        print(exe)
        return 0
    os.execv(exe, [exe] + argv)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

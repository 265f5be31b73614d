#!/usr/bin/env python3
"""The source lists setup fetches through (scripts/debian-sources), derived from fixture apt
configurations of each form a Debian 12 machine has: classic one-line sources.list with and without
deb-src lines, deb822 .sources with and without deb-src in Types, sources split over several files
in both formats, entries that apt has fetched (judged by their Release file) and sources that name
no Debian archive. Each case checks the lines derived for both private lists (or the one-line
refusal), and that neither the fixture's files nor the machine's own sources changed. apt reads the
fixture through its Dir options; nothing is downloaded.

usage: debian_sources_check.py SCRIPTS/debian-sources
"""
import hashlib
import os
import subprocess
import sys
import tempfile

from scriptcheck import check, finish, tree_digest

script = sys.argv[1]
release = next(line.split("=", 1)[1].strip().strip('"')
               for line in open("/etc/os-release") if line.startswith("VERSION_CODENAME="))
arch = subprocess.run(["dpkg", "--print-architecture"], capture_output=True, text=True,
                      check=True).stdout.strip()
R = release
MAIN = "http://deb.example.net/debian"
SEC = "http://sec.example.net/debian-security"

# What every Debian form below must give: the release, its updates and its security archive.
SRC_ALL = [f"deb-src {MAIN} {R} main", f"deb-src {MAIN} {R}-updates main",
           f"deb-src {SEC} {R}-security main"]
NEXT = [f"deb {MAIN} trixie main"]


def deb822(types, uri, suites, extra=""):
    return (f"Types: {types}\nURIs: {uri}\nSuites: {suites}\nComponents: main non-free-firmware\n"
            f"Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg\n{extra}")


def fetched(site, suite, origin, codename, component="main"):
    """A list folder's files for an entry apt has fetched: its Release file and one index."""
    stem = site.split("://", 1)[1].replace("/", "_") + "_dists_" + suite
    return {f"lists/{stem}_Release": f"Origin: {origin}\nLabel: {origin}\nCodename: {codename}\n"
                                     f"Components: {component}\nArchitectures: {arch}\n",
            f"lists/{stem}_{component}_binary-{arch}_Packages": ""}


CLASSIC = (f"# written by the installer\n"
           f"deb {MAIN} {R} main non-free-firmware\n"
           f"deb {SEC} {R}-security main non-free-firmware\n"
           f"deb {MAIN} {R}-updates main non-free-firmware\n")
CLASSIC_SRC = (f"deb {MAIN} {R} main non-free-firmware\n"
               f"deb-src {MAIN} {R} main non-free-firmware\n"
               f"deb {SEC} {R}-security main non-free-firmware\n"
               f"deb-src {SEC} {R}-security main non-free-firmware\n"
               f"deb {MAIN} {R}-updates main non-free-firmware\n"
               f"deb-src {MAIN} {R}-updates main non-free-firmware\n")

# name, fixture files (relative to the fixture's etc-like root), deb-src lines, deb trixie lines;
# None where the script must refuse in one line.
CASES = [
    ("classic, no deb-src", {"sources.list": CLASSIC}, SRC_ALL, NEXT),
    ("classic with deb-src", {"sources.list": CLASSIC_SRC}, SRC_ALL, NEXT),
    ("deb822, Types: deb",
     {"sources.list.d/debian.sources":
      deb822("deb", MAIN, f"{R} {R}-updates", "\n") + deb822("deb", SEC, f"{R}-security")},
     SRC_ALL, NEXT),
    ("deb822, Types: deb deb-src",
     {"sources.list.d/debian.sources":
      deb822("deb deb-src", MAIN, f"{R} {R}-updates", "\n") + deb822("deb deb-src", SEC, f"{R}-security")},
     SRC_ALL, NEXT),
    ("split over several files in both formats, and an empty sources.list",
     {"sources.list": "",
      "sources.list.d/main.list": f"deb [arch={arch}] {MAIN} {R} main\n",
      "sources.list.d/security.sources": deb822("deb", SEC, f"{R}-security"),
      "sources.list.d/updates.list": f"deb {MAIN} {R}-updates contrib main\n"},
     SRC_ALL, NEXT),
    ("other vendors, backports, other components, a disc and other releases are left out",
     {"sources.list": CLASSIC
      + f"deb cdrom:[Debian GNU/Linux 12.5.0 _Bookworm_]/ {R} main\n"
      + f"deb {MAIN} {R}-backports main\n"
      + f"deb {MAIN} bullseye main\n"
      + f"deb http://mirror.example.net/debian {R} contrib non-free\n",
      "sources.list.d/vendor.list": f"deb http://vendor.example.net/apt {R} main\n",
      **fetched("http://vendor.example.net/apt", R, "Vendor", R)},
     SRC_ALL, NEXT),
    ("fetched entries are judged by their Release file: 'stable' stands for the release",
     {"sources.list": f"deb {MAIN} stable main\ndeb {SEC} stable-security main\n",
      **fetched(MAIN, "stable", "Debian", R),
      **fetched(SEC, "stable-security", "Debian", f"{R}-security")},
     [f"deb-src {MAIN} {R} main", f"deb-src {SEC} {R}-security main"], NEXT),
    ("a 'stable' that now stands for the next release is not this release",
     {"sources.list": f"deb {MAIN} stable main\n", **fetched(MAIN, "stable", "Debian", "trixie")},
     None, None),
    ("only the security archive: source packages yes, the next release's packages no",
     {"sources.list": f"deb {SEC} {R}-security main\n"},
     [f"deb-src {SEC} {R}-security main"], None),
    ("another vendor's archive under the release's name only",
     {"sources.list.d/vendor.sources": deb822("deb", "http://vendor.example.net/apt", R),
      **fetched("http://vendor.example.net/apt", R, "Vendor", R)},
     None, None),
    ("no sources at all", {}, None, None),
]


def machine_sources():
    paths = ["/etc/apt/sources.list"]
    if os.path.isdir("/etc/apt/sources.list.d"):
        paths += [os.path.join("/etc/apt/sources.list.d", n)
                  for n in sorted(os.listdir("/etc/apt/sources.list.d"))]
    return {p: hashlib.sha256(open(p, "rb").read()).hexdigest() for p in paths if os.path.isfile(p)}


machine_before = machine_sources()
for name, files, want_src, want_next in CASES:
    with tempfile.TemporaryDirectory() as root:
        for folder in ("sources.list.d", "lists/partial"):
            os.makedirs(os.path.join(root, folder))
        for rel, text in files.items():
            with open(os.path.join(root, rel), "w") as f:
                f.write(text)
        before = tree_digest(root)
        apt = ["-o", f"Dir::Etc::sourcelist={root}/sources.list",
               "-o", f"Dir::Etc::sourceparts={root}/sources.list.d",
               "-o", f"Dir::State::Lists={root}/lists"]
        for mode, want in ((["deb-src"], want_src), (["deb", "trixie"], want_next)):
            what = f"{name}: {' '.join(mode)}"
            run = subprocess.run(["bash", script, *mode, *apt], capture_output=True, text=True,
                                 env={**os.environ, "LC_ALL": "C"})
            if want is None:
                lines = run.stderr.splitlines()
                check(run.returncode == 1 and run.stdout == "" and len(lines) == 1
                      and "no Debian archive of " + R in lines[0] and "needs one" in lines[0],
                      f"{what}: want a one-line refusal, got rc={run.returncode} "
                      f"out={run.stdout!r} err={run.stderr!r}")
            else:
                check(run.returncode == 0 and sorted(run.stdout.splitlines()) == sorted(want),
                      f"{what}: want {want}, got rc={run.returncode} out={run.stdout!r} "
                      f"err={run.stderr!r}")
        check(tree_digest(root) == before, f"{name}: the fixture's files changed")
check(machine_sources() == machine_before, "the machine's own apt sources changed")

finish()

#!/usr/bin/env python3
"""scripts/setup where it cannot do what is left: run as a normal user on a machine that lacks a
package, the locale, the emulation or the libjpeg build, and as root on a machine whose sources name
no Debian archive, it says so in one line, exits 1 and changes nothing (the dependency cache is not
even made); as a normal user on a machine where everything is present, it is ready. Each case runs
in a mount namespace of its own where the lacking part is hidden (an empty locale archive, a copy of
dpkg's status without a package, a Wine loader that cannot run, an empty cache, other apt sources).
No network, no Wine. Needs root for the namespaces; skipped otherwise.

usage: setup_refusal_check.py SCRIPTS
"""
import os
import shutil
import subprocess
import sys
import tempfile

from scriptcheck import check, finish, tree_digest

SKIP = 77
scripts = sys.argv[1]
if os.geteuid() != 0 or not shutil.which("unshare") or not shutil.which("setpriv"):
    print("setup_refusal_check: needs root, unshare and setpriv; skipped")
    sys.exit(SKIP)


work = tempfile.mkdtemp()
os.chmod(work, 0o755)
try:
    # The scripts where a normal user can read them, whatever folder the checkout is in.
    here = os.path.join(work, "checkout")
    os.makedirs(os.path.join(here, "scripts"))
    for name in ("setup", "debian-sources"):
        shutil.copy(os.path.join(scripts, name), os.path.join(here, "scripts", name))
    setup = os.path.join(here, "scripts", "setup")

    # The hidden parts.
    empty = os.path.join(work, "empty")
    open(empty, "w").close()
    dropped = "x11-utils"
    status = os.path.join(work, "status")
    with open("/var/lib/dpkg/status") as f:
        stanzas = f.read().split("\n\n")
    with open(status, "w") as f:
        f.write("\n\n".join(s for s in stanzas if not s.startswith(f"Package: {dropped}\n")))
    etc_apt = os.path.join(work, "etc-apt")
    shutil.copytree("/etc/apt", etc_apt, symlinks=True)
    shutil.rmtree(os.path.join(etc_apt, "sources.list.d"))
    os.makedirs(os.path.join(etc_apt, "sources.list.d"))
    with open(os.path.join(etc_apt, "sources.list"), "w") as f:
        f.write("deb http://vendor.example.net/apt stable main\n"
                "deb cdrom:[Debian GNU/Linux 12.5.0 _Bookworm_]/ bookworm main\n")
    lists = os.path.join(work, "lists")
    os.makedirs(os.path.join(lists, "partial"))
    # A cache the normal user could make: only setup's own check keeps it from doing so.
    spot = os.path.join(work, "spot")
    os.makedirs(spot)
    os.chmod(spot, 0o1777)
    no_cache = os.path.join(spot, "cache")

    no_locale = [(empty, "/usr/lib/locale/locale-archive")]
    no_package = [(status, "/var/lib/dpkg/status")]
    no_emulation = [("/bin/false", "/usr/lib/wine/wine")]
    no_debian = [(etc_apt, "/etc/apt"), (lists, "/var/lib/apt/lists")]
    default_cache = os.environ.get("KREV_CACHE", "/var/cache/krev-deps")

    # name, user, binds, cache, want rc, words the one line must hold (None: "setup: ready")
    cases = [
        ("a normal user, everything present", "nobody", [], default_cache, 0, None),
        ("a normal user, no libjpeg build", "nobody", [], no_cache, 1,
         ["needs root", "build libjpeg-turbo into " + no_cache]),
        ("a normal user, no locale", "nobody", no_locale, default_cache, 1,
         ["needs root", "zh_CN.UTF-8 locale"]),
        ("a normal user, a package missing", "nobody", no_package, default_cache, 1,
         ["needs root", f"install packages ({dropped})"]),
        ("a normal user, no emulation", "nobody", no_emulation, default_cache, 1,
         ["needs root", "emulation for 32-bit Wine"]),
        ("a normal user, all of it lacking", "nobody", no_locale + no_package + no_emulation,
         no_cache, 1, ["needs root", "libjpeg-turbo", "locale", dropped, "emulation"]),
        ("root, sources that name no Debian archive", "root", no_debian, no_cache, 1,
         ["no Debian archive of", "needs one"]),
    ]

    for name, user, binds, cache, want_rc, words in cases:
        before = tree_digest(etc_apt)
        mounts = "".join(f'mount --bind "{src}" "{dst}" && ' for src, dst in binds)
        drop = "setpriv --reuid=nobody --regid=nogroup --clear-groups " if user == "nobody" else ""
        command = f'{mounts}exec {drop}env KREV_CACHE="{cache}" HOME=/nonexistent bash "{setup}"'
        # Root's case runs in a user namespace as well, so binfmt_misc is out of its reach.
        ns = ["unshare", "--mount"] + (["--user", "--map-root-user"] if user == "root" else [])
        run = subprocess.run(ns + ["bash", "-c", command], capture_output=True, text=True,
                             env={**os.environ, "LC_ALL": "C"}, stdin=subprocess.DEVNULL)
        said = run.stdout + run.stderr
        lines = said.splitlines()
        if words is None:
            check(run.returncode == 0 and lines == ["setup: ready"],
                  f"{name}: want 'setup: ready', got rc={run.returncode} {said!r}")
        else:
            check(run.returncode == want_rc and len(lines) == 1 and run.stdout == ""
                  and all(w in lines[0] for w in words),
                  f"{name}: want rc={want_rc} and one line with {words}, got rc={run.returncode} "
                  f"{said!r}")
        if os.path.exists(no_cache):
            check(False, f"{name}: the dependency cache was made")
            shutil.rmtree(no_cache)
        check(tree_digest(etc_apt) == before, f"{name}: the apt configuration changed")
        check(os.listdir(lists) == ["partial"], f"{name}: something was written to the apt lists")
finally:
    shutil.rmtree(work)

finish()

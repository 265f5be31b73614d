"""What the checks of the scripts share: failures collected as they come, and a folder's files by
digest, to show that a run left them as they were."""
import hashlib
import os
import sys

failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAILED: " + what, file=sys.stderr)
    return ok


def tree_digest(root):
    """Every file below root, by its path relative to root, with the SHA-256 of its content."""
    digest = {}
    for folder, _, files in os.walk(root):
        for name in files:
            path = os.path.join(folder, name)
            with open(path, "rb") as f:
                digest[os.path.relpath(path, root)] = hashlib.sha256(f.read()).hexdigest()
    return digest


def finish():
    sys.exit(1 if failures else 0)

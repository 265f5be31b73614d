#!/usr/bin/env python3
"""Host-side fixtures for the LexVault tests, made with the host's own gzip and gunzip.

usage: make_fixtures.py OUTDIR

OUTDIR/peer/       files written by the host's gzip (levels 1 to 9, with and without a name,
                   several members); peer.txt lists "gzfile expectedfile" per line.
OUTDIR/mut/        deterministic mutations of a valid backup (bit flips, truncations, appended
                   bytes) with what the host's gunzip makes of each; mut.txt lists
                   "name status kind" per line (status: gunzip's exit code, its output in name.out).
"""
import os
import random
import shutil
import struct
import subprocess
import sys
import zlib


def wordlib_like(n_records, seed):
    """Records of a pinyin key, GBK words and a frequency, like a user word library."""
    rnd = random.Random(seed)
    syllables = ["zhong", "guo", "ren", "min", "shu", "ru", "fa", "ci", "ku", "bei", "fen", "hui", "fu",
                 "qing", "lan", "pin", "yin", "xue", "xi", "gong", "zuo", "dian", "nao", "wang", "luo"]
    words = ["中国", "人民", "输入法", "词库", "备份", "恢复", "青岚", "拼音", "学习", "工作", "电脑", "网络"]
    out = bytearray()
    for _ in range(n_records):
        key = "'".join(rnd.choice(syllables) for _ in range(rnd.randint(1, 4))).encode("ascii")
        word = "".join(rnd.choice(words) for _ in range(rnd.randint(1, 3))).encode("gbk")
        out += struct.pack("<BB", len(key), len(word)) + key + word + struct.pack("<I", rnd.randint(0, 70000))
    return bytes(out)


def backup_member(content, name=b"perlex.dat", mtime=1577934245):
    """One member laid out as the program writes it: FNAME alone, XFL 0, OS 11, level 6."""
    comp = zlib.compressobj(6, zlib.DEFLATED, -15)
    body = comp.compress(content) + comp.flush()
    header = b"\x1f\x8b\x08\x08" + struct.pack("<I", mtime) + b"\x00\x0b" + name + b"\x00"
    return header + body + struct.pack("<II", zlib.crc32(content) & 0xFFFFFFFF, len(content) & 0xFFFFFFFF)


def host_gunzip(path):
    r = subprocess.run(["gunzip", "-c", path], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    return r.returncode, r.stdout


def make_peer(out):
    d = os.path.join(out, "peer")
    os.makedirs(d)
    src = os.path.join(d, "source.dat")
    with open(src, "wb") as f:
        f.write(wordlib_like(6000, 11))
    lines = []
    for level in range(1, 10):
        for named in (True, False):
            name = "level%d%s.gz" % (level, "" if named else "-noname")
            with open(os.path.join(d, name), "wb") as f:
                subprocess.run(["gzip", "-%d" % level, "-c"] + ([] if named else ["-n"]) + [src], stdout=f, check=True)
            lines.append("%s source.dat" % name)
    empty = os.path.join(d, "empty.dat")
    open(empty, "wb").close()
    with open(os.path.join(d, "empty.gz"), "wb") as f:
        subprocess.run(["gzip", "-6", "-c", empty], stdout=f, check=True)
    lines.append("empty.gz empty.dat")
    # Several members: what `cat a.gz b.gz` or `gzip -c a b` gives.
    with open(os.path.join(d, "members.gz"), "wb") as f:
        for part in ("level1.gz", "empty.gz", "level9-noname.gz"):
            with open(os.path.join(d, part), "rb") as p:
                f.write(p.read())
    with open(os.path.join(d, "members.dat"), "wb") as f:
        with open(src, "rb") as s:
            data = s.read()
        f.write(data + data)
    lines.append("members.gz members.dat")
    with open(os.path.join(d, "peer.txt"), "w") as f:
        f.write("\n".join(lines) + "\n")


def make_mutations(out):
    d = os.path.join(out, "mut")
    os.makedirs(d)
    content = wordlib_like(24, 5)
    valid = backup_member(content)
    rnd = random.Random(20260105)
    cases = [("valid", valid)]
    for pos in range(len(valid)):  # one flip in every byte
        kind = "ignored" if 4 <= pos <= 19 else "flip"  # MTIME, XFL, OS and the name's bytes
        cases.append((kind, bytes(valid[:pos]) + bytes([valid[pos] ^ (1 << rnd.randrange(8))]) + valid[pos + 1:]))
    for _ in range(300):  # two or three flips anywhere
        b = bytearray(valid)
        for _ in range(rnd.randint(2, 3)):
            b[rnd.randrange(len(b))] ^= 1 << rnd.randrange(8)
        cases.append(("flips", bytes(b)))
    for n in range(len(valid)):  # truncation at every length
        cases.append(("truncated", valid[:n]))
    tails = [b"\x00", b"\x00\x00", b"\x00" * 8, b"\x1f", b"\x1f\x8b", b"\x1f\x8b\x08", b"\n", b"garbage",
             valid, valid[:-1], valid[:12], backup_member(b""), backup_member(b"x", name=b"second")]
    tails += [bytes(rnd.randrange(256) for _ in range(rnd.randint(1, 16))) for _ in range(40)]
    for t in tails:
        cases.append(("appended", valid + t))
    lines = []
    for i, (kind, data) in enumerate(cases):
        name = "m%04d" % i
        path = os.path.join(d, name + ".lxb")
        with open(path, "wb") as f:
            f.write(data)
        status, produced = host_gunzip(path)
        with open(os.path.join(d, name + ".out"), "wb") as f:
            f.write(produced)
        lines.append("%s %d %s" % (name, status, kind))
    with open(os.path.join(d, "library.dat"), "wb") as f:
        f.write(wordlib_like(40, 99))  # the library the restores try to replace
    with open(os.path.join(d, "mut.txt"), "w") as f:
        f.write("\n".join(lines) + "\n")


def main():
    out = sys.argv[1]
    if os.path.isdir(out):
        shutil.rmtree(out)
    os.makedirs(out)
    make_peer(out)
    make_mutations(out)
    with open(os.path.join(out, "stamp"), "w") as f:
        f.write("ok\n")


if __name__ == "__main__":
    main()

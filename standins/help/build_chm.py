#!/usr/bin/env python3
"""Builds vardeko.chm from the pages in pages/.

The pages are kept in UTF-8 and written out in GBK, the code page they declare and the help
viewer reads them in. File names inside a CHM are stored in UTF-8 whatever the pages' code page,
so the project file lists them in UTF-8 while its title and the table of contents are GBK.

usage: build_chm.py PAGES-DIR WORK-DIR OUTPUT-CHM CHMCMD
"""
import os
import re
import shutil
import subprocess
import sys

TITLE = "青岚拼音输入法帮助"
DEFAULT_TOPIC = "index.htm"


def page_title(text, name):
    m = re.search(r"<title>(.*?)</title>", text, re.S | re.I)
    return m.group(1).strip() if m else os.path.splitext(name)[0]


def main():
    pages_dir, work, output, chmcmd = sys.argv[1:5]
    if os.path.isdir(work):
        shutil.rmtree(work)
    os.makedirs(work)

    names = sorted(n for n in os.listdir(pages_dir) if n.lower().endswith(".htm"))
    if DEFAULT_TOPIC not in names:
        sys.exit("build_chm: %s is missing" % DEFAULT_TOPIC)
    titles = {}
    for name in names:
        with open(os.path.join(pages_dir, name), encoding="utf-8") as f:
            text = f.read()
        titles[name] = page_title(text, name)
        with open(os.path.join(work, name), "w", encoding="gbk", newline="\r\n") as f:
            f.write(text)

    toc = ['<html><head><meta http-equiv="Content-Type" content="text/html; charset=gb2312"></head><body>',
           '<object type="text/site properties"><param name="Window Styles" value="0x800025"></object>',
           "<ul>"]
    for name in names:
        toc.append('<li><object type="text/sitemap"><param name="Name" value="%s">'
                   '<param name="Local" value="%s"></object>' % (titles[name], name))
    toc.append("</ul></body></html>")
    with open(os.path.join(work, "vardeko.hhc"), "w", encoding="gbk", newline="\r\n") as f:
        f.write("\n".join(toc) + "\n")

    project = (b"[OPTIONS]\r\n"
               b"Compatibility=1.1 or later\r\n"
               b"Compiled file=vardeko.chm\r\n"
               b"Contents file=vardeko.hhc\r\n"
               b"Default topic=" + DEFAULT_TOPIC.encode("ascii") + b"\r\n"
               b"Display compile progress=No\r\n"
               b"Language=0x804 Chinese (PRC)\r\n"
               b"Title=" + TITLE.encode("gbk") + b"\r\n"
               b"\r\n[FILES]\r\n" +
               b"".join(n.encode("utf-8") + b"\r\n" for n in names))
    with open(os.path.join(work, "vardeko.hhp"), "wb") as f:
        f.write(project)

    result = subprocess.run([chmcmd, "--no-html-scan", "vardeko.hhp"], cwd=work,
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, errors="replace")
    built = os.path.join(work, "vardeko.chm")
    if result.returncode != 0 or not os.path.isfile(built):
        sys.stderr.write(result.stdout)
        sys.exit("build_chm: chmcmd failed")
    shutil.copyfile(built, output)


if __name__ == "__main__":
    main()

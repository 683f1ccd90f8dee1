#!/usr/bin/env python3
"""Renders the user guide (Markdown) into one self-contained HTML page for the Help
command and the package. Usage: render-guide.py GUIDE.md OUT.html"""
import html
import sys

import markdown  # python3-markdown

STYLE = """
body { font-family: sans-serif; max-width: 52em; margin: 1em auto; padding: 0 1em;
       line-height: 1.45; color: #1d1d1d; background: #fff; }
h1, h2, h3 { line-height: 1.2; }
code, pre { font-family: monospace; background: #f2f2f2; }
pre { padding: .6em; overflow-x: auto; }
table { border-collapse: collapse; margin: .6em 0; }
th, td { border: 1px solid #c8c8c8; padding: .25em .5em; vertical-align: top; text-align: left; }
th { background: #ececec; }
"""


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: render-guide.py GUIDE.md OUT.html")
    with open(sys.argv[1], encoding="utf-8") as f:
        source = f.read()
    # Headings get the ids the guide's own links use (#sending-mail).
    body = markdown.markdown(source, extensions=["tables", "fenced_code", "toc", "sane_lists"],
                             output_format="html")
    title = "KOLT Helper user guide"
    for line in source.splitlines():
        if line.startswith("# "):
            title = line[2:].strip()
            break
    page = ("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
            f"<title>{html.escape(title)}</title>\n<style>{STYLE}</style>\n</head>\n<body>\n"
            f"{body}\n</body>\n</html>\n")
    with open(sys.argv[2], "w", encoding="utf-8") as f:
        f.write(page)


if __name__ == "__main__":
    main()

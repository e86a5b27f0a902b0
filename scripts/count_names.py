#!/usr/bin/env python3
"""How often each family writes its members' names.

A family is one source file, src/EventData/X.cpp or src/records/X.cpp, with its public header
include/statclient/EventData/X.h or include/statclient/records/X.h. Its members are the data
members the header declares (class members, and the entries FIELD(Name, ...) and
LIST(Name, ...) of its field lists). A name counts every time it is written as a word, outside
comments and including string literals (a label is a name written too), in the header, the
source file and the headers under src/ that the source file includes.

Columns: fields, the family's fields (an array member counts its elements, a name that
several rows of the family declare, SL in four queue rows, counts each); written, the names
written, summed over the fields; and the most written for one field: a name's count over the
fields it names.

Usage: count_names.py [--rev REV] [--csv]
  --rev REV   read the files as of git revision REV instead of the working tree
"""
import argparse
import os
import re
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FAMILY_DIRS = ("EventData", "records")

# A data member: a type, the name, optionally an array extent, an initialiser (which may go on
# to the next line) and the semicolon.
MEMBER_DECLARATION = re.compile(
    r"^(?!(?:return|using|friend|typedef|static|enum|class|struct|public|private)\b)"
    r"[\w:<>, *&]+?[\s*&]+(\w+)\s*(\[[^\]]*\])?\s*(?:=.*|\{.*\})?;?$"
)
LIST_ENTRY = re.compile(r"^\s*(?:FIELD|LIST)\((\w+),")
LOCAL_INCLUDE = re.compile(r'^#include "([^"]+)"', re.M)
COMMENT = re.compile(r"//[^\n]*|/\*.*?\*/", re.S)


class Tree:
    """The files of the working tree, or of one git revision."""

    def __init__(self, rev):
        self.rev = rev

    def read(self, path):
        if self.rev is None:
            full = os.path.join(ROOT, path)
            if not os.path.exists(full):
                return None
            with open(full, encoding="utf-8") as f:
                return f.read()
        shown = subprocess.run(
            ["git", "-C", ROOT, "show", f"{self.rev}:{path}"],
            capture_output=True,
            text=True,
        )
        return shown.stdout if shown.returncode == 0 else None

    def list(self, folder):
        if self.rev is None:
            return sorted(os.listdir(os.path.join(ROOT, folder)))
        listed = subprocess.run(
            ["git", "-C", ROOT, "ls-tree", "--name-only", f"{self.rev}:{folder}"],
            capture_output=True,
            text=True,
            check=True,
        )
        return sorted(listed.stdout.split())


def members(header):
    """Declared data member names, each with its number of fields (an array's elements)."""
    declared = {}
    depth = 0
    for line in COMMENT.sub("", header).splitlines():
        entry = LIST_ENTRY.match(line)
        declaration = MEMBER_DECLARATION.match(line.strip()) if depth > 0 else None
        if entry:
            declared[entry.group(1)] = declared.get(entry.group(1), 0) + 1
        elif declaration and "(" not in line.split("=")[0] and declaration.group(1) != "operator":
            extent = declaration.group(2)
            fields = int(extent[1:-1]) if extent and extent[1:-1].isdigit() else 1
            declared[declaration.group(1)] = declared.get(declaration.group(1), 0) + fields
        if re.match(r"^\s*(class|struct)\s+\w+[^;]*$", line) or depth > 0:
            depth += line.count("{") - line.count("}")
    return declared


def family_texts(tree, folder, source):
    stem = source[: -len(".cpp")]
    header = tree.read(f"include/statclient/{folder}/{stem}.h")
    body = tree.read(f"src/{folder}/{source}")
    texts = [header, body]
    for included in LOCAL_INCLUDE.findall(body):
        local = tree.read(f"src/{included}")
        if local is not None:
            texts.append(local)
    return header, [COMMENT.sub("", text) for text in texts if text]


def count(tree):
    rows = []
    for folder in FAMILY_DIRS:
        for source in tree.list(f"src/{folder}"):
            if not source.endswith(".cpp"):
                continue
            header, texts = family_texts(tree, folder, source)
            if header is None:
                continue
            declared = members(header)
            if not declared:
                continue
            total = 0
            most = (0.0, "")
            for name, fields in declared.items():
                word = re.compile(rf"\b{re.escape(name)}\b")
                written = sum(len(word.findall(text)) for text in texts)
                total += written
                most = max(most, (written / fields, name))
            rows.append((f"{folder}/{source[:-4]}", sum(declared.values()), total, most))
    return rows


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--rev", help="git revision to read instead of the working tree")
    parser.add_argument("--csv", action="store_true", help="comma-separated output")
    args = parser.parse_args()
    rows = count(Tree(args.rev))
    if args.csv:
        print("family,fields,written,max_per_field,max_name")
        for family, fields, written, (most, name) in rows:
            print(f"{family},{fields},{written},{most:g},{name}")
    else:
        print(f"{'family':52} {'fields':>6} {'written':>7}  max per field")
        for family, fields, written, (most, name) in rows:
            print(f"{family:52} {fields:6} {written:7}  {most:g} ({name})")
        print(f"{'total':52} {sum(r[1] for r in rows):6} {sum(r[2] for r in rows):7}")
    return 0


if __name__ == "__main__":
    sys.exit(main())

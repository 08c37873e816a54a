#!/usr/bin/env python3
"""The program's own Chinese faces: subsets of Noto Sans Mono CJK SC that hold the characters
of the program's texts and nothing else, under a family name of their own.

  make_faces.py build --face COLLECTION OUT [--face ...] --texts SOURCE...
  make_faces.py check --face FONT [--face ...] --texts SOURCE...

The texts are the string and character literals of the given C++ sources that a person can
read: those with a character outside ASCII, or with no Latin letter at all (numbers, times,
separators). Format directives count as the characters they can put out, so "%d" brings the
digits and the minus sign. `check` reads the texts the same way and fails on the first character
a face lacks, naming its text.
"""

import argparse
import math
import os
import re
import sys
from dataclasses import dataclass

from fontTools import subset
from fontTools.pens.boundsPen import BoundsPen
from fontTools.ttLib import TTCollection, TTFont

SOURCE_FAMILY = "Noto Sans Mono CJK SC"
FAMILY = "Zelvorn CJK"

# Numbers, string and character literals and comments, in one pass, so that quotes inside
# comments, comment marks inside strings and digit separators (1'000) are taken for what they are.
TOKEN = re.compile(r'\b\d[\w\']*|"(?:[^"\\\n]|\\.)*"|\'(?:[^\'\\\n]|\\.)*\'|//[^\n]*|/\*.*?\*/',
                   re.S)
# A directive of the program's Format(): "%" [index ":"] ["-"] [width] ["." precision] type.
DIRECTIVE = re.compile(r"%(?:\d+:)?-?\d*(?:\.\d+)?([dusxp%])")
DIGITS = "0123456789"
DIRECTIVE_OUTPUT = {
    "d": DIGITS + "-",
    "u": DIGITS,
    "x": DIGITS + "ABCDEF",
    "p": DIGITS + "ABCDEF",
    "s": "",  # the texts put in are program texts themselves, or names from outside it
    "%": "%",
}
ESCAPES = {"n": "", "t": "", "r": "", "0": "", "\\": "\\", '"': '"', "'": "'"}


@dataclass
class Text:
    path: str
    line: int
    literal: str
    characters: str

    def where(self):
        return f"{self.literal} ({self.path}:{self.line})" if self.path else self.literal


# Qt's line edit and combo box measure their size hints with "x", its push button with "X": in
# faces without them, drawing the window would load the system's face just to measure.
WIDGET_MEASURES = Text("", 0, "the letters Qt's widgets measure with", "xX")


def unescape(body):
    return re.sub(r"\\(.)", lambda m: ESCAPES.get(m.group(1), m.group(1)), body)


def text_of(literal_body):
    """The characters a literal shows, or None when it is no text a person reads."""
    body = unescape(literal_body)
    directives = DIRECTIVE.findall(body)
    shown = DIRECTIVE.sub("", body)
    if not shown and not directives:
        return None
    is_text = any(ord(c) > 0x7F for c in shown) or not re.search(r"[A-Za-z]", shown)
    if not is_text:
        return None
    return shown + "".join(DIRECTIVE_OUTPUT[d] for d in directives)


def read_texts(paths):
    texts = []
    for path in paths:
        with open(path, encoding="utf-8") as source:
            code = source.read()
        for token in TOKEN.finditer(code):
            if token.group()[0] not in "\"'":
                continue
            characters = text_of(token.group()[1:-1])
            if characters:
                line = code.count("\n", 0, token.start()) + 1
                texts.append(Text(path, line, token.group(), characters))
    return texts


def characters_of(texts):
    return sorted({c for text in texts for c in text.characters})


def open_source_face(collection_path):
    collection = TTCollection(collection_path, lazy=True)
    for index, face in enumerate(collection.fonts):
        if face["name"].getDebugName(1) == SOURCE_FAMILY:
            return TTFont(collection_path, fontNumber=index)
    sys.exit(f"{collection_path} holds no face of {SOURCE_FAMILY}")


def rename(face):
    """Gives the face the program's family name, keeping its style, version and licence."""
    names = face["name"]
    style = names.getDebugName(2)
    postscript = f"{FAMILY.replace(' ', '')}-{style}"
    version = names.getDebugName(5)
    for name_id in (1, 2, 3, 4, 6, 16, 17, 18, 21, 22):
        names.removeNames(nameID=name_id)
    for name_id, value in ((1, FAMILY), (2, style), (3, f"{version};{postscript}"),
                           (4, f"{FAMILY} {style}"), (6, postscript)):
        names.setName(value, name_id, 3, 1, 0x409)
    cff = face["CFF "].cff
    cff.fontNames = [postscript]
    top = cff.topDictIndex[0]
    top.FamilyName = FAMILY
    top.FullName = f"{FAMILY} {style}"


def fit_windows_line(face):
    """Windows lays a line out, and clips its glyphs, by the face's usWinAscent and usWinDescent.
    The source keeps room there for all its glyphs; the subset's own are enough, so that text in
    a box sized for the Chinese system faces, whose line is about one em, is not pushed down out
    of it. Other systems read the hhea line, which stays as it was."""
    glyphs = face.getGlyphSet()
    top, bottom = 0, 0
    for name in face.getGlyphOrder():
        pen = BoundsPen(glyphs)
        glyphs[name].draw(pen)
        if pen.bounds is not None:
            bottom, top = min(bottom, pen.bounds[1]), max(top, pen.bounds[3])
    face["OS/2"].usWinAscent = math.ceil(top)
    face["OS/2"].usWinDescent = math.ceil(-bottom)


def build(faces, texts):
    options = subset.Options()
    # The glyphs must come out exactly as the original draws them: every layout feature, the
    # hinting, and all names (the licence and copyright among them) stay.
    options.layout_features = ["*"]
    options.hinting = True
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    options.name_legacy = True
    options.notdef_outline = True
    unicodes = [ord(c) for c in characters_of(texts)]
    for collection_path, out_path in faces:
        face = open_source_face(collection_path)
        subsetter = subset.Subsetter(options)
        subsetter.populate(unicodes=unicodes)
        subsetter.subset(face)
        rename(face)
        fit_windows_line(face)
        face.recalcTimestamp = False  # the same sources make the same bytes
        face.save(out_path)


def check(faces, texts):
    for (path,) in faces:
        cmap = TTFont(path)["cmap"].getBestCmap()
        for text in texts:
            for character in text.characters:
                if ord(character) not in cmap:
                    print(f"{os.path.basename(path)} lacks '{character}' (U+{ord(character):04X}) "
                          f"of the text {text.where()}")
                    return 1
    print(f"{len(texts)} texts, {len(characters_of(texts))} characters: all in "
          + ", ".join(os.path.basename(path) for (path,) in faces))
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("command", choices=["build", "check"])
    parser.add_argument("--face", nargs="+", action="append", required=True,
                        help="build: COLLECTION OUT; check: FONT")
    parser.add_argument("--texts", nargs="+", required=True, help="the sources holding the texts")
    args = parser.parse_args()
    texts = read_texts(args.texts) + [WIDGET_MEASURES]
    wanted = 2 if args.command == "build" else 1
    if any(len(face) != wanted for face in args.face):
        parser.error(f"each --face takes {wanted} path(s) with {args.command}")
    if args.command == "build":
        build(args.face, texts)
        return 0
    return check(args.face, texts)


if __name__ == "__main__":
    sys.exit(main())

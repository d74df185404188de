#!/usr/bin/env python3
"""Writes a quiz source whose questions and answers are each about 1 MB of rich text.

    make_large_quiz.py OUTPUT.quiz [ROWS] [BYTES] [SHAPE]

Category "ET1" (the game's ET button), ROWS rows (default 3), each question and answer of
about BYTES bytes of RTF (default 1048576): paragraphs mixing plain, accented Latin and CJK
text, with bold, italic and coloured spans. SHAPE "paragraphs" (the default) writes
paragraphs of a few hundred characters; "one" writes each text as a single paragraph.
"""

import random
import sys

LATIN = ("the quick brown fox jumps over a lazy dog while the band plays on and the audience "
         "waits for the next act of the evening").split()
ACCENTED = ("café déjà vu naïve façade piñata über smörgåsbord crème brûlée jalapeño "
            "Ærø Øresund señorita fiancée coöperate").split()
CJK = ("東京 映画 音楽 物語 劇場 俳優 監督 脚本 受賞 舞台 電視 節目 觀眾 演員 歌手 "
       "전화 영화 배우 무대 노래").split()
COLOURS = ["red", "green", "blue", "navy", "maroon", "purple", "teal", "olive", "gray"]


def rtf_size(text):
    # What the table's RTF takes for it: characters beyond ASCII become \uN? escapes.
    return sum(1 if ord(c) < 128 else len("\\u%d?" % ord(c)) for c in text)


def word(rng):
    pick = rng.random()
    if pick < 0.6:
        return rng.choice(LATIN)
    if pick < 0.85:
        return rng.choice(ACCENTED)
    return rng.choice(CJK)


def paragraph(rng, length):
    words = []
    while sum(len(w) + 1 for w in words) < length:
        w = word(rng)
        style = rng.random()
        if style < 0.04:
            w = "**" + w + "**"
        elif style < 0.07:
            w = "//" + w + "//"
        elif style < 0.09:
            w = "{" + rng.choice(COLOURS) + "|" + w + "}"
        words.append(w)
    return " ".join(words)


def block(rng, size, shape, title):
    lines = ["= " + title]
    total = 0
    if shape == "one":
        words = []
        while total < size:
            w = word(rng)
            words.append(w)
            total += rtf_size(w) + 1
        lines.append(" ".join(words))
    else:
        while total < size:
            p = paragraph(rng, rng.randint(200, 600))
            lines.append(p)
            total += rtf_size(p) + 6  # the paragraph mark and its line end
    return "\n".join("  " + line for line in lines)


def main():
    output = sys.argv[1]
    rows = int(sys.argv[2]) if len(sys.argv) > 2 else 3
    size = int(sys.argv[3]) if len(sys.argv) > 3 else 1 << 20
    shape = sys.argv[4] if len(sys.argv) > 4 else "paragraphs"
    rng = random.Random(16)
    parts = ["category: ET1", ""]
    for row in range(1, rows + 1):
        parts += [
            "question: L%02d" % row,
            "letter: A",
            "text:",
            block(rng, size, shape, "Question %d" % row),
            "  A. One",
            "  B. Two",
            "  C. Three",
            "  D. Four",
            "answer:",
            block(rng, size, shape, "A. One"),
            "hint:",
            "  A short hint.",
            "encourage:",
            "  Right!",
            "riff:",
            "  Not quite.",
            "",
        ]
    with open(output, "w", encoding="utf-8") as out:
        out.write("\n".join(parts))


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Writes a valid quiz of about the given size in megabytes (10**6 bytes), as
authors write them: quoted texts with commas, six answers of two to four
weight fields each (distinct characters), CR LF line ends. With
--largest-fields instead, a two-question quiz whose title, names, question
and answer texts and first weight field are each as long as a field may be
(64 KiB): the names one unbroken word each, the texts words.

    make_quiz.py MEGABYTES OUTPUT
    make_quiz.py --largest-fields OUTPUT
"""
import random
import sys


def question(number, pick):
    lines = [f"Question {number}",
             f'"On a long evening, after work, what would you rather do? ({number})"']
    for k in range(1, 7):
        lines += [f"A{k})", f'"Read, cook, or walk by the river: choice {k}"', "Points:"]
        # Distinct characters: a character listed twice is a checker warning.
        for slot in pick.sample(range(1, 16), pick.randint(2, 4)):
            lines.append(f"C{slot:02d}={pick.randint(1, 9)}")
        lines.append("")
    return "\r\n".join(lines) + "\r\n"


FIELD_LIMIT = 64 * 1024


def longest(start, word):
    text = start
    while len(text) < FIELD_LIMIT:
        text += word
    return text[:FIELD_LIMIT - 1] + "x"


def largest_fields(output):
    lines = [longest("Title", " lorem ipsum"), "Written by a program"]
    lines += [longest(f"Name{slot}", "Longname") for slot in range(1, 16)]
    lines += ["", "Start:"]
    for number in (1, 2):
        if number > 1:
            lines.append("NewQuestion:")
        lines += [f"Question {number}", longest(f"Question{number}", " lorem ipsum")]
        for k in range(1, 7):
            lines += [f"A{k})", longest(f"Answer{k}", " lorem ipsum"), "Points:"]
            lines += [longest(f"C{k:02d}=5", "x") if k == 1 else f"C{k:02d}=5", ""]
    lines += ["NewQuestion:", "ENDQUESTIONS"]
    with open(output, "w", encoding="ascii", newline="") as out:
        out.write("\r\n".join(lines) + "\r\n")


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "--largest-fields":
        largest_fields(sys.argv[2])
        return
    if len(sys.argv) != 3:
        sys.exit("usage: make_quiz.py MEGABYTES OUTPUT | --largest-fields OUTPUT")
    target = int(float(sys.argv[1]) * 1_000_000)
    pick = random.Random(20240601)
    head = ["A quiz for measuring", "Written by a program"]
    head += [f"Character {slot}" for slot in range(1, 16)]
    head += ["", "Each answer gives points to some of the characters.", "Start:"]
    tail = "NewQuestion:\r\nENDQUESTIONS\r\n"
    with open(sys.argv[2], "w", encoding="ascii", newline="") as out:
        written = out.write("\r\n".join(head) + "\r\n")
        number = 1
        while True:
            text = question(number, pick)
            if number > 1:
                text = "NewQuestion:\r\n" + text
            written += out.write(text)
            number += 1
            if written + len(tail) >= target:
                break
        out.write(tail)


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Writes a valid quiz of about the given size in megabytes (10**6 bytes), as
authors write them: quoted texts with commas, six answers of two to four
weight fields each (distinct characters), CR LF line ends.

    make_quiz.py MEGABYTES OUTPUT
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


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: make_quiz.py MEGABYTES OUTPUT")
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

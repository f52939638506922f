#!/usr/bin/env python3
"""quiz_stats.py - check a Kinsight quiz file and report how fair its weights are.

For quiz authors.  Reads a quiz file (for example quiz/way.txt) with the same
field rules as the Kinsight program, checks its structure and then reports:

  (a) for every character whether some set of answers makes it the sole winner
      (greedy search, with a randomised hill-climb as a fallback);
  (b) the share of random passes that end in a tie at the top score, for
      uniform random answers and for a variant where "skip" (0 points) is a
      seventh choice on every question.

Field rules: a field ends at a comma or at the end of a line (CR LF); blanks
before a field are dropped; a field starting with a double quote runs to the
next double quote (it may hold commas; the quotes are not part of the field,
anything after the closing quote up to the next comma or line end is dropped);
an empty line is one empty field.

Exit status: 0 if the file is well formed, every character can win alone and
the uniform tie share is below --max-tie; 1 otherwise; 2 on usage errors.

Standard library only.  Run with --help for the options.
"""

import argparse
import os
import random
import re
import sys

NUM_CHARACTERS = 15
NUM_ANSWERS = 6
WEIGHT_RE = re.compile(r"^C(\d\d)=(\d)$")


class QuizError(Exception):
    pass


# --------------------------------------------------------------------------
# Reading fields
# --------------------------------------------------------------------------

def read_fields(text):
    """Split quiz text into a list of (field, line_number) tuples."""
    fields = []
    i = 0
    n = len(text)
    line = 1

    def at_eol(k):
        return k < n and text[k] in "\r\n"

    def skip_eol(k):
        # consumes one line end (CR LF, LF or a lone CR); returns new index
        if text.startswith("\r\n", k):
            return k + 2
        return k + 1

    while i < n:
        start_line = line
        # blanks before a field are dropped
        while i < n and text[i] in " \t":
            i += 1
        if i < n and text[i] == '"':
            close = text.find('"', i + 1)
            if close < 0:
                raise QuizError("line %d: double quote never closed" % start_line)
            value = text[i + 1:close]
            line += value.count("\n") if "\n" in value else value.count("\r")
            i = close + 1
            # drop anything up to the delimiter
            while i < n and text[i] != "," and not at_eol(i):
                i += 1
        else:
            j = i
            while j < n and text[j] != "," and not at_eol(j):
                j += 1
            value = text[i:j]
            i = j
        fields.append((value, start_line))
        if i >= n:
            break
        if text[i] == ",":
            i += 1
            if i >= n:
                # a comma at the very end starts one more, empty field
                fields.append(("", line))
        else:
            i = skip_eol(i)
            line += 1
    return fields


# --------------------------------------------------------------------------
# Parsing the quiz structure
# --------------------------------------------------------------------------

class Quiz:
    def __init__(self):
        self.title = ""
        self.names = []
        self.questions = []  # list of (text, [(answer_text, {char_index: points})])
        self.warnings = []


def parse_quiz(text):
    fields = read_fields(text)
    quiz = Quiz()
    pos = [0]

    def take(what):
        if pos[0] >= len(fields):
            raise QuizError("unexpected end of file, expected %s" % what)
        f = fields[pos[0]]
        pos[0] += 1
        return f

    def expect(exact):
        value, ln = take("'%s'" % exact)
        if value != exact:
            raise QuizError("line %d: expected '%s', found '%s'" % (ln, exact, value))

    quiz.title, _ = take("the title")
    if not quiz.title.strip():
        quiz.warnings.append("the title is empty")
    take("the field after the title")
    for k in range(NUM_CHARACTERS):
        name, ln = take("character name %d" % (k + 1))
        if not name.strip():
            raise QuizError("line %d: character %d has an empty name" % (ln, k + 1))
        if re.search(r'[\\/:*?"<>|]', name) or name != name.strip():
            quiz.warnings.append("character %d '%s' is not a safe file name" % (k + 1, name))
        if any(ord(ch) > 127 for ch in name):
            quiz.warnings.append("character %d '%s' is not plain ASCII" % (k + 1, name))
        if name in quiz.names:
            raise QuizError("line %d: duplicate character name '%s'" % (ln, name))
        quiz.names.append(name)

    while True:
        value, _ = take("'Start:'")
        if value == "Start:":
            break
    take("the field after 'Start:'")

    first = True
    while True:
        if not first:
            expect("NewQuestion:")
            marker, _ = take("a question label or ENDQUESTIONS")
            if marker == "ENDQUESTIONS":
                break
        first = False
        qtext, qln = take("a question text")
        if not qtext.strip():
            quiz.warnings.append("line %d: empty question text" % qln)
        answers = []
        for a in range(1, NUM_ANSWERS + 1):
            expect("A%d)" % a)
            atext, aln = take("the text of answer %d" % a)
            if not atext.strip():
                quiz.warnings.append("line %d: empty answer text" % aln)
            take("the field after answer %d" % a)
            weights = {}
            while True:
                value, wln = take("a weight or the empty line ending the weights")
                if value == "":
                    break
                m = WEIGHT_RE.match(value)
                if not m:
                    raise QuizError("line %d: bad weight field '%s' (want e.g. C07=3)"
                                    % (wln, value))
                c = int(m.group(1))
                if not 1 <= c <= NUM_CHARACTERS:
                    raise QuizError("line %d: character number %d out of range" % (wln, c))
                if c in weights:
                    quiz.warnings.append("line %d: character %d weighted twice in one answer"
                                         % (wln, c))
                weights[c] = weights.get(c, 0) + int(m.group(2))
            if not weights:
                quiz.warnings.append("line %d: answer %d gives no points" % (aln, a))
            answers.append((atext, weights))
        quiz.questions.append((qtext, answers))

    for value, ln in fields[pos[0]:]:
        if value.strip():
            quiz.warnings.append("line %d: text after ENDQUESTIONS is ignored: '%s'"
                                 % (ln, value))
    if not quiz.questions:
        raise QuizError("no questions")
    return quiz


def check_line_ends(raw):
    """Return a list of warnings about line endings."""
    warnings = []
    lone_lf = len(re.findall(rb"(?<!\r)\n", raw))
    lone_cr = len(re.findall(rb"\r(?!\n)", raw))
    if lone_lf:
        warnings.append("%d line(s) end in LF without CR" % lone_lf)
    if lone_cr:
        warnings.append("%d lone CR character(s)" % lone_cr)
    return warnings


# --------------------------------------------------------------------------
# Analysis
# --------------------------------------------------------------------------

def answer_vectors(quiz):
    """Per question, a list of 15-element point lists (index 0 = character 1)."""
    out = []
    for _, answers in quiz.questions:
        vecs = []
        for _, w in answers:
            v = [0] * NUM_CHARACTERS
            for c, p in w.items():
                v[c - 1] += p
            vecs.append(v)
        out.append(vecs)
    return out


def margin(totals, c):
    best_other = max(t for k, t in enumerate(totals) if k != c)
    return totals[c] - best_other


def totals_for(vecs, choice):
    totals = [0] * NUM_CHARACTERS
    for q, a in enumerate(choice):
        for k, p in enumerate(vecs[q][a]):
            totals[k] += p
    return totals


def sole_winner_search(vecs, c, rng):
    """Find answers making character c the sole winner.

    Returns (choice, margin) of the best found; margin > 0 means success.
    """
    # greedy: per question, the answer that maximises c's lead over the best other
    totals = [0] * NUM_CHARACTERS
    choice = []
    for q in vecs:
        best = None
        for a, v in enumerate(q):
            t = [x + y for x, y in zip(totals, v)]
            m = margin(t, c)
            if best is None or m > best[0]:
                best = (m, a, t)
        choice.append(best[1])
        totals = best[2]
    best_m = margin(totals, c)
    if best_m > 0:
        return choice, best_m
    # fallback: randomised hill climbing
    for _ in range(200):
        cur = [rng.randrange(len(q)) for q in vecs]
        cur_m = margin(totals_for(vecs, cur), c)
        improved = True
        while improved:
            improved = False
            for q in range(len(vecs)):
                for a in range(len(vecs[q])):
                    if a == cur[q]:
                        continue
                    old = cur[q]
                    cur[q] = a
                    m = margin(totals_for(vecs, cur), c)
                    if m > cur_m:
                        cur_m = m
                        improved = True
                    else:
                        cur[q] = old
        if cur_m > best_m:
            best_m, choice = cur_m, list(cur)
        if best_m > 0:
            break
    return choice, best_m


def tie_share(vecs, passes, rng, with_skip):
    ties = 0
    top_sizes = {}
    for _ in range(passes):
        totals = [0] * NUM_CHARACTERS
        for q in vecs:
            a = rng.randrange(len(q) + (1 if with_skip else 0))
            if a < len(q):
                v = q[a]
                for k in range(NUM_CHARACTERS):
                    totals[k] += v[k]
        top = max(totals)
        size = totals.count(top)
        top_sizes[size] = top_sizes.get(size, 0) + 1
        if size > 1:
            ties += 1
    return ties / passes, top_sizes


def win_shares(vecs, passes, rng):
    wins = [0] * NUM_CHARACTERS
    for _ in range(passes):
        totals = [0] * NUM_CHARACTERS
        for q in vecs:
            v = q[rng.randrange(len(q))]
            for k in range(NUM_CHARACTERS):
                totals[k] += v[k]
        top = max(totals)
        winners = [k for k in range(NUM_CHARACTERS) if totals[k] == top]
        if len(winners) == 1:
            wins[winners[0]] += 1
    return [w / passes for w in wins]


# --------------------------------------------------------------------------

def main(argv=None):
    ap = argparse.ArgumentParser(
        description="Check a Kinsight quiz file: structure, whether every "
                    "character can win alone, and how often random answers "
                    "end in a tie at the top.")
    ap.add_argument("quiz", nargs="?",
                    default=os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                         os.pardir, "quiz", "way.txt"),
                    help="quiz file to read (default: quiz/way.txt of this repository)")
    ap.add_argument("-n", "--passes", type=int, default=100000,
                    help="number of random passes per variant (default: 100000)")
    ap.add_argument("--seed", type=int, default=1,
                    help="random seed, for repeatable results (default: 1)")
    ap.add_argument("--max-tie", type=float, default=0.15,
                    help="highest acceptable tie share for uniform random "
                         "answers (default: 0.15)")
    ap.add_argument("--pictures", metavar="DIR",
                    help="also check that DIR holds <Name>.jpg for every character "
                         "(default: the Pictures folder next to the quiz, if it exists)")
    ap.add_argument("-v", "--verbose", action="store_true",
                    help="also print each question and the answers that make "
                         "each character win")
    args = ap.parse_args(argv)
    args.quiz = os.path.normpath(args.quiz)
    if args.passes <= 0:
        ap.error("--passes must be positive")

    try:
        with open(args.quiz, "rb") as f:
            raw = f.read()
    except OSError as e:
        print("error: %s" % e, file=sys.stderr)
        return 1
    try:
        text = raw.decode("utf-8")
    except UnicodeDecodeError:
        text = raw.decode("latin-1")

    ok = True
    try:
        quiz = parse_quiz(text)
    except QuizError as e:
        print("STRUCTURE ERROR: %s" % e)
        return 1
    quiz.warnings = check_line_ends(raw) + quiz.warnings

    print("Quiz:       %s" % args.quiz)
    print("Title:      %s" % quiz.title)
    print("Characters: %d" % len(quiz.names))
    print("Questions:  %d (%d answers each)" % (len(quiz.questions), NUM_ANSWERS))

    pic_dir = args.pictures
    if pic_dir is None:
        guess = os.path.join(os.path.dirname(os.path.abspath(args.quiz)), "Pictures")
        if os.path.isdir(guess):
            pic_dir = guess
    if pic_dir is not None:
        missing = [n for n in quiz.names
                   if not os.path.isfile(os.path.join(pic_dir, n + ".jpg"))]
        if missing:
            quiz.warnings.append("no picture in %s for: %s" % (pic_dir, ", ".join(missing)))
        else:
            print("Pictures:   all %d found in %s" % (len(quiz.names), pic_dir))

    if quiz.warnings:
        ok = False
        for w in quiz.warnings:
            print("WARNING: %s" % w)
    else:
        print("Structure:  OK")

    vecs = answer_vectors(quiz)
    if args.verbose:
        for qi, (qtext, answers) in enumerate(quiz.questions, 1):
            print("\nQ%d: %s" % (qi, qtext))
            for ai, (atext, w) in enumerate(answers, 1):
                ws = ", ".join("%s %d" % (quiz.names[c - 1], p)
                               for c, p in sorted(w.items()))
                print("   A%d) %s  [%s]" % (ai, atext, ws))

    rng = random.Random(args.seed)
    print("\n(a) Can each character be the sole winner?")
    for c, name in enumerate(quiz.names):
        choice, m = sole_winner_search(vecs, c, rng)
        verdict = "yes" if m > 0 else "NO"
        line = "  %2d %-14s %-3s (lead %+d)" % (c + 1, name, verdict, m)
        if args.verbose:
            line += "  answers " + " ".join(str(a + 1) for a in choice)
        print(line)
        if m <= 0:
            ok = False

    print("\n(b) Random passes: %d per variant, seed %d" % (args.passes, args.seed))
    for label, skip in (("uniform over 6 answers", False),
                        ("6 answers + skip (0 points)", True)):
        share, sizes = tie_share(vecs, args.passes, random.Random(args.seed), skip)
        detail = ", ".join("%d-way %.2f%%" % (k, 100.0 * v / args.passes)
                           for k, v in sorted(sizes.items()) if k > 1)
        print("  %-28s tie share %6.2f%%%s" % (label, 100.0 * share,
                                              "  (" + detail + ")" if detail else ""))
        if not skip and share >= args.max_tie:
            ok = False
            print("  -> above the limit of %.1f%%" % (100.0 * args.max_tie))

    shares = win_shares(vecs, args.passes, random.Random(args.seed + 1))
    print("\n  Sole-win share per character (uniform random answers):")
    for c, name in enumerate(quiz.names):
        print("    %2d %-14s %6.2f%%" % (c + 1, name, 100.0 * shares[c]))

    print("\nResult: %s" % ("OK" if ok else "PROBLEMS FOUND"))
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())

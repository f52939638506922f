#include "programs.h"

#include "translation.h"

namespace kinsight {

namespace {

constexpr Option kKinsightOptions[] = {
    {"watch", "",
     I18N_NOOP("for the quiz's author: play the quiz again from its\n"
               "first question each time its file is saved, and show\n"
               "what is wrong with a save that cannot be played;\n"
               "for example: kinsight --watch ~/quizzes/pets")},
};

constexpr Program kKinsight{
    "kinsight",
    I18N_NOOP("Plays a personality quiz: one question at a time, then the character you are.\n"),
    I18N_NOOP("Without QUIZ, the quiz installed beside\nthe program is played.\n"),
    kKinsightOptions,
    I18N_NOOP("Exit status: 0 when the window is closed; 1 when the quiz cannot be played\n"
              "(the reason is shown and written to the error stream), when no display\n"
              "can be opened, or when --watch's box for a quiz not yet playable is\n"
              "closed; 2 for a wrong command line.\n"),
};

constexpr Option kCheckOptions[] = {
    {"quiet", "", I18N_NOOP("print errors and their notes only")},
    {"strict", "", I18N_NOOP("count warnings as errors for the exit status")},
    {"stats", "",
     I18N_NOOP("instead of the report, the chances of each result when every\n"
               "question is answered at random: exact while there are at most\n"
               "10 million plays, otherwise from a seeded simulation of 1 million\n"
               "plays, fewer for a long quiz (200 million answers in all)")},
    {"plays", "N", I18N_NOOP("with --stats, simulate N plays")},
};

constexpr Program kCheck{
    "kinsight-check",
    I18N_NOOP("Reads a quiz as Kinsight does and reports\n"
              "  FILE:LINE: error: ...    what stops the program, with the line it is on\n"
              "  FILE:LINE: note: ...     what brought the error about\n"
              "  FILE:LINE: warning: ...  what plays but is probably a mistake\n"
              "then a summary line. Pictures are looked for in Pictures/ beside\n"
              "the quiz file.\n"),
    I18N_NOOP("Without QUIZ, way.txt in the current folder\nis checked.\n"),
    kCheckOptions,
    I18N_NOOP("Exit status: 0 without errors, 1 with errors (with --strict, also with\n"
              "warnings), 2 when the quiz cannot be read, memory runs out or the command\n"
              "line is wrong.\n"),
};

} // namespace

const Program& kKinsightProgram = kKinsight;
const Program& kCheckProgram = kCheck;

} // namespace kinsight

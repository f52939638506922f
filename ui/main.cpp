// Kinsight: a small desktop personality quiz.
#include "startup.h"

int main(int argc, char** argv) {
    return kinsight::runProgram(argc, argv);
}

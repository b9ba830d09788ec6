// SPDX-License-Identifier: GPL-3.0-or-later
// zephra-config: the configuration utility with the system's hidapi.

#include "program.h"

int main(int argc, char **argv)
{
    return runProgram(argc, argv);
}

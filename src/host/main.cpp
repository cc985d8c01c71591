// SPDX-License-Identifier: GPL-3.0-or-later
// kalvorin-host: stands in for the host application Kalvorin.

#include <iostream>
#include <string>
#include <vector>

#include "base/command_line.h"
#include "base/i18n.h"
#include "host/host_cli.h"

int main(int argc, char** argv) {
    base::InitMessages();
    std::vector<std::string> args(argv + 1, argv + argc);
    return base::FinishStandardOutput("kalvorin-host", host::RunHostCommand(args, std::cout, std::cerr));
}

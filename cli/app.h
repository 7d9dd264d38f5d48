// quillon-cli: the groove data of timing-belt pulleys as tables, hob plans
// and pulley identification, for scripts and spreadsheets.
#pragma once

#include <string>
#include <vector>

namespace quillon::cli {

// Runs the program on its arguments (the program's name first, UTF-8) and
// returns the exit status: 0 on success, 2 for a usage or input error, 1 for
// an output failure or when identify or drive --belt-teeth finds nothing.
int runCli(const std::vector<std::string>& arguments);

} // namespace quillon::cli

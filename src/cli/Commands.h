// The commands of quorvel-cli; each takes the arguments after its name and
// returns the process exit code.
#pragma once

#include <string>
#include <vector>

namespace qv::cli {

int RunCommand(const std::vector<std::string>& args);

}  // namespace qv::cli

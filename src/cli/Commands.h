// The commands of quorvel-cli; each takes the arguments after its name and
// returns the process exit code.
#pragma once

#include <string>
#include <vector>

namespace qv::cli {

int RunCommand(const std::vector<std::string>& args);
int NewCommand(const std::vector<std::string>& args);
int InfoCommand(const std::vector<std::string>& args);
int TableCommand(const std::vector<std::string>& args);
int RenderCommand(const std::vector<std::string>& args);
int ConvertCommand(const std::vector<std::string>& args);
int GenerateCommand(const std::vector<std::string>& args);
int DiagramCommand(const std::vector<std::string>& args);
int ExportCommand(const std::vector<std::string>& args);
int ImportCommand(const std::vector<std::string>& args);
int ReportCommand(const std::vector<std::string>& args);

}  // namespace qv::cli

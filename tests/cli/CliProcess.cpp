#include "CliProcess.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

const std::filesystem::path& TempFolder() {
    static const std::filesystem::path folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "qvcli-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        std::atexit([] { std::filesystem::remove_all(TempFolder()); });
        return std::filesystem::path(pattern);
    }();
    return folder;
}

std::string Slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string Quote(const std::string& arg) {
    std::string q = "'";
    for (char c : arg) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

}  // namespace

std::string WriteTempFile(const std::string& name, const std::string& content) {
    auto path = TempFolder() / name;
    std::ofstream(path, std::ios::binary) << content;
    return path.string();
}

CliResult RunCli(const std::vector<std::string>& args) {
    auto outPath = TempFolder() / "stdout.txt";
    auto errPath = TempFolder() / "stderr.txt";
    std::string command = Quote(QV_CLI_PATH);
    for (const auto& a : args) command += " " + Quote(a);
    command += " >" + Quote(outPath.string()) + " 2>" + Quote(errPath.string());
    int status = std::system(command.c_str());
    CliResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = Slurp(outPath);
    result.err = Slurp(errPath);
    return result;
}

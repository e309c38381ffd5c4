#include "CliProcess.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
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

// True once the process catches `signal` (its bit in SigCgt of /proc/PID/status).
bool Catches(pid_t pid, int signal) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("SigCgt:", 0) == 0) return (std::stoull(line.substr(7), nullptr, 16) >> (signal - 1)) & 1;
    return false;
}

std::string Quote(const std::string& arg) {
    std::string q = "'";
    for (char c : arg) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

}  // namespace

std::string Slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

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

CliResult RunCliAndSignal(const std::vector<std::string>& args, int signal) {
    const auto outPath = TempFolder() / "stdout.txt", errPath = TempFolder() / "stderr.txt";
    std::vector<std::string> argv = {QV_CLI_PATH};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> pointers;
    for (auto& a : argv) pointers.push_back(a.data());
    pointers.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDOUT_FILENO);
        dup2(open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDERR_FILENO);
        execv(pointers[0], pointers.data());
        _exit(127);
    }
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (Catches(pid, signal)) {
            kill(pid, signal);
            waitpid(pid, &status, 0);
            break;
        }
        usleep(10000);
    }
    CliResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = Slurp(outPath);
    result.err = Slurp(errPath);
    return result;
}

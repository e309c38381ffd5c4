// Runs quorvel-cli with arguments and collects its exit code and output.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

CliResult RunCli(const std::vector<std::string>& args);

// Runs quorvel-cli and sends it `signal` as soon as it has a handler for that
// signal installed (so the signal meets a computation, not the start-up).
CliResult RunCliAndSignal(const std::vector<std::string>& args, int signal);

// The whole content of a file; empty when it cannot be read.
std::string Slurp(const std::filesystem::path& path);

// A file in a fresh temporary folder, removed with the folder at exit.
std::string WriteTempFile(const std::string& name, const std::string& content);

// Runs quorvel-cli with arguments and collects its exit code and output.
#pragma once

#include <string>
#include <vector>

struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

CliResult RunCli(const std::vector<std::string>& args);

// A file in a fresh temporary folder, removed with the folder at exit.
std::string WriteTempFile(const std::string& name, const std::string& content);

// Small pieces every quorvel-cli command shares: reading UTF-8 text files
// into the program's 8-bit lines, numbers on the command line, and output.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace qv::cli {

// Exit codes of quorvel-cli.
enum ExitCode { ExitOk = 0, ExitUsage = 1, ExitCompileError = 2, ExitRunFault = 3 };

// Reads a UTF-8 text file as Windows-1252 lines (LF or CRLF; a final line
// break does not start another line). Nothing when the file cannot be read,
// is a folder or is larger than 16 MB; the reason is then on stderr.
std::optional<std::vector<std::string>> ReadProgramLines(const std::string& path);

// A finite number as given on the command line: "." as separator, or ","
// with decimalComma. The whole text must be the number.
std::optional<double> ParseNumber(const std::string& text, bool decimalComma);

// The shortest text that reads back to the same double, "." separator;
// "inf", "-inf" and "nan" for the special values.
std::string ShortestText(double value);

// Splits "NAME=VALUE" at the first "="; nothing when there is no "=" or no name.
std::optional<std::pair<std::string, std::string>> SplitAssignment(const std::string& text);

// Writes a program text (Windows-1252) to stderr as UTF-8, one line per
// line of the message, whatever line breaks it uses.
void PrintError(const std::string& programText);

// Whether a file name ends in suffix (".png"), whatever the case of its letters.
bool HasSuffix(const std::string& path, const std::string& suffix);

// Writes an output file whole or not at all (WriteFileSafely); on failure the
// German reason is on stderr and the earlier file is untouched.
bool WriteOutputFile(const std::string& path, std::span<const uint8_t> bytes);

}  // namespace qv::cli

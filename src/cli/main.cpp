// quorvel-cli: the headless front of Quorvel.
#include <iostream>
#include <string>
#include <vector>

#include "cli/CliSupport.h"
#include "cli/Commands.h"

namespace {

constexpr const char* Usage =
    "Aufruf: quorvel-cli BEFEHL ...\n"
    "  run PROGRAMM [--steps N] [--start NAME=WERT]... [--macro NAME=DATEI]... [--case-sensitive] [--decimal-comma]\n"
    "      rechnet einen Algorithmus und gibt alle Variablen nach jedem Durchlauf als CSV aus.\n";

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        std::cerr << Usage;
        return qv::cli::ExitUsage;
    }
    std::string command = args.front();
    args.erase(args.begin());
    if (command == "run") return qv::cli::RunCommand(args);
    std::cerr << "Unbekannter Befehl: " << command << '\n' << Usage;
    return qv::cli::ExitUsage;
}

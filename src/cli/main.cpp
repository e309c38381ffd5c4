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
    "      rechnet einen Algorithmus und gibt alle Variablen nach jedem Durchlauf als CSV aus.\n"
    "  new -o DOKUMENT.prg --program DATEI [--name NAME] [--steps N] [--start NAME=WERT]...\n"
    "      [--plot VAR[,VAR]...] [--x VAR] [--3d --y VAR] [--chart-only|--table-only|--both]\n"
    "      legt ein Dokument mit einer neuen Simulation an, rechnet und speichert es.\n"
    "  info DOKUMENT.prg          beschreibt ein Dokument als JSON.\n"
    "  table DOKUMENT.prg [--all [--simulation NAME]]\n"
    "      rechnet und gibt die Tabelle aus (\";\" zwischen den Spalten); mit --all jede Variable\n"
    "      der Simulation.\n"
    "  render DOKUMENT.prg -o AUSGABE.(png|svg|pdf) [--width PX --height PX]\n"
    "      rechnet und zeichnet die ganze Seite.\n"
    "  convert ALT.prg -o NEU.prg  schreibt ein Dokument im aktuellen Format.\n"
    "  generate DOKUMENT.prg --from graphical|verbal [--simulation NAME] [--predicates DATEI]\n"
    "      gibt den Algorithmus aus, den das grafische oder das sprachliche Modell der Simulation\n"
    "      ergibt (die Prädikate aus Praedkt.txt oder DATEI).\n"
    "  diagram DOKUMENT.prg [--simulation NAME] -o AUSGABE.(png|svg)\n"
    "      zeichnet das grafische Modell der Simulation.\n"
    "  export DOKUMENT.prg -o MODELL.xmile [--simulation NAME]\n"
    "      schreibt die Simulation als XMILE-Modell.\n"
    "  import MODELL.xmile -o DOKUMENT.prg [--name NAME] [--partial]\n"
    "      legt ein Dokument mit dem XMILE-Modell als Simulation an; mit --partial ohne die\n"
    "      Größen, die sich nicht übernehmen lassen.\n";

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
    if (command == "new") return qv::cli::NewCommand(args);
    if (command == "info") return qv::cli::InfoCommand(args);
    if (command == "table") return qv::cli::TableCommand(args);
    if (command == "render") return qv::cli::RenderCommand(args);
    if (command == "convert") return qv::cli::ConvertCommand(args);
    if (command == "generate") return qv::cli::GenerateCommand(args);
    if (command == "diagram") return qv::cli::DiagramCommand(args);
    if (command == "export") return qv::cli::ExportCommand(args);
    if (command == "import") return qv::cli::ImportCommand(args);
    std::cerr << "Unbekannter Befehl: " << command << '\n' << Usage;
    return qv::cli::ExitUsage;
}

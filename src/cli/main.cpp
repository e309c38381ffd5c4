// quorvel-cli: the headless front of Quorvel.
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "util/FreedMemory.h"

namespace {

constexpr const char* Usage =
    "Aufruf: quorvel-cli BEFEHL ...\n"
    "  run PROGRAMM [--steps N] [--start NAME=WERT]... [--macro NAME=DATEI]... [--case-sensitive] [--decimal-comma]\n"
    "      [--time-limit SEKUNDEN]\n"
    "      rechnet einen Algorithmus und gibt alle Variablen nach jedem Durchlauf als CSV aus.\n"
    "  new -o DOKUMENT.prg --program DATEI [--name NAME] [--steps N] [--start NAME=WERT]...\n"
    "      [--plot VAR[,VAR]...] [--x VAR] [--3d --y VAR] [--chart-only|--table-only|--both]\n"
    "      [--time-limit SEKUNDEN]\n"
    "      legt ein Dokument mit einer neuen Simulation an, rechnet und speichert es.\n"
    "  info DOKUMENT.prg          beschreibt ein Dokument als JSON.\n"
    "  table DOKUMENT.prg [--all [--simulation NAME]] [--time-limit SEKUNDEN]\n"
    "      rechnet und gibt die Tabelle aus (\";\" zwischen den Spalten); mit --all jede Variable\n"
    "      der Simulation.\n"
    "  render DOKUMENT.prg -o AUSGABE.(png|svg|pdf) [--width PX --height PX] [--time-limit SEKUNDEN]\n"
    "      rechnet und zeichnet die ganze Seite (PDF in ihrer wirklichen Größe).\n"
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
    "      Größen, die sich nicht übernehmen lassen.\n"
    "  report DOKUMENT.prg -o AUSGABE.pdf [--simulation NAME]\n"
    "      [--sections chart,verbal,graphical,program,starts,table] [--margins LINKS,OBEN]\n"
    "      [--scale-x U] [--scale-y V] [--background]\n"
    "      druckt den Bericht der Simulation in eine PDF-Datei (Ränder in cm, Vorgabe 2).\n"
    "Rückgabewerte: 0 fertig; 1 falscher Aufruf oder Datei nicht lesbar; 2 Dokument nicht lesbar\n"
    "  oder Algorithmus fehlerhaft; 3 Rechenfehler, zu viele Schritte für den Speicher oder\n"
    "  Zeitlimit überschritten; 130 (Strg+C) und 143 (SIGTERM): Berechnung abgebrochen.\n";

int Dispatch(const std::string& command, const std::vector<std::string>& args) {
    if (command == "run") return qv::cli::RunCommand(args);
    if (command == "new") return qv::cli::NewCommand(args);
    if (command == "info") return qv::cli::InfoCommand(args);
    if (command == "table") return qv::cli::TableCommand(args);
    if (command == "render") return qv::cli::RenderCommand(args);
    if (command == "convert") return qv::cli::ConvertCommand(args);
    if (command == "generate") return qv::cli::GenerateCommand(args);
    if (command == "diagram") return qv::cli::DiagramCommand(args);
    if (command == "import") return qv::cli::ImportCommand(args);
    if (command == "export") return qv::cli::ExportCommand(args);
    if (command == "report") return qv::cli::ReportCommand(args);
    std::cerr << "Unbekannter Befehl: " << command << '\n' << Usage;
    return qv::cli::ExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
    qv::KeepFreedMemoryForReuse();
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        std::cerr << Usage;
        return qv::cli::ExitUsage;
    }
    std::string command = args.front();
    args.erase(args.begin());
    // Runs and reads refuse what does not fit; an allocation that fails
    // elsewhere (building a chart, drawing) still ends with a message.
    try {
        return Dispatch(command, args);
    } catch (const std::bad_alloc&) {
        std::cerr << "Nicht genügend Speicher für diese Aufgabe.\n";
        return qv::cli::ExitRunFault;
    }
}

// quorvel-cli import MODEL.xmile -o DOC.prg [--name NAME] [--partial]
//
// A new document with one simulation made from an XMILE model, computed and
// saved as "XMILE-Modell importieren..." would leave it.
#include <iostream>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/WorksheetSession.h"
#include "exchange/XmileImport.h"
#include "exchange/XmileReader.h"
#include "util/Cp1252.h"

namespace qv::cli {

int ImportCommand(const std::vector<std::string>& args) {
    constexpr const char* Usage = "Aufruf: quorvel-cli import MODELL.xmile -o DOKUMENT.prg [--name NAME] [--partial]";
    std::string input, output, name;
    bool partial = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        bool hasValue = i + 1 < args.size();
        if (arg == "-o" && hasValue && output.empty()) {
            output = args[++i];
        } else if (arg == "--name" && hasValue && name.empty()) {
            name = args[++i];
        } else if (arg == "--partial") {
            partial = true;
        } else if (arg.rfind("-", 0) != 0 && input.empty()) {
            input = arg;
        } else {
            std::cerr << Usage << '\n';
            return ExitUsage;
        }
    }
    if (input.empty() || output.empty()) {
        std::cerr << Usage << '\n';
        return ExitUsage;
    }
    WorksheetSession session;
    auto model = ReadXmileFile(input);
    if (auto* error = std::get_if<std::string>(&model)) {
        PrintError(*error);
        return ExitUsage;
    }
    auto imported = ImportXmile(std::get<XmileModel>(model), partial);
    if (auto* error = std::get_if<std::string>(&imported)) {
        PrintError(*error);
        return ExitCompileError;
    }
    XmileImportResult& result = std::get<XmileImportResult>(imported);
    if (!name.empty()) result.Algorithm.Name = Utf8ToCp1252(name);
    for (const auto& warning : result.Warnings) PrintError(warning);

    TDocument document = TDocument::CreateNew();
    if (auto error = AddImportedSimulation(document, result)) {
        PrintError(*error);
        return ExitCompileError;
    }
    int code = ComputeAndBuild(document, DefaultRenderWidth, DefaultRenderHeight);
    std::string error;
    if (!writeDocument(document, output, error)) {
        PrintError(error);
        return ExitUsage;
    }
    return code;
}

}  // namespace qv::cli

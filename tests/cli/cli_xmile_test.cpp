// quorvel-cli import and table --all: an XMILE model becomes a document
// whose table shows the values of an Euler loop at every pass.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <sstream>

#include "CliProcess.h"
#include "exchange/XmileSamples.h"

namespace {

using Row = std::map<std::string, double>;

// The rows of "table --all", by column heading; cells have a decimal comma.
std::vector<Row> TableRows(const std::string& text) {
    std::vector<std::vector<std::string>> cells;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::vector<std::string> row;
        std::istringstream fields(line);
        for (std::string field; std::getline(fields, field, ';');) row.push_back(field);
        cells.push_back(row);
    }
    std::vector<Row> rows;
    for (std::size_t r = 1; r < cells.size(); ++r) {
        Row row;
        for (std::size_t c = 0; c < cells[r].size() && c < cells[0].size(); ++c) {
            std::string number = cells[r][c];
            for (char& ch : number)
                if (ch == ',') ch = '.';
            row[cells[0][c]] = std::stod(number);
        }
        rows.push_back(row);
    }
    return rows;
}

std::vector<Row> ImportAndTable(const std::string& name, const std::string& model) {
    auto source = WriteTempFile(name + ".xmile", model);
    auto document = WriteTempFile(name + ".prg", "");
    auto imported = RunCli({"import", source, "-o", document});
    EXPECT_EQ(imported.exitCode, 0) << imported.err;
    auto table = RunCli({"table", document, "--all"});
    EXPECT_EQ(table.exitCode, 0) << table.err;
    return TableRows(table.out);
}

// Every row against the loop; the table shows four decimals.
void ExpectRows(const std::vector<Row>& rows, std::size_t count, Row expected, const std::function<void(Row&)>& step) {
    ASSERT_EQ(rows.size(), count);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        step(expected);
        for (const auto& [name, value] : expected) {
            auto found = rows[r].find(name);
            ASSERT_NE(found, rows[r].end()) << name;
            EXPECT_NEAR(found->second, value, 0.5e-4 + 1e-6 * std::fabs(value)) << name << " in row " << r + 1;
        }
    }
}

}  // namespace

TEST(CliXmile, CoolingCupTableMatchesEulerAtEveryPass) {
    auto rows = ImportAndTable("cup", xmile_samples::CoolingCup);
    ExpectRows(rows, 60, {{"ZEIT", 0}, {"COFFEE_TEMPERATURE", 180}}, [](Row& v) {
        v["COFFEE_TEMPERATURE"] -= (v["COFFEE_TEMPERATURE"] - 70) / 10 * 0.5;
        v["ZEIT"] += 0.5;
        v["HEAT_LOSS_TO_ROOM"] = (v["COFFEE_TEMPERATURE"] - 70) / 10;
        v["ROOM_TEMPERATURE"] = 70;
    });
}

TEST(CliXmile, SirWithThreeStocksMatchesEuler) {
    auto rows = ImportAndTable("sir", xmile_samples::Sir);
    ExpectRows(rows, 200, {{"SUSCEPTIBLE", 990}, {"INFECTED", 10}, {"RECOVERED", 0}, {"ZEIT", 1}}, [](Row& v) {
        double s = v["SUSCEPTIBLE"], i = v["INFECTED"];
        double infection = 0.4 * s * i / 1000, recovery = i / 5;
        v["SUSCEPTIBLE"] = s - infection * 0.25;
        v["INFECTED"] = i + (infection - recovery) * 0.25;
        v["RECOVERED"] += recovery * 0.25;
        v["ZEIT"] += 0.25;
    });
}

TEST(CliXmile, RefusedModelNamesWhatCannotBeTakenAndWritesNothing) {
    auto source = WriteTempFile("array.xmile", xmile_samples::WithArray);
    auto document = WriteTempFile("array.prg", "");
    auto refused = RunCli({"import", source, "-o", document});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_NE(refused.err.find("Diese Größen des Modells können nicht übernommen werden:\nDEMAND (Feld)\n"
                               "EFFECT (grafische Funktion)"),
              std::string::npos)
        << refused.err;
    EXPECT_EQ(RunCli({"table", document}).exitCode, 2);  // still the empty file

    auto partial = RunCli({"import", source, "-o", document, "--partial", "--name", "Teilweise"});
    EXPECT_EQ(partial.exitCode, 0) << partial.err;
    EXPECT_NE(partial.err.find("EFFECT (grafische Funktion)"), std::string::npos);
    auto rows = TableRows(RunCli({"table", document, "--all", "--simulation", "Teilweise"}).out);
    ASSERT_EQ(rows.size(), 10u);
    EXPECT_EQ(rows.back()["STOCK"], 1);  // the inflow reads the constant 0 left for Effect

    auto notXml = WriteTempFile("broken.xmile", "<xmile><model><variables><aux name=\"a\">");
    auto broken = RunCli({"import", notXml, "-o", document});
    EXPECT_EQ(broken.exitCode, 1);
    EXPECT_NE(broken.err.find("Die XMILE-Datei ist fehlerhaft (Zeile 1)"), std::string::npos) << broken.err;
}

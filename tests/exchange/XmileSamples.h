// Small XMILE models written for the tests, each with the behaviour it
// checks; the expected values come from plain Euler loops in the tests.
#pragma once

#include <string>

namespace xmile_samples {

inline std::string Wrap(const std::string& simSpecs, const std::string& variables, const std::string& view = "") {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
           "<xmile version=\"1.0\" xmlns=\"http://docs.oasis-open.org/xmile/ns/XMILE/v1.0\">\n"
           "<header><name>Test</name><vendor>Schule</vendor><product version=\"1\">Hand</product></header>\n" +
           simSpecs + "\n<model><variables>\n" + variables + "\n</variables>" +
           (view.empty() ? "" : "<views><view>" + view + "</view></views>") + "</model>\n</xmile>\n";
}

// Newton's cooling: a stock with one outflow; the outflow is written with
// underscores, the stock with spaces and in other case in the equation.
inline const std::string CoolingCup = Wrap(
    "<sim_specs method=\"Euler\" time_units=\"Minuten\"><start>0</start><stop>30</stop><dt>0.5</dt></sim_specs>",
    R"(<stock name="Coffee Temperature"><eqn>180</eqn><outflow>Heat_Loss_to_Room</outflow></stock>
<flow name="Heat Loss to Room"><eqn>("coffee temperature" - Room_Temperature) / Characteristic_Time</eqn></flow>
<aux name="Room Temperature"><eqn>70</eqn></aux>
<aux name="Characteristic Time"><eqn>10</eqn></aux>)",
    R"(<stock name="Coffee Temperature" x="200" y="100"/>
<flow name="Heat Loss to Room" x="300" y="100"><pts><pt x="222" y="100"/><pt x="380" y="100"/></pts></flow>
<aux name="Room Temperature" x="300" y="200"/><aux name="Characteristic Time" x="380" y="200"/>
<connector><from>Coffee_Temperature</from><to>Heat_Loss_to_Room</to></connector>
<connector><from>Room_Temperature</from><to>Heat_Loss_to_Room</to></connector>)");

// Logistic growth through MIN, MAX, IF-THEN-ELSE, AND/NOT, INT of negative
// numbers and MOD; the time step given as its reciprocal (1/4).
inline const std::string Logistic = Wrap(
    "<sim_specs><start>0</start><stop>10</stop><dt reciprocal=\"true\">4</dt></sim_specs>",
    R"(<stock name="Population"><eqn>Capacity / 100</eqn><inflow>growth</inflow><outflow>harvest</outflow></stock>
<flow name="growth"><eqn>IF Population &lt; Capacity/2 THEN MIN(rate * Population, 50) ELSE MAX(rate*Population*(1 - Population/Capacity), 0)</eqn></flow>
<flow name="harvest"><eqn>if TIME &gt;= 5 and not (Population &lt; 10) then 0.1 * Population else 0</eqn></flow>
<aux name="Capacity"><eqn>1000</eqn></aux>
<aux name="rate"><eqn>0.8</eqn></aux>
<aux name="Floor Check"><eqn>INT(-Population / 7) + Population MOD 7 + (-2)^2</eqn></aux>)");

// Lotka-Volterra with four flows, computed by another method in the file.
inline const std::string PredatorPrey = Wrap(
    "<sim_specs method=\"RK4\"><start>0</start><stop>20</stop><dt>0.125</dt></sim_specs>",
    R"(<stock name="Hasen"><eqn>40</eqn><inflow>Geburten</inflow><outflow>Gefressen</outflow></stock>
<stock name="Füchse"><eqn>9</eqn><inflow>Fuchs Geburten</inflow><outflow>Fuchs Tode</outflow></stock>
<flow name="Geburten"><eqn>0.6 * Hasen</eqn></flow>
<flow name="Gefressen"><eqn>0.025 * Hasen * Füchse</eqn></flow>
<flow name="Fuchs Geburten"><eqn>0.005 * Hasen * Füchse</eqn></flow>
<flow name="Fuchs Tode"><eqn>0.3 * Füchse</eqn></flow>)");

// An epidemic with three stocks; the recovery time starts at STARTTIME.
inline const std::string Sir = Wrap(
    "<sim_specs><start>1</start><stop>51</stop><dt>0.25</dt></sim_specs>",
    R"(<stock name="Susceptible"><eqn>990</eqn><outflow>Infection</outflow></stock>
<stock name="Infected"><eqn>Total - Susceptible</eqn><inflow>Infection</inflow><outflow>Recovery</outflow></stock>
<stock name="Recovered"><eqn>0</eqn><inflow>Recovery</inflow></stock>
<flow name="Infection"><eqn>Contact_Rate * Susceptible * Infected / Total</eqn></flow>
<flow name="Recovery"><eqn>Infected / Duration</eqn></flow>
<aux name="Total"><eqn>1000</eqn></aux>
<aux name="Contact Rate"><eqn>0.4</eqn></aux>
<aux name="Duration"><eqn>STARTTIME + 4</eqn></aux>)");

// Predator and prey as drawn in another tool: rates and constants in rows,
// long names, connectors from the stocks back to the rates beside them.
inline const std::string PredatorPreyDrawn = Wrap(
    "<sim_specs method=\"Euler\"><start>0</start><stop>30</stop><dt>0.05</dt></sim_specs>",
    R"(<stock name="Hasen"><eqn>30</eqn><inflow>Hasen Geburten</inflow><outflow>Gefressene Hasen</outflow></stock>
<stock name="Füchse"><eqn>4</eqn><inflow>Fuchs Geburten</inflow><outflow>Fuchs Tode</outflow></stock>
<flow name="Hasen Geburten"><eqn>Geburtsrate * Hasen</eqn></flow>
<flow name="Gefressene Hasen"><eqn>Fressrate * Hasen * Füchse</eqn></flow>
<flow name="Fuchs Geburten"><eqn>Vermehrung * Hasen * Füchse</eqn></flow>
<flow name="Fuchs Tode"><eqn>Sterberate * Füchse</eqn></flow>
<aux name="Geburtsrate"><eqn>0.8</eqn></aux>
<aux name="Fressrate"><eqn>0.1</eqn></aux>
<aux name="Vermehrung"><eqn>0.02</eqn></aux>
<aux name="Sterberate"><eqn>0.6</eqn></aux>)",
    R"(<stock name="Hasen" x="250" y="120"/>
<stock name="Füchse" x="250" y="320"/>
<flow name="Hasen Geburten" x="140" y="120"><pts><pt x="60" y="120"/><pt x="228" y="120"/></pts></flow>
<flow name="Gefressene Hasen" x="360" y="120"><pts><pt x="272" y="120"/><pt x="440" y="120"/></pts></flow>
<flow name="Fuchs Geburten" x="140" y="320"><pts><pt x="60" y="320"/><pt x="228" y="320"/></pts></flow>
<flow name="Fuchs Tode" x="360" y="320"><pts><pt x="272" y="320"/><pt x="440" y="320"/></pts></flow>
<aux name="Geburtsrate" x="140" y="40"/>
<aux name="Fressrate" x="360" y="40"/>
<aux name="Vermehrung" x="140" y="400"/>
<aux name="Sterberate" x="360" y="400"/>
<connector><from>Hasen</from><to>Hasen_Geburten</to></connector>
<connector><from>Hasen</from><to>Gefressene_Hasen</to></connector>
<connector><from>Füchse</from><to>Gefressene_Hasen</to></connector>
<connector><from>Hasen</from><to>Fuchs_Geburten</to></connector>
<connector><from>Füchse</from><to>Fuchs_Geburten</to></connector>
<connector><from>Füchse</from><to>Fuchs_Tode</to></connector>
<connector><from>Geburtsrate</from><to>Hasen_Geburten</to></connector>
<connector><from>Fressrate</from><to>Gefressene_Hasen</to></connector>
<connector><from>Vermehrung</from><to>Fuchs_Geburten</to></connector>
<connector><from>Sterberate</from><to>Fuchs_Tode</to></connector>)");

// A tank that must not run dry: its outflow asks for more than it holds.
inline const std::string NonNegativeTank = Wrap(
    "<sim_specs><start>0</start><stop>8</stop><dt>1</dt></sim_specs>",
    R"(<stock name="Tank"><eqn>10</eqn><inflow>Fill</inflow><outflow>Drain</outflow><non_negative/></stock>
<flow name="Fill"><eqn>1</eqn></flow>
<flow name="Drain"><eqn>4</eqn><non_negative/></flow>)");

// STEP, RAMP, OR and a MAX of three into a stock that must not run dry,
// drained by a flow that must not become negative.
inline const std::string StepRampOr = Wrap(
    "<sim_specs><start>0</start><stop>12</stop><dt>0.5</dt></sim_specs>",
    R"(<stock name="S"><eqn>5</eqn><inflow>f</inflow><outflow>g</outflow><non_negative/></stock>
<flow name="f"><eqn>STEP(2, 3) + RAMP(0.5, 2, 6) + IF S &gt; 8 OR TIME &lt; 1 THEN 1 ELSE 0</eqn></flow>
<flow name="g"><eqn>MAX(S * 0.3, 1, TIME/4) + (S MOD 3)</eqn><non_negative/></flow>
<aux name="a"><eqn>TAN(S/10) + LOG10(S+1)</eqn></aux>)");

// An array and a graphical function, which cannot be computed here.
inline const std::string WithArray = Wrap(
    "<sim_specs><start>0</start><stop>10</stop><dt>1</dt></sim_specs>",
    R"(<stock name="Stock"><eqn>1</eqn><inflow>Inflow</inflow></stock>
<flow name="Inflow"><eqn>Effect * Stock</eqn></flow>
<aux name="Demand"><dimensions><dim name="Region"/></dimensions><eqn>3</eqn></aux>
<aux name="Effect"><eqn>TIME</eqn><gf><xscale min="0" max="1"/><ypts>0,1</ypts></gf></aux>)");

}  // namespace xmile_samples

// Translates XMILE equations into the algorithm language. The language has
// no MIN, MAX, IF-THEN-ELSE, logical operators or floor; these become helper
// statements on temporaries in front of the assignment that needs them.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <variant>
#include <vector>

namespace qv {

struct XmileTranslation {
    std::vector<std::string> Helpers;  // statements to run first, in order
    std::string Expression;            // the value, in the language
    std::set<std::string> Uses;        // name keys of the model variables read
    std::optional<double> Constant;    // set when the equation is a plain number
};

class XmileTranslator {
public:
    // names: name key → the variable's name in the language (8-bit text);
    // taken: every name the program uses already, so temporaries avoid them.
    XmileTranslator(std::map<std::string, std::string> names, std::set<std::string> taken, double start, double stop);

    // The translation, or the German reason why the equation cannot be
    // translated (for the list of refused variables).
    std::variant<XmileTranslation, std::string> translate(const std::string& equation);

    // A temporary name no variable of the model uses.
    std::string temporary();

private:
    std::map<std::string, std::string> names_;
    std::set<std::string> taken_;
    double start_, stop_;
    int counter_ = 0;
};

// A number as the language reads it back exactly.
std::string LanguageNumber(double value);

}  // namespace qv

// The statements of an algorithm as trees, read the way the compiler reads
// them: assignments, and the assignments in the body of an IF with its
// condition. The XMILE export works on these.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace qv {

struct ProgramNode {
    enum Type { Number, Name, Negate, Binary, Call } Kind = Number;
    std::string Text;  // the number, the name, the operator or the function
    std::unique_ptr<ProgramNode> Left, Right;
};
using ProgramNodePtr = std::unique_ptr<ProgramNode>;

// «IF Left Op Right THEN …»; the statements of its body share it.
struct ProgramCondition {
    ProgramNodePtr Left, Right;
    std::string Op;
};

struct ProgramAssignment {
    int Line = 0;
    std::string Target;
    std::string Text;  // the right-hand side as written
    ProgramNodePtr Expression;
    std::shared_ptr<const ProgramCondition> When;  // the IF it stands under; none for a plain line
};

// An expression as the compiler reads it ("^" binds left to right and a
// leading "-" takes the whole factor); numbers in their shortest form.
// Nothing for text the compiler would refuse.
ProgramNodePtr ReadExpression(const std::string& text);

// The assignments of the lines. A line holding statements without a
// counterpart (WHILE, macro calls, an IF inside an IF) is listed as
// "Zeile N" in notExported.
std::vector<ProgramAssignment> ReadAssignments(const std::vector<std::string>& lines,
                                               std::vector<std::string>& notExported);

}  // namespace qv

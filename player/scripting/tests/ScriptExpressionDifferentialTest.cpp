// The expression evaluator against an independent reference: generated expressions of integer and text
// literals, variables, operators and parentheses, written out as script text for the interpreter and
// evaluated strictly from left to right by a small evaluator of the generated tokens here. Values and
// failures must agree.
#include "player/scripting/ScriptResult.h"
#include "player/scripting/TScriptInterpreter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <variant>
#include <vector>

namespace {

using TValue = std::variant<int32_t, std::u16string>;

// A generated expression: operands joined by operators, an operand being a literal, a variable or a
// group of its own.
struct TExpression {
    struct TOperand {
        std::optional<TValue> literal;  // else a variable or a group
        std::u16string variable;        // a name when not a literal
        std::vector<TExpression> group; // one element when a group
        std::u16string literalText;     // how the literal is written
    };
    std::vector<TOperand> operands;
    std::vector<std::u16string> operators; // one fewer than the operands
};

const std::vector<std::u16string> kOperators = {u"+",   u"-",  u"*",  u"/", u"AND", u"OR",
                                                u"XOR", u">=", u"<=", u"<", u">",   u"=="};

struct TVariable {
    std::u16string name;
    TValue value;
};

const std::vector<TVariable> kVariables = {
    {u"a", int32_t{7}}, {u"b", int32_t{-3}}, {u"big", int32_t{2147483600}},
    {u"s", u"xy"},      {u"t", u"Q"},        {u"e", u""}};

class TGenerator {
public:
    explicit TGenerator(uint32_t seed) : random_(seed) {}

    TExpression Expression(int depth) {
        TExpression expression;
        const int operands = 1 + Pick(depth > 2 ? 2 : 5);
        for (int i = 0; i < operands; ++i) {
            if (i > 0) {
                // Mostly operators that suit integers; texts meet "+" and comparisons often enough.
                expression.operators.push_back(kOperators[Pick(static_cast<int>(kOperators.size()))]);
            }
            expression.operands.push_back(Operand(depth));
        }
        return expression;
    }

private:
    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

    TExpression::TOperand Operand(int depth) {
        TExpression::TOperand operand;
        const int kind = Pick(depth < 3 ? 10 : 8);
        if (kind < 3) {
            const int64_t choices[] = {0, 1, 2, 7, 10, 255, 65536, 2147483647, 2147483648LL, 99999999999LL};
            const int64_t number = Pick(2) == 0 ? choices[Pick(10)] : Pick(1000);
            const std::string digits = std::to_string(number);
            operand.literalText = std::u16string(digits.begin(), digits.end());
            operand.literal =
                static_cast<int32_t>(std::min<int64_t>(number, std::numeric_limits<int32_t>::max()));
        } else if (kind < 5) {
            std::u16string text;
            for (int n = Pick(4); n > 0; --n) {
                text += u"aBz Y09"[Pick(7)];
            }
            operand.literalText = u"\"" + text + u"\"";
            operand.literal = text;
        } else if (kind < 8) {
            operand.variable =
                kVariables[static_cast<size_t>(Pick(static_cast<int>(kVariables.size())))].name;
        } else {
            operand.group.push_back(Expression(depth + 1));
        }
        return operand;
    }

    std::mt19937 random_;
};

std::u16string Write(const TExpression& expression, std::mt19937& random) {
    std::u16string text;
    const auto blank = [&] { return std::uniform_int_distribution<int>(0, 9)(random) == 0 ? u"\t" : u" "; };
    for (size_t i = 0; i < expression.operands.size(); ++i) {
        if (i > 0) {
            text += blank() + expression.operators[i - 1] + blank();
        }
        const TExpression::TOperand& operand = expression.operands[i];
        if (operand.literal) {
            text += operand.literalText;
        } else if (!operand.variable.empty()) {
            text += operand.variable;
        } else {
            text += u"(" + Write(operand.group[0], random) + u")";
        }
    }
    return text;
}

// The reference: strictly left to right, nothing (an error) on a mix of types or an operator that does
// not apply to texts.
std::optional<TValue> Reference(const TExpression& expression);

std::optional<TValue> ValueOf(const TExpression::TOperand& operand) {
    if (operand.literal) {
        return operand.literal;
    }
    if (!operand.variable.empty()) {
        for (const TVariable& v : kVariables) {
            if (v.name == operand.variable) {
                return v.value;
            }
        }
        return std::nullopt;
    }
    return Reference(operand.group[0]);
}

std::optional<TValue> Apply(const TValue& left, const std::u16string& op, const TValue& right) {
    if (left.index() != right.index()) {
        return std::nullopt;
    }
    if (std::holds_alternative<std::u16string>(left)) {
        const auto& l = std::get<std::u16string>(left);
        const auto& r = std::get<std::u16string>(right);
        if (op == u"+") {
            return l + r;
        }
        if (op == u"==")
            return int32_t{l == r};
        if (op == u"<")
            return int32_t{l < r};
        if (op == u">")
            return int32_t{l > r};
        if (op == u"<=")
            return int32_t{l <= r};
        if (op == u">=")
            return int32_t{l >= r};
        return std::nullopt;
    }
    const int64_t l = std::get<int32_t>(left);
    const int64_t r = std::get<int32_t>(right);
    const auto wrap = [](int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(v)); };
    if (op == u"+")
        return wrap(l + r);
    if (op == u"-")
        return wrap(l - r);
    if (op == u"*")
        return wrap(l * r);
    if (op == u"/")
        return r == 0 ? 0 : wrap(l / r);
    if (op == u"AND")
        return int32_t{l != 0 && r != 0};
    if (op == u"OR")
        return int32_t{l != 0 || r != 0};
    if (op == u"XOR")
        return int32_t{(l != 0) != (r != 0)};
    if (op == u"==")
        return int32_t{l == r};
    if (op == u"<")
        return int32_t{l < r};
    if (op == u">")
        return int32_t{l > r};
    if (op == u"<=")
        return int32_t{l <= r};
    return int32_t{l >= r};
}

std::optional<TValue> Reference(const TExpression& expression) {
    std::optional<TValue> value = ValueOf(expression.operands[0]);
    for (size_t i = 1; value && i < expression.operands.size(); ++i) {
        const std::optional<TValue> right = ValueOf(expression.operands[i]);
        value = right ? Apply(*value, expression.operators[i - 1], *right) : std::nullopt;
    }
    return value;
}

std::u16string Declarations() {
    std::u16string text;
    for (const TVariable& v : kVariables) {
        const bool number = std::holds_alternative<int32_t>(v.value);
        text += (number ? u"int " : u"wstr ") + v.name + u"\n";
        if (number) {
            const int32_t n = std::get<int32_t>(v.value);
            const std::string digits = std::to_string(n < 0 ? -int64_t{n} : n);
            text += v.name + u" = " + (n < 0 ? u"0 - " : u"") + std::u16string(digits.begin(), digits.end()) +
                    u"\n";
        } else {
            text += v.name + u" = \"" + std::get<std::u16string>(v.value) + u"\"\n";
        }
    }
    return text;
}

TEST(ScriptExpressionDifferential, AgreesWithALeftToRightReference) {
    TScriptServices services;
    TGenerator generator(20041);
    std::mt19937 blanks(7);
    const std::u16string declarations = Declarations();
    int failures = 0;
    int texts = 0;
    int errors = 0;
    for (int i = 0; i < 4000; ++i) {
        const TExpression expression = generator.Expression(0);
        const std::u16string written = Write(expression, blanks);
        const std::u16string script = declarations + u"print(" + written + u")";
        TScriptInterpreter interpreter(services);
        TScriptValue value;
        TScriptValue output;
        const int32_t result = interpreter.RunScript(script, nullptr, value, &output);
        const std::optional<TValue> expected = Reference(expression);
        std::optional<TValue> got;
        if (result == script_result::kOk) {
            got = output.Text; // print writes integers in decimal: compare in the same form
        }
        std::optional<TValue> expectedPrinted;
        if (expected) {
            const std::string digits = std::holds_alternative<int32_t>(*expected)
                                           ? std::to_string(std::get<int32_t>(*expected))
                                           : "";
            expectedPrinted = std::holds_alternative<int32_t>(*expected)
                                  ? std::u16string(digits.begin(), digits.end())
                                  : std::get<std::u16string>(*expected);
            texts += std::holds_alternative<std::u16string>(*expected) ? 1 : 0;
        } else {
            ++errors;
        }
        if (got != expectedPrinted || (!expected && result != script_result::kSyntax)) {
            ADD_FAILURE() << "expression: " << std::string(written.begin(), written.end()) << "\nresult "
                          << result;
            if (++failures > 10) {
                break;
            }
        }
    }
    // The generated mix exercises every kind of outcome.
    EXPECT_GT(texts, 100);
    EXPECT_GT(errors, 100);
}

} // namespace

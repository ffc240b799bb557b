#pragma once
// The result codes of the command script language: every statement, block and script ends with one.
#include <cstdint>

namespace script_result {

inline constexpr int32_t kOk = 1;
// A character or word where none is allowed, a bad declaration or definition, an expression that cannot
// be evaluated, an undefined action or object member, no output for "print".
inline constexpr int32_t kSyntax = 16;
// An undefined name or built-in member, an object that does not exist, a statement no rule handled.
inline constexpr int32_t kUndefined = 17;
inline constexpr int32_t kTooManyArguments = 4096;
inline constexpr int32_t kTooFewArguments = 4097;
// An argument of the wrong type, a member read on an object that does not exist, an argument of a user
// function that cannot be evaluated.
inline constexpr int32_t kWrongType = 4098;
inline constexpr int32_t kIfWithoutBlock = 4100;
inline constexpr int32_t kElseWithoutBlock = 4101;
inline constexpr int32_t kUnclosedBlock = 4102;
inline constexpr int32_t kStrayBrace = 4103;
// Blocks, expressions or user function calls nested deeper than the interpreter allows.
inline constexpr int32_t kNestedTooDeep = 4104;
// The script ran more statements than the interpreter allows in one run.
inline constexpr int32_t kTooManySteps = 4105;
// The graph information a "graph." member needs is not available.
inline constexpr int32_t kNoGraph = 8193;

} // namespace script_result

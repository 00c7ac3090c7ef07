#pragma once

// The model's fields as one table: what the headless runner reads, prints and documents, in
// the order it prints them. A new field, or a new reader of fields, starts here.

#include "engine/ModelState.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <variant>

namespace velmaro {

// The member a field lives in; its type is the field's kind: a number, a whole number, a
// choice (one of a few codes), a series of rainfall-step values, the hydrograph.
using FieldMember = std::variant<double ModelState::*, std::int32_t ModelState::*,
                                 std::uint8_t ModelState::*, Series ModelState::*,
                                 Hydrograph ModelState::*>;

// Lambdas as one visitor of a FieldMember, one for each kind of member.
template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
// Clang before 17 deduces no aggregate's template arguments by itself.
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

// The whole numbers an input accepts.
struct WholeRange {
    std::int64_t low = 0;
    std::int64_t high = 0;
};

struct ModelField {
    std::string_view name;
    FieldMember member;
    std::string_view unit;    // the base unit of the value, empty for counts and choices
    bool input = false;       // set by the user, not computed
    WholeRange range;         // whole-number and choice inputs only
    std::string_view meaning; // what the codes of a choice stand for
    // The names a choice's codes also go by, code k at k; empty for a choice of codes only.
    std::span<const std::string_view> codeNames = {};
};

// Every field of ModelState in output order: the numbers, the whole numbers and choices, the
// series, the hydrograph.
std::span<const ModelField> ModelFields();

} // namespace velmaro

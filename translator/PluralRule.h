#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace verbaria {

// Which plural form a count takes in a language: gettext's rule ("nplurals=3; plural=(n==1) ? 0 :
// (n>=2 && n<=4) ? 1 : 2;"), a C expression over n, or the rule of a language by its tag.
class PluralRule final
{
public:
    // One form, for every n (the rule of a language without plural forms).
    PluralRule();

    // Reads gettext's Plural-Forms value; nullopt when it is not one (the caller then keeps the
    // language's own rule). The expression knows n, whole numbers, ! * / % + - < > <= >= == !=
    // && || ?: and parentheses.
    static std::optional<PluralRule> Parse(std::string_view pluralForms);
    // The rule of a language by its tag ("cs", "pt_BR", "ar-EG"); languages the table does not know
    // take English's "n != 1".
    static PluralRule ForLanguage(std::string_view tag);
    // The language's rule as gettext writes it.
    static std::string PluralFormsOf(std::string_view tag);

    int Count() const { return count_; }
    // The form for n, always within 0 .. Count()-1 (an expression that says otherwise, or divides
    // by zero, gives form 0).
    int FormFor(std::int64_t n) const;

private:
    enum class Op : std::uint8_t {
        Number,
        N,
        Not,
        Negate,
        Mul,
        Div,
        Mod,
        Add,
        Sub,
        Less,
        Greater,
        LessEq,
        GreaterEq,
        Eq,
        NotEq,
        And,
        Or,
        Choice
    };
    struct Node
    {
        Op Kind = Op::Number;
        std::int64_t Value = 0;
        std::int32_t A = -1, B = -1, C = -1;
    };
    class Parser;
    std::int64_t Evaluate(std::int32_t node, std::int64_t n, bool &failed) const;

    int count_ = 1;
    std::vector<Node> nodes_;
    std::int32_t root_ = -1;
};

// True for the languages written from right to left (Arabic, Hebrew, Persian, Urdu...), by tag.
bool IsRightToLeftLanguage(std::string_view tag);

} // namespace verbaria

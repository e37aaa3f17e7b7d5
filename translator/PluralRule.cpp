#include "translator/PluralRule.h"

#include <cctype>

namespace verbaria {

namespace {

struct LanguageRule
{
    const char *Tags; // blank-separated language codes
    const char *Forms;
};

// gettext's rules, which Qt's own numerus rules agree with for these languages.
const LanguageRule kRules[] = {
    {"ja zh ko vi th id ms lo my km ka", "nplurals=1; plural=0;"},
    {"fr oc br ln mg fil ti wa", "nplurals=2; plural=(n > 1);"},
    {"cs sk", "nplurals=3; plural=(n==1) ? 0 : (n>=2 && n<=4) ? 1 : 2;"},
    {"pl", "nplurals=3; plural=(n==1 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || n%100>=20) ? 1 : 2);"},
    {"ru uk be sr hr bs", "nplurals=3; plural=(n%10==1 && n%100!=11 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || "
                          "n%100>=20) ? 1 : 2);"},
    {"lt", "nplurals=3; plural=(n%10==1 && n%100!=11 ? 0 : n%10>=2 && (n%100<10 || n%100>=20) ? 1 : 2);"},
    {"lv", "nplurals=3; plural=(n%10==1 && n%100!=11 ? 0 : n != 0 ? 1 : 2);"},
    {"ro", "nplurals=3; plural=(n==1 ? 0 : (n==0 || (n%100 > 0 && n%100 < 20)) ? 1 : 2);"},
    {"ga", "nplurals=3; plural=(n==1 ? 0 : n==2 ? 1 : 2);"},
    {"sl", "nplurals=4; plural=(n%100==1 ? 0 : n%100==2 ? 1 : n%100==3 || n%100==4 ? 2 : 3);"},
    {"ar",
     "nplurals=6; plural=(n==0 ? 0 : n==1 ? 1 : n==2 ? 2 : n%100>=3 && n%100<=10 ? 3 : n%100>=11 ? 4 : 5);"},
};

constexpr const char *kEnglish = "nplurals=2; plural=(n != 1);";

// The language part of a tag, lower-cased: "pt_BR" -> "pt", "ar-EG" -> "ar".
std::string LanguageOf(std::string_view tag)
{
    std::string language;
    for (const char c : tag) {
        if (c == '_' || c == '-' || c == '.' || c == '@')
            break;
        language += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return language;
}

// Arithmetic of a rule wraps around rather than overflow (a rule is data from a file).
std::int64_t Wrap(std::uint64_t value)
{
    return static_cast<std::int64_t>(value);
}

bool ListHas(std::string_view list, std::string_view word)
{
    std::size_t start = 0;
    while (start < list.size()) {
        std::size_t end = list.find(' ', start);
        if (end == std::string_view::npos)
            end = list.size();
        if (list.substr(start, end - start) == word)
            return true;
        start = end + 1;
    }
    return false;
}

} // namespace

class PluralRule::Parser final
{
public:
    Parser(std::string_view text, std::vector<Node> &nodes)
        : s_(text)
        , nodes_(nodes)
    {
    }

    // The whole text as one expression; -1 when it is not one.
    std::int32_t Whole()
    {
        const std::int32_t root = Conditional();
        Blanks();
        return ok_ && i_ == s_.size() ? root : -1;
    }

private:
    void Blanks()
    {
        while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\t' || s_[i_] == '\r' || s_[i_] == '\n'))
            ++i_;
    }
    bool Take(std::string_view token)
    {
        Blanks();
        if (s_.substr(i_).starts_with(token)) {
            i_ += token.size();
            return true;
        }
        return false;
    }
    std::int32_t Make(Op op, std::int32_t a = -1, std::int32_t b = -1, std::int32_t c = -1,
                      std::int64_t value = 0)
    {
        if (nodes_.size() > 4096) { // no real rule is this long
            ok_ = false;
            return -1;
        }
        nodes_.push_back(Node{op, value, a, b, c});
        return static_cast<std::int32_t>(nodes_.size() - 1);
    }
    std::int32_t Conditional()
    {
        if (++depth_ > 200) {
            ok_ = false;
            return -1;
        }
        const std::int32_t condition = Binary(0);
        std::int32_t result = condition;
        if (ok_ && Take("?")) {
            const std::int32_t yes = Conditional();
            if (!Take(":"))
                ok_ = false;
            const std::int32_t no = Conditional();
            result = Make(Op::Choice, condition, yes, no);
        }
        --depth_;
        return result;
    }
    // Precedence climbing over the binary operators, loosest first.
    std::int32_t Binary(int level)
    {
        static const struct
        {
            std::string_view Token;
            Op Kind;
            int Level;
        } kOperators[] = {
            {"||", Op::Or, 0},     {"&&", Op::And, 1},       {"==", Op::Eq, 2},  {"!=", Op::NotEq, 2},
            {"<=", Op::LessEq, 3}, {">=", Op::GreaterEq, 3}, {"<", Op::Less, 3}, {">", Op::Greater, 3},
            {"+", Op::Add, 4},     {"-", Op::Sub, 4},        {"*", Op::Mul, 5},  {"/", Op::Div, 5},
            {"%", Op::Mod, 5},
        };
        if (level > 5)
            return Unary();
        std::int32_t left = Binary(level + 1);
        while (ok_) {
            bool found = false;
            for (const auto &op : kOperators) {
                if (op.Level != level)
                    continue;
                Blanks();
                // "!=" is not "!" and "<=" is not "<": the longer tokens stand first.
                if (Take(op.Token)) {
                    left = Make(op.Kind, left, Binary(level + 1));
                    found = true;
                    break;
                }
            }
            if (!found)
                break;
        }
        return left;
    }
    std::int32_t Unary()
    {
        if (++depth_ > 200) {
            ok_ = false;
            return -1;
        }
        std::int32_t result = -1;
        Blanks();
        if (i_ < s_.size() && s_[i_] == '!' && (i_ + 1 >= s_.size() || s_[i_ + 1] != '=')) {
            ++i_;
            result = Make(Op::Not, Unary());
        } else if (Take("-")) {
            result = Make(Op::Negate, Unary());
        } else if (Take("(")) {
            result = Conditional();
            if (!Take(")"))
                ok_ = false;
        } else if (Take("n")) {
            result = Make(Op::N);
        } else if (i_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[i_]))) {
            std::int64_t value = 0;
            while (i_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[i_]))) {
                value = value * 10 + (s_[i_] - '0');
                if (value > 1'000'000'000)
                    ok_ = false;
                ++i_;
            }
            result = Make(Op::Number, -1, -1, -1, value);
        } else {
            ok_ = false;
        }
        --depth_;
        return result;
    }

    std::string_view s_;
    std::vector<Node> &nodes_;
    std::size_t i_ = 0;
    int depth_ = 0;
    bool ok_ = true;
};

PluralRule::PluralRule()
{
    nodes_.push_back(Node{Op::Number, 0});
    root_ = 0;
}

std::optional<PluralRule> PluralRule::Parse(std::string_view pluralForms)
{
    // "nplurals=N; plural=EXPRESSION;" with blanks anywhere and the last ';' optional.
    auto valueOf = [&](std::string_view key) -> std::optional<std::string_view> {
        std::size_t at = 0;
        while ((at = pluralForms.find(key, at)) != std::string_view::npos) {
            const bool wordStart = at == 0 || pluralForms[at - 1] == ' ' || pluralForms[at - 1] == ';' ||
                                   pluralForms[at - 1] == '\t';
            std::size_t after = at + key.size();
            while (after < pluralForms.size() && pluralForms[after] == ' ')
                ++after;
            if (wordStart && after < pluralForms.size() && pluralForms[after] == '=') {
                const std::size_t start = after + 1;
                std::size_t end = pluralForms.find(';', start);
                if (end == std::string_view::npos)
                    end = pluralForms.size();
                return pluralForms.substr(start, end - start);
            }
            at += key.size();
        }
        return std::nullopt;
    };
    const std::optional<std::string_view> count = valueOf("nplurals");
    const std::optional<std::string_view> expression = valueOf("plural");
    if (!count || !expression)
        return std::nullopt;
    int forms = 0;
    for (const char c : *count) {
        if (c == ' ' || c == '\t')
            continue;
        if (!std::isdigit(static_cast<unsigned char>(c)) || forms > 100)
            return std::nullopt;
        forms = forms * 10 + (c - '0');
    }
    if (forms < 1 || forms > 64)
        return std::nullopt;
    PluralRule rule;
    rule.nodes_.clear();
    Parser parser(*expression, rule.nodes_);
    rule.root_ = parser.Whole();
    if (rule.root_ < 0)
        return std::nullopt;
    rule.count_ = forms;
    return rule;
}

PluralRule PluralRule::ForLanguage(std::string_view tag)
{
    return *Parse(PluralFormsOf(tag));
}

std::string PluralRule::PluralFormsOf(std::string_view tag)
{
    const std::string language = LanguageOf(tag);
    // Brazilian Portuguese counts as French does; Portugal's Portuguese as English does.
    std::string full(tag);
    for (char &c : full)
        c = c == '-' ? '_' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (full.starts_with("pt_br"))
        return "nplurals=2; plural=(n > 1);";
    for (const LanguageRule &rule : kRules) {
        if (ListHas(rule.Tags, language))
            return rule.Forms;
    }
    return kEnglish;
}

int PluralRule::FormFor(std::int64_t n) const
{
    bool failed = false;
    const std::int64_t form = Evaluate(root_, n, failed);
    if (failed || form < 0 || form >= count_)
        return 0;
    return static_cast<int>(form);
}

std::int64_t PluralRule::Evaluate(std::int32_t index, std::int64_t n, bool &failed) const
{
    if (index < 0 || failed) {
        failed = true;
        return 0;
    }
    const Node &node = nodes_[static_cast<std::size_t>(index)];
    auto a = [&] { return Evaluate(node.A, n, failed); };
    auto b = [&] { return Evaluate(node.B, n, failed); };
    switch (node.Kind) {
    case Op::Number:
        return node.Value;
    case Op::N:
        return n;
    case Op::Not:
        return !a();
    case Op::Negate:
        return Wrap(0 - static_cast<std::uint64_t>(a()));
    case Op::Mul:
        return Wrap(static_cast<std::uint64_t>(a()) * static_cast<std::uint64_t>(b()));
    case Op::Div:
    case Op::Mod: {
        const std::int64_t left = a();
        const std::int64_t right = b();
        if (right == 0 || right == -1) { // -1: no overflow of the smallest number
            if (right == -1)
                return node.Kind == Op::Div ? Wrap(0 - static_cast<std::uint64_t>(left)) : 0;
            failed = true;
            return 0;
        }
        return node.Kind == Op::Div ? left / right : left % right;
    }
    case Op::Add:
        return Wrap(static_cast<std::uint64_t>(a()) + static_cast<std::uint64_t>(b()));
    case Op::Sub:
        return Wrap(static_cast<std::uint64_t>(a()) - static_cast<std::uint64_t>(b()));
    case Op::Less:
        return a() < b();
    case Op::Greater:
        return a() > b();
    case Op::LessEq:
        return a() <= b();
    case Op::GreaterEq:
        return a() >= b();
    case Op::Eq:
        return a() == b();
    case Op::NotEq:
        return a() != b();
    case Op::And:
        return a() && b();
    case Op::Or:
        return a() || b();
    case Op::Choice:
        return a() ? b() : Evaluate(node.C, n, failed);
    }
    return 0;
}

bool IsRightToLeftLanguage(std::string_view tag)
{
    return ListHas("ar he iw fa ur yi ps sd ug dv syr ckb", LanguageOf(tag));
}

} // namespace verbaria

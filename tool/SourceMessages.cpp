#include "tool/SourceMessages.h"

#include "checks/Utf8.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <set>

namespace verbaria::tool {

namespace {

bool IsIdentifierStart(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '$' ||
           static_cast<unsigned char>(c) >= 0x80;
}

bool IsIdentifierChar(char c)
{
    return IsIdentifierStart(c) || (c >= '0' && c <= '9');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

enum class TokenKind { Identifier, String, Punctuation, Other, Note };

struct Token
{
    TokenKind Kind;
    std::string Text; // a string literal's value; a note's text
    int Line;
};

std::string Trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(" \t\r\n");
    return std::string(text.substr(first, last - first + 1));
}

// Splits C++ or JavaScript into tokens. Comments vanish except the notes for the translator
// ("//:" and "/*:"), string literals arrive decoded, preprocessor lines are skipped.
class Tokenizer final
{
public:
    Tokenizer(std::string_view source, bool javaScript)
        : s_(source)
        , javaScript_(javaScript)
    {
    }

    std::vector<Token> Tokens()
    {
        bool lineStart = true;
        while (i_ < s_.size()) {
            const char c = s_[i_];
            if (c == '\n') {
                ++line_;
                ++i_;
                lineStart = true;
                continue;
            }
            if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
                ++i_;
                continue;
            }
            if (c == '\\' && (Peek(1) == '\n' || (Peek(1) == '\r' && Peek(2) == '\n'))) {
                i_ += Peek(1) == '\n' ? 2 : 3; // a spliced line
                ++line_;
                continue;
            }
            if (c == '#' && lineStart && !javaScript_) {
                PreprocessorLine();
                continue;
            }
            lineStart = false;
            if (c == '/' && Peek(1) == '/') {
                const std::size_t end = std::min(s_.find('\n', i_), s_.size());
                if (Peek(2) == ':')
                    Add(TokenKind::Note, Trimmed(s_.substr(i_ + 3, end - i_ - 3)));
                i_ = end;
            } else if (c == '/' && Peek(1) == '*') {
                const std::size_t found = s_.find("*/", i_ + 2);
                const std::size_t end = found == std::string_view::npos ? s_.size() : found;
                if (Peek(2) == ':')
                    Add(TokenKind::Note, Trimmed(s_.substr(i_ + 3, end - std::min(end, i_ + 3))));
                CountLines(i_, end);
                i_ = std::min(s_.size(), end + 2);
            } else if (c == '"' || (c == '\'' && javaScript_)) {
                ReadQuoted(c);
            } else if (c == '`' && javaScript_) {
                ReadTemplateLiteral();
            } else if (c == '\'') {
                ReadCharacter();
            } else if (IsDigit(c) || (c == '.' && IsDigit(Peek(1)))) {
                ReadNumber();
            } else if (IsIdentifierStart(c)) {
                ReadIdentifierOrPrefixedLiteral();
            } else if (c == '/' && javaScript_ && RegexMayStart()) {
                ReadRegex();
            } else if (c == ':' && Peek(1) == ':') {
                Add(TokenKind::Punctuation, "::");
                i_ += 2;
            } else if (c == '-' && Peek(1) == '>') {
                Add(TokenKind::Punctuation, "->");
                i_ += 2;
            } else {
                Add(TokenKind::Punctuation, std::string(1, c));
                ++i_;
            }
        }
        return std::move(tokens_);
    }

private:
    char Peek(std::size_t ahead) const { return i_ + ahead < s_.size() ? s_[i_ + ahead] : '\0'; }

    void Add(TokenKind kind, std::string text) { tokens_.push_back({kind, std::move(text), line_}); }

    void CountLines(std::size_t from, std::size_t to)
    {
        line_ += static_cast<int>(
            std::count(s_.begin() + static_cast<std::ptrdiff_t>(from),
                       s_.begin() + static_cast<std::ptrdiff_t>(std::min(to, s_.size())), '\n'));
    }

    // A macro's body is read as code, since a tr() there counts wherever the macro is used; any
    // other directive is skipped.
    void PreprocessorLine()
    {
        std::size_t j = i_ + 1;
        while (j < s_.size() && (s_[j] == ' ' || s_[j] == '\t'))
            ++j;
        if (s_.substr(j, 6) == "define" && j + 6 < s_.size() && !IsIdentifierChar(s_[j + 6])) {
            j += 6;
            while (j < s_.size() && (s_[j] == ' ' || s_[j] == '\t'))
                ++j;
            while (j < s_.size() && IsIdentifierChar(s_[j]))
                ++j;
            if (j < s_.size() && s_[j] == '(') {
                while (j < s_.size() && s_[j] != ')' && s_[j] != '\n')
                    ++j;
                if (j < s_.size() && s_[j] == ')')
                    ++j;
            }
            i_ = j;
            return;
        }
        SkipPreprocessorLine();
    }

    void SkipPreprocessorLine()
    {
        while (i_ < s_.size() && s_[i_] != '\n') {
            if (s_[i_] == '\\' && Peek(1) == '\n') {
                ++line_;
                i_ += 2;
            } else if (s_[i_] == '\\' && Peek(1) == '\r' && Peek(2) == '\n') {
                ++line_;
                i_ += 3;
            } else if (s_[i_] == '/' && Peek(1) == '*') {
                const std::size_t found = s_.find("*/", i_ + 2);
                const std::size_t end = found == std::string_view::npos ? s_.size() : found;
                CountLines(i_, end);
                i_ = std::min(s_.size(), end + 2);
            } else if (s_[i_] == '/' && Peek(1) == '/') {
                i_ = std::min(s_.find('\n', i_), s_.size());
            } else {
                ++i_;
            }
        }
    }

    void ReadIdentifierOrPrefixedLiteral()
    {
        const std::size_t start = i_;
        while (i_ < s_.size() && IsIdentifierChar(s_[i_]))
            ++i_;
        const std::string_view word = s_.substr(start, i_ - start);
        if (!javaScript_ && Peek(0) == '"') {
            if (word == "R" || word == "u8R" || word == "uR" || word == "UR" || word == "LR") {
                ReadRaw();
                return;
            }
            if (word == "u8" || word == "u" || word == "U" || word == "L") {
                ReadQuoted('"');
                return;
            }
        }
        if (!javaScript_ && Peek(0) == '\'' && (word == "u8" || word == "u" || word == "U" || word == "L")) {
            ReadCharacter();
            return;
        }
        Add(TokenKind::Identifier, std::string(word));
    }

    void SkipLiteralSuffix()
    {
        while (!javaScript_ && i_ < s_.size() && IsIdentifierChar(s_[i_])) // a user-defined suffix: _s
            ++i_;
    }

    void ReadRaw()
    {
        const int line = line_;
        const std::size_t open = s_.find('(', i_ + 1);
        if (open == std::string_view::npos) {
            i_ = s_.size();
            return;
        }
        const std::string close = ")" + std::string(s_.substr(i_ + 1, open - i_ - 1)) + "\"";
        const std::size_t end = s_.find(close, open + 1);
        if (end == std::string_view::npos) {
            i_ = s_.size();
            return;
        }
        std::string text(s_.substr(open + 1, end - open - 1));
        std::erase(text, '\r'); // the file's line ends are not the text's
        CountLines(i_, end);
        i_ = end + close.size();
        SkipLiteralSuffix();
        tokens_.push_back({TokenKind::String, std::move(text), line});
    }

    void ReadCharacter()
    {
        ++i_;
        while (i_ < s_.size() && s_[i_] != '\'' && s_[i_] != '\n')
            i_ += s_[i_] == '\\' ? 2 : 1;
        ++i_;
        SkipLiteralSuffix();
        Add(TokenKind::Other, "'");
    }

    void ReadNumber()
    {
        while (i_ < s_.size()) {
            const char c = s_[i_];
            if ((c == '+' || c == '-') && i_ > 0 &&
                (s_[i_ - 1] == 'e' || s_[i_ - 1] == 'E' || s_[i_ - 1] == 'p' || s_[i_ - 1] == 'P')) {
                ++i_;
            } else if (IsIdentifierChar(c) || c == '.' || (c == '\'' && !javaScript_)) {
                ++i_;
            } else {
                break;
            }
        }
        Add(TokenKind::Other, "0");
    }

    void ReadQuoted(char quote)
    {
        const int line = line_;
        std::string out;
        ++i_;
        while (i_ < s_.size() && s_[i_] != quote) {
            if (s_[i_] == '\n')
                break; // unterminated: the line ends it
            if (s_[i_] != '\\') {
                out += s_[i_++];
                continue;
            }
            ++i_;
            if (i_ >= s_.size())
                break;
            const char e = s_[i_++];
            switch (e) {
            case 'n':
                out += '\n';
                break;
            case 't':
                out += '\t';
                break;
            case 'r':
                out += '\r';
                break;
            case 'a':
                out += '\a';
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'v':
                out += '\v';
                break;
            case '\n':
                ++line_;
                break; // a continued line
            case '\r':
                if (Peek(0) == '\n') {
                    ++i_;
                    ++line_;
                }
                break;
            case 'x':
                out += static_cast<char>(Number(16, javaScript_ ? 2 : 8));
                break;
            case 'u':
                if (javaScript_ && Peek(0) == '{') {
                    ++i_;
                    checks::AppendUtf8(out, static_cast<char32_t>(Number(16, 8)));
                    if (Peek(0) == '}')
                        ++i_;
                } else {
                    checks::AppendUtf8(out, static_cast<char32_t>(Number(16, 4)));
                }
                break;
            case 'U':
                checks::AppendUtf8(out, static_cast<char32_t>(Number(16, 8)));
                break;
            default:
                if (e >= '0' && e <= '7' && !javaScript_) {
                    --i_;
                    out += static_cast<char>(Number(8, 3));
                } else {
                    out += e; // \" \' \\ \? and whatever else stands for itself
                }
            }
        }
        if (i_ < s_.size() && s_[i_] == quote)
            ++i_;
        SkipLiteralSuffix();
        tokens_.push_back({TokenKind::String, std::move(out), line});
    }

    // A template literal is never a message text of its own; it is stepped over whole.
    void ReadTemplateLiteral()
    {
        ++i_;
        while (i_ < s_.size() && s_[i_] != '`') {
            if (s_[i_] == '\n')
                ++line_;
            i_ += s_[i_] == '\\' ? 2 : 1;
        }
        ++i_;
        Add(TokenKind::Other, "`");
    }

    bool RegexMayStart() const
    {
        if (tokens_.empty())
            return true;
        const Token &last = tokens_.back();
        if (last.Kind == TokenKind::Identifier)
            return last.Text == "return" || last.Text == "typeof" || last.Text == "case";
        if (last.Kind != TokenKind::Punctuation)
            return false;
        return last.Text != ")" && last.Text != "]" && last.Text != "}";
    }

    void ReadRegex()
    {
        ++i_;
        bool inClass = false;
        while (i_ < s_.size() && s_[i_] != '\n') {
            const char c = s_[i_];
            if (c == '\\') {
                i_ += 2;
                continue;
            }
            if (c == '[')
                inClass = true;
            else if (c == ']')
                inClass = false;
            else if (c == '/' && !inClass)
                break;
            ++i_;
        }
        ++i_;
        while (i_ < s_.size() && IsIdentifierChar(s_[i_]))
            ++i_;
        Add(TokenKind::Other, "/");
    }

    std::uint32_t Number(int base, int maxDigits)
    {
        std::uint32_t value = 0;
        for (int n = 0; n < maxDigits && i_ < s_.size(); ++n, ++i_) {
            const char c = s_[i_];
            int digit;
            if (c >= '0' && c <= '9')
                digit = c - '0';
            else if (base == 16 && c >= 'a' && c <= 'f')
                digit = c - 'a' + 10;
            else if (base == 16 && c >= 'A' && c <= 'F')
                digit = c - 'A' + 10;
            else
                break;
            if (digit >= base)
                break;
            value = value * static_cast<std::uint32_t>(base) + static_cast<std::uint32_t>(digit);
        }
        return value;
    }

    std::string_view s_;
    bool javaScript_;
    std::size_t i_ = 0;
    int line_ = 1;
    std::vector<Token> tokens_;
};

bool Is(const Token &token, std::string_view punctuation)
{
    return token.Kind == TokenKind::Punctuation && token.Text == punctuation;
}

bool IsWord(const Token &token, std::string_view word)
{
    return token.Kind == TokenKind::Identifier && token.Text == word;
}

std::string Join(const std::vector<std::string> &parts)
{
    std::string joined;
    for (const std::string &part : parts) {
        if (part.empty())
            continue;
        if (!joined.empty())
            joined += "::";
        joined += part;
    }
    return joined;
}

// The arguments of a call: token ranges [first, last) between the commas at the call's own level.
struct Arguments
{
    std::vector<std::pair<std::size_t, std::size_t>> Ranges;
    std::size_t End = 0; // the closing parenthesis
};

std::optional<Arguments> ReadArguments(const std::vector<Token> &t, std::size_t open)
{
    Arguments arguments;
    int depth = 0;
    std::size_t start = open + 1;
    for (std::size_t i = open; i < t.size(); ++i) {
        if (t[i].Kind != TokenKind::Punctuation)
            continue;
        const std::string &p = t[i].Text;
        if (p == "(" || p == "[" || p == "{") {
            ++depth;
        } else if (p == ")" || p == "]" || p == "}") {
            if (--depth == 0) {
                if (i > start || !arguments.Ranges.empty())
                    arguments.Ranges.emplace_back(start, i);
                arguments.End = i;
                return arguments;
            }
            if (depth < 0)
                return std::nullopt;
        } else if (p == ";" && depth == 1) {
            return std::nullopt;
        } else if (p == "," && depth == 1) {
            arguments.Ranges.emplace_back(start, i);
            start = i + 1;
        }
    }
    return std::nullopt;
}

// An argument that is nothing but string literals (joined by "+" in JavaScript): their text.
std::optional<std::string> LiteralArgument(const std::vector<Token> &t,
                                           std::pair<std::size_t, std::size_t> range, bool javaScript)
{
    std::string text;
    bool any = false;
    bool expectLiteral = true;
    for (std::size_t i = range.first; i < range.second; ++i) {
        if (t[i].Kind == TokenKind::String && (expectLiteral || !javaScript)) {
            text += t[i].Text;
            any = true;
            expectLiteral = false;
        } else if (javaScript && Is(t[i], "+") && !expectLiteral) {
            expectLiteral = true;
        } else if (t[i].Kind != TokenKind::Note) {
            return std::nullopt;
        }
    }
    if (!any || (javaScript && expectLiteral))
        return std::nullopt;
    return text;
}

// A disambiguation argument: a literal, or a null pointer that means none.
std::optional<std::string> DisambiguationArgument(const std::vector<Token> &t,
                                                  std::pair<std::size_t, std::size_t> range, bool javaScript)
{
    if (auto literal = LiteralArgument(t, range, javaScript))
        return literal;
    if (range.second == range.first + 1) {
        const Token &token = t[range.first];
        if (token.Text == "nullptr" || token.Text == "NULL" || token.Text == "Q_NULLPTR" ||
            token.Text == "0" || token.Text == "null" || token.Text == "undefined")
            return std::string();
    }
    return std::nullopt;
}

enum class ScopeKind { Namespace, Class, Function, Block };

struct Scope
{
    ScopeKind Kind;
    std::string Name; // a namespace's or class's full name; the class of a member function
};

// Walks C++ tokens keeping the namespaces, classes and member functions around each point; the
// first pass fills a ClassIndex, the second places the messages.
class CppWalker final
{
public:
    // With collect, the walk only fills collect's index.
    CppWalker(std::string_view source, const ClassIndex &index, ClassIndex *collect)
        : t_(Tokenizer(source, false).Tokens())
        , index_(index)
        , collect_(collect)
    {
    }

    std::vector<SourceMessage> Walk(const std::string &displayName)
    {
        displayName_ = displayName;
        for (i_ = 0; i_ < t_.size(); ++i_) {
            const Token &token = t_[i_];
            if (token.Kind == TokenKind::Note) {
                note_ += note_.empty() ? token.Text : " " + token.Text;
                continue;
            }
            if (token.Kind == TokenKind::Identifier) {
                Identifier();
                continue;
            }
            if (token.Kind != TokenKind::Punctuation)
                continue;
            if (token.Text == "{") {
                OpenBrace();
            } else if (token.Text == "}") {
                if (!scopes_.empty())
                    scopes_.pop_back();
                StatementEnds();
            } else if (token.Text == ";") {
                StatementEnds();
            } else if ((token.Text == "(" || token.Text == "[" || token.Text == "=") && AtNamespaceLevel() &&
                       !pendingScope_ && !pendingMember_) {
                pendingMember_ = QualifierBefore(i_);
            }
        }
        return std::move(messages_);
    }

private:
    bool AtNamespaceLevel() const { return scopes_.empty() || scopes_.back().Kind == ScopeKind::Namespace; }

    void StatementEnds()
    {
        pendingScope_.reset();
        pendingMember_.reset();
        note_.clear();
    }

    std::vector<std::string> NamespacePath() const
    {
        std::vector<std::string> path;
        for (const Scope &scope : scopes_) {
            if (scope.Kind == ScopeKind::Namespace)
                path.push_back(scope.Name);
        }
        return path;
    }

    // The full name of a class or namespace declared here.
    std::string Enclosing() const
    {
        for (auto it = scopes_.rbegin(); it != scopes_.rend(); ++it) {
            if (it->Kind == ScopeKind::Namespace || it->Kind == ScopeKind::Class)
                return it->Name;
        }
        return {};
    }

    void OpenBrace()
    {
        if (pendingScope_) {
            scopes_.push_back(*pendingScope_);
            if (collect_ && pendingScope_->Kind == ScopeKind::Class)
                collect_->Known.insert(pendingScope_->Name);
        } else if (pendingMember_ && AtNamespaceLevel()) {
            scopes_.push_back({ScopeKind::Function, ResolveClass(*pendingMember_)});
        } else {
            scopes_.push_back({ScopeKind::Block, {}});
        }
        pendingScope_.reset();
        pendingMember_.reset();
    }

    // "A::B::name" before an opening parenthesis, bracket or "=" at namespace level: "A::B", the
    // class whose member is defined there.
    std::optional<std::string> QualifierBefore(std::size_t at) const
    {
        std::size_t j = at;
        if (j == 0)
            return std::nullopt;
        --j;
        // operator==, operator(), operator new...
        std::size_t k = j;
        while (k > 0 && j - k < 3 && t_[k].Kind == TokenKind::Punctuation)
            --k;
        if (IsWord(t_[k], "operator"))
            j = k;
        if (t_[j].Kind != TokenKind::Identifier)
            return std::nullopt;
        if (j > 0 && Is(t_[j - 1], "~"))
            --j;
        std::vector<std::string> parts;
        while (j >= 2 && Is(t_[j - 1], "::")) {
            std::size_t name = j - 2;
            if (Is(t_[name], ">")) { // Foo<T>::bar
                int depth = 0;
                for (; name > 0; --name) {
                    if (Is(t_[name], ">"))
                        ++depth;
                    else if (Is(t_[name], "<") && --depth == 0)
                        break;
                }
                if (name == 0)
                    return std::nullopt;
                --name;
            }
            if (t_[name].Kind != TokenKind::Identifier)
                break;
            parts.insert(parts.begin(), t_[name].Text);
            j = name;
        }
        if (parts.empty())
            return std::nullopt;
        return Join(parts);
    }

    // A class named as written here, as the index knows it: the innermost namespace that has it,
    // then the namespaces used; else as written.
    std::string ResolveClass(const std::string &written) const
    {
        if (written.starts_with("::"))
            return written.substr(2);
        std::vector<std::string> path = NamespacePath();
        std::string enclosing = Enclosing();
        while (true) {
            const std::string candidate = enclosing.empty() ? written : enclosing + "::" + written;
            if (index_.Known.contains(candidate))
                return candidate;
            const std::size_t cut = enclosing.rfind("::");
            if (enclosing.empty())
                break;
            enclosing = cut == std::string::npos ? std::string() : enclosing.substr(0, cut);
        }
        for (const std::string &used : usings_) {
            if (index_.Known.contains(used + "::" + written))
                return used + "::" + written;
        }
        return written;
    }

    // The context of tr() in a class: the innermost class around it that declares one, else the
    // class itself.
    std::string TrContextOf(const std::string &className) const
    {
        std::string name = className;
        while (!name.empty()) {
            if (const auto it = index_.TrContext.find(name); it != index_.TrContext.end())
                return it->second;
            const std::size_t cut = name.rfind("::");
            if (cut == std::string::npos)
                break;
            name = name.substr(0, cut);
            if (!index_.Known.contains(name))
                break;
        }
        return className;
    }

    std::optional<std::string> CurrentClass() const
    {
        for (auto it = scopes_.rbegin(); it != scopes_.rend(); ++it) {
            if (it->Kind == ScopeKind::Class || it->Kind == ScopeKind::Function)
                return it->Name;
            if (it->Kind == ScopeKind::Namespace)
                break;
        }
        if (pendingMember_)
            return ResolveClass(*pendingMember_); // a constructor's initialisers
        return std::nullopt;
    }

    std::optional<std::string> CurrentTrContext() const
    {
        const std::optional<std::string> className = CurrentClass();
        if (!className || className->empty())
            return std::nullopt;
        return TrContextOf(*className);
    }

    void Identifier()
    {
        const std::string &word = t_[i_].Text;
        if (word == "namespace") {
            NamespaceHead();
        } else if (word == "using" && i_ + 1 < t_.size() && IsWord(t_[i_ + 1], "namespace")) {
            std::string name;
            for (std::size_t j = i_ + 2; j < t_.size() && !Is(t_[j], ";"); ++j)
                name += t_[j].Text;
            if (name.starts_with("::"))
                name = name.substr(2);
            const std::string enclosing = Join(NamespacePath());
            if (!enclosing.empty() && !index_.Known.contains(name))
                usings_.push_back(enclosing + "::" + name);
            usings_.push_back(name);
        } else if ((word == "class" || word == "struct" || word == "union") &&
                   !(i_ > 0 && IsWord(t_[i_ - 1], "enum"))) {
            ClassHead();
        } else if (word == "extern" && i_ + 2 < t_.size() && t_[i_ + 1].Kind == TokenKind::String &&
                   Is(t_[i_ + 2], "{")) {
            pendingScope_ = Scope{ScopeKind::Namespace, Enclosing()};
        } else if ((word == "Q_OBJECT" || word == "Q_GADGET") && !scopes_.empty() &&
                   scopes_.back().Kind == ScopeKind::Class) {
            if (collect_)
                collect_->TrContext.emplace(scopes_.back().Name, scopes_.back().Name);
        } else if (word == "Q_DECLARE_TR_FUNCTIONS" && i_ + 3 < t_.size() && Is(t_[i_ + 1], "(")) {
            std::string context;
            std::size_t j = i_ + 2;
            for (; j < t_.size() && !Is(t_[j], ")"); ++j)
                context += t_[j].Text;
            if (collect_ && !scopes_.empty() && scopes_.back().Kind == ScopeKind::Class)
                collect_->TrContext.emplace(scopes_.back().Name, context);
            i_ = j;
        } else if (!collect_ && i_ + 1 < t_.size() && Is(t_[i_ + 1], "(")) {
            Call(word);
        }
    }

    void NamespaceHead()
    {
        std::vector<std::string> parts;
        std::size_t j = i_ + 1;
        for (; j < t_.size(); ++j) {
            if (t_[j].Kind == TokenKind::Identifier && t_[j].Text != "inline")
                parts.push_back(t_[j].Text);
            else if (!Is(t_[j], "::") && !IsWord(t_[j], "inline"))
                break;
        }
        if (j < t_.size() && Is(t_[j], "{")) {
            const std::string enclosing = Enclosing();
            const std::string name = Join(parts);
            pendingScope_ = Scope{ScopeKind::Namespace, enclosing.empty() ? name
                                                        : name.empty()    ? enclosing
                                                                          : enclosing + "::" + name};
            i_ = j - 1;
        }
    }

    void ClassHead()
    {
        std::size_t j = i_ + 1;
        std::string name;
        std::string chain;
        bool afterColons = false;
        for (; j < t_.size(); ++j) {
            const Token &token = t_[j];
            if (Is(token, "[") && j + 1 < t_.size() && Is(t_[j + 1], "[")) { // [[attributes]]
                while (j < t_.size() && !Is(t_[j], "]"))
                    ++j;
                ++j;
                continue;
            }
            if (IsWord(token, "alignas") && j + 1 < t_.size()) {
                if (auto arguments = ReadArguments(t_, j + 1))
                    j = arguments->End;
                continue;
            }
            if (token.Kind == TokenKind::Identifier) {
                if (token.Text == "final" || token.Text == "Q_DECL_FINAL")
                    continue;
                chain = afterColons ? chain + "::" + token.Text : token.Text;
                afterColons = false;
            } else if (Is(token, "::")) {
                afterColons = true;
            } else if (Is(token, "<") && !chain.empty()) { // a specialisation: Foo<int>
                int depth = 0;
                for (; j < t_.size(); ++j) {
                    if (Is(t_[j], "<"))
                        ++depth;
                    else if (Is(t_[j], ">") && --depth == 0)
                        break;
                }
            } else {
                break;
            }
            name = chain;
        }
        if (j >= t_.size())
            return;
        if (Is(t_[j], ":")) { // base classes
            int depth = 0;
            for (; j < t_.size(); ++j) {
                if (Is(t_[j], "(") || Is(t_[j], "<"))
                    ++depth;
                else if (Is(t_[j], ")") || Is(t_[j], ">"))
                    --depth;
                else if (depth <= 0 && (Is(t_[j], "{") || Is(t_[j], ";")))
                    break;
            }
        }
        if (j >= t_.size() || !Is(t_[j], "{"))
            return;
        std::string full;
        if (name.find("::") != std::string::npos && !name.starts_with("::")) {
            full = ResolveClass(name); // class Ns::Foo { ... } defined outside its namespace
            if (full == name) {
                const std::string enclosing = Enclosing();
                full = enclosing.empty() ? name : enclosing + "::" + name;
            }
        } else {
            const std::string enclosing = Enclosing();
            if (name.starts_with("::"))
                name = name.substr(2);
            full = name.empty() ? std::string() : enclosing.empty() ? name : enclosing + "::" + name;
        }
        pendingScope_ = Scope{ScopeKind::Class, full};
        pendingMember_.reset();
        i_ = j - 1;
    }

    void Call(const std::string &word)
    {
        static const std::set<std::string, std::less<>> names{"tr",
                                                              "trUtf8",
                                                              "translate",
                                                              "QT_TRANSLATE_NOOP",
                                                              "QT_TRANSLATE_NOOP3",
                                                              "QT_TRANSLATE_NOOP_UTF8",
                                                              "QT_TRANSLATE_NOOP3_UTF8",
                                                              "QT_TRANSLATE_N_NOOP",
                                                              "QT_TRANSLATE_N_NOOP3",
                                                              "QT_TR_NOOP",
                                                              "QT_TR_NOOP_UTF8",
                                                              "QT_TR_N_NOOP",
                                                              "TranslateText"};
        if (!names.contains(word))
            return;
        const std::optional<Arguments> arguments = ReadArguments(t_, i_ + 1);
        if (!arguments || arguments->Ranges.empty())
            return;
        const auto &ranges = arguments->Ranges;
        const Token &before = i_ > 0 ? t_[i_ - 1] : t_[i_];
        const bool member = i_ > 0 && (Is(before, ".") || Is(before, "->"));
        auto literal = [&](std::size_t n) {
            return n < ranges.size() ? LiteralArgument(t_, ranges[n], false) : std::nullopt;
        };
        auto disambiguation = [&](std::size_t n) -> std::optional<std::string> {
            return n < ranges.size() ? DisambiguationArgument(t_, ranges[n], false) : std::string();
        };

        if (word == "tr" || word == "trUtf8") {
            if (member && !(i_ >= 2 && IsWord(t_[i_ - 2], "this")))
                return;
            std::optional<std::string> context;
            if (i_ >= 2 && Is(before, "::")) {
                std::vector<std::string> parts;
                for (std::size_t j = i_ - 1;
                     j >= 1 && Is(t_[j], "::") && t_[j - 1].Kind == TokenKind::Identifier; j -= 2) {
                    parts.insert(parts.begin(), t_[j - 1].Text);
                    if (j < 3)
                        break;
                }
                if (!parts.empty())
                    context = TrContextOf(ResolveClass(Join(parts)));
            }
            if (!context)
                context = CurrentTrContext();
            const auto source = literal(0);
            const auto disambiguationText = disambiguation(1);
            if (context && source && disambiguationText)
                Emit(*context, *source, *disambiguationText, ranges.size() >= 3);
        } else if (word == "translate" || word == "QT_TRANSLATE_NOOP" || word == "QT_TRANSLATE_NOOP3" ||
                   word == "QT_TRANSLATE_NOOP_UTF8" || word == "QT_TRANSLATE_NOOP3_UTF8" ||
                   word == "QT_TRANSLATE_N_NOOP" || word == "QT_TRANSLATE_N_NOOP3") {
            const auto context = literal(0);
            const auto source = literal(1);
            const auto disambiguationText = disambiguation(2);
            const bool plural =
                word == "translate" ? ranges.size() >= 4 : word.find("_N_") != std::string::npos;
            if (context && source && disambiguationText)
                Emit(*context, *source, *disambiguationText, plural);
        } else if (word == "QT_TR_NOOP" || word == "QT_TR_NOOP_UTF8" || word == "QT_TR_N_NOOP") {
            const auto context = CurrentTrContext();
            const auto source = literal(0);
            if (context && source)
                Emit(*context, *source, {}, word == "QT_TR_N_NOOP");
        } else if (word == "TranslateText") {
            TranslateTextCall(ranges.front());
        }
    }

    // TranslateText(QStringLiteral("...")), TranslateText(u"a" "b"_s): wrappers around literals.
    void TranslateTextCall(std::pair<std::size_t, std::size_t> range)
    {
        std::size_t first = range.first;
        std::size_t last = range.second;
        while (first + 2 < last && t_[first].Kind == TokenKind::Identifier) {
            std::size_t open = first + 1;
            while (open + 1 < last && Is(t_[open], "::") && t_[open + 1].Kind == TokenKind::Identifier)
                open += 2;
            if (!Is(t_[open], "(") || !Is(t_[last - 1], ")"))
                return;
            first = open + 1;
            --last;
        }
        if (const auto text = LiteralArgument(t_, {first, last}, false); text && !text->empty()) {
            SourceMessage message;
            message.Source = *text;
            message.ByText = true;
            messages_.push_back(std::move(message));
        }
    }

    void Emit(const std::string &context, const std::string &source, const std::string &disambiguation,
              bool count)
    {
        if (source.empty())
            return;
        SourceMessage message;
        message.Context = context;
        message.Source = source;
        message.Disambiguation = disambiguation;
        message.Comment = note_;
        message.Location = displayName_ + ":" + std::to_string(t_[i_].Line);
        message.Plural = count && source.find("%n") != std::string::npos;
        note_.clear();
        messages_.push_back(std::move(message));
    }

    std::vector<Token> t_;
    const ClassIndex &index_;
    ClassIndex *collect_;
    std::size_t i_ = 0;
    std::vector<Scope> scopes_;
    std::optional<Scope> pendingScope_;        // what the next "{" opens
    std::optional<std::string> pendingMember_; // "Foo" of "void Foo::bar(" before its body
    std::vector<std::string> usings_;
    std::string note_; // "//:" lines waiting for their message
    std::string displayName_;
    std::vector<SourceMessage> messages_;
};

} // namespace

void IndexCppClasses(std::string_view source, ClassIndex &index)
{
    CppWalker(source, index, &index).Walk({});
}

std::vector<SourceMessage> ScanCppMessages(std::string_view source, const std::string &displayName,
                                           const ClassIndex &index)
{
    return CppWalker(source, index, nullptr).Walk(displayName);
}

std::vector<SourceMessage> ScanQmlMessages(std::string_view source, const std::string &displayName,
                                           const std::string &fileContext)
{
    const std::vector<Token> t = Tokenizer(source, true).Tokens();
    std::vector<SourceMessage> messages;
    std::string note;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i].Kind == TokenKind::Note) {
            note += note.empty() ? t[i].Text : " " + t[i].Text;
            continue;
        }
        if (Is(t[i], ";") || Is(t[i], "}")) {
            note.clear();
            continue;
        }
        if (t[i].Kind != TokenKind::Identifier || i + 1 >= t.size() || !Is(t[i + 1], "("))
            continue;
        const std::string &word = t[i].Text;
        const bool own = word == "qsTr" || word == "QT_TR_NOOP" || word == "qsTrNoOp";
        const bool named = word == "qsTranslate" || word == "QT_TRANSLATE_NOOP" || word == "qsTranslateNoOp";
        if (!own && !named)
            continue;
        const std::optional<Arguments> arguments = ReadArguments(t, i + 1);
        if (!arguments)
            continue;
        const auto &ranges = arguments->Ranges;
        const std::size_t first = named ? 1 : 0;
        if (ranges.size() <= first)
            continue;
        const std::optional<std::string> context =
            named ? LiteralArgument(t, ranges[0], true) : std::optional<std::string>(fileContext);
        const std::optional<std::string> text = LiteralArgument(t, ranges[first], true);
        const std::optional<std::string> disambiguation =
            ranges.size() > first + 1 ? DisambiguationArgument(t, ranges[first + 1], true) : std::string();
        if (!context || !text || !disambiguation || text->empty())
            continue;
        SourceMessage message;
        message.Context = *context;
        message.Source = *text;
        message.Disambiguation = *disambiguation;
        message.Comment = note;
        message.Location = displayName + ":" + std::to_string(t[i].Line);
        message.Plural = ranges.size() > first + 2 && text->find("%n") != std::string::npos;
        note.clear();
        messages.push_back(std::move(message));
    }
    return messages;
}

} // namespace verbaria::tool

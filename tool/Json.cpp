#include "tool/Json.h"

namespace verbaria::tool {

void AppendJsonString(std::string &out, std::string_view text)
{
    static constexpr char Hex[] = "0123456789abcdef";
    out += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            out += "\\u00";
            out += Hex[byte >> 4];
            out += Hex[byte & 15];
        } else {
            out += c;
        }
    }
    out += '"';
}

JsonWriter::JsonWriter(std::string &out)
    : out_(out)
{
}

void JsonWriter::BeforeValue()
{
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (open_.empty())
        return;
    Open &open = open_.back();
    if (!open.Object)
        out_ += open.Count == 0 ? open.Layout.BeforeFirst : open.Layout.Between;
    ++open.Count;
}

JsonWriter &JsonWriter::BeginArray(JsonArrayLayout layout)
{
    BeforeValue();
    out_ += '[';
    open_.push_back({false, layout, 0});
    return *this;
}

JsonWriter &JsonWriter::EndArray()
{
    if (open_.back().Count > 0)
        out_ += open_.back().Layout.AfterLast;
    out_ += ']';
    open_.pop_back();
    return *this;
}

JsonWriter &JsonWriter::BeginObject()
{
    BeforeValue();
    out_ += '{';
    open_.push_back({true, {}, 0});
    return *this;
}

JsonWriter &JsonWriter::EndObject()
{
    out_ += '}';
    open_.pop_back();
    return *this;
}

JsonWriter &JsonWriter::Key(std::string_view key)
{
    Open &open = open_.back();
    if (open.Count++ > 0)
        out_ += ", ";
    AppendJsonString(out_, key);
    out_ += ": ";
    afterKey_ = true;
    return *this;
}

JsonWriter &JsonWriter::String(std::string_view text)
{
    BeforeValue();
    AppendJsonString(out_, text);
    return *this;
}

JsonWriter &JsonWriter::Number(std::int64_t number)
{
    BeforeValue();
    out_ += std::to_string(number);
    return *this;
}

} // namespace verbaria::tool

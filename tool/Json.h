#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The JSON every command prints: strings escaped one way (", \ and control characters; bytes from
// 0x80 up pass as they are, so UTF-8 stays UTF-8), objects and arrays, whole numbers.
namespace verbaria::tool {

// TEXT as a JSON string, quotes included, appended to OUT.
void AppendJsonString(std::string &out, std::string_view text);

// Where an array puts line breaks: before its first element, between two, after its last. An
// empty array is always "[]".
struct JsonArrayLayout
{
    std::string_view BeforeFirst;
    std::string_view Between = ",";
    std::string_view AfterLast;
};

// Appends to a string. Members of an object are written "\"key\": value", separated by ", ".
class JsonWriter final
{
public:
    explicit JsonWriter(std::string &out);

    JsonWriter &BeginArray(JsonArrayLayout layout = {});
    JsonWriter &EndArray();
    JsonWriter &BeginObject();
    JsonWriter &EndObject();
    // The key of the next member of the open object.
    JsonWriter &Key(std::string_view key);
    JsonWriter &String(std::string_view text);
    JsonWriter &Number(std::int64_t number);

    JsonWriter &Member(std::string_view key, std::string_view text) { return Key(key).String(text); }
    JsonWriter &Member(std::string_view key, std::int64_t number) { return Key(key).Number(number); }

private:
    struct Open
    {
        bool Object = false;
        JsonArrayLayout Layout;
        std::size_t Count = 0;
    };
    // Before a value: the separator the open array or object asks for.
    void BeforeValue();

    std::string &out_;
    std::vector<Open> open_;
    bool afterKey_ = false;
};

} // namespace verbaria::tool

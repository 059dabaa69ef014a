#pragma once
// A small streaming JSON writer: objects, arrays, strings (UTF-16 text in, UTF-8 out, with lone
// surrogates kept as \u escapes), integers, doubles, booleans and null. Commas are placed by the
// writer; the caller only nests correctly.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The shortest "%g" text that reads back as the same double.
std::string ShortestDouble(double value);

class JsonWriter {
public:
    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    // The key of the next value inside an object.
    void Key(const char* key);

    void String(const std::wstring& text);
    void String(const std::string& ascii);
    void OptionalString(const std::optional<std::wstring>& text);  // null when absent
    void Int(int64_t value);
    void Double(double value);
    void Bool(bool value);
    void Null();

    const std::string& Text() const { return out_; }

private:
    void BeforeValue();
    void Indent();
    void AppendQuoted(const std::wstring& text);

    std::string out_;
    std::vector<bool> first_;  // per open container: nothing written in it yet
    bool afterKey_ = false;
};

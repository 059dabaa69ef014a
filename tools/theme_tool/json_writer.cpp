#include "tools/theme_tool/json_writer.h"

#include <cstdio>
#include <cstdlib>

namespace {

void AppendUtf8(std::string& out, uint32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

void AppendEscape(std::string& out, uint32_t unit) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "\\u%04x", unit);
    out += buffer;
}

}  // namespace

void JsonWriter::Indent() {
    out_.push_back('\n');
    out_.append(first_.size() * 2, ' ');
}

void JsonWriter::BeforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (first_.empty()) return;
    if (!first_.back()) out_.push_back(',');
    first_.back() = false;
    Indent();
}

void JsonWriter::BeginObject() {
    BeforeValue();
    out_.push_back('{');
    first_.push_back(true);
}

void JsonWriter::EndObject() {
    bool empty = first_.back();
    first_.pop_back();
    if (!empty) Indent();
    out_.push_back('}');
}

void JsonWriter::BeginArray() {
    BeforeValue();
    out_.push_back('[');
    first_.push_back(true);
}

void JsonWriter::EndArray() {
    bool empty = first_.back();
    first_.pop_back();
    if (!empty) Indent();
    out_.push_back(']');
}

void JsonWriter::Key(const char* key) {
    BeforeValue();
    std::string ascii(key);
    AppendQuoted(std::wstring(ascii.begin(), ascii.end()));
    out_ += ": ";
    afterKey_ = true;
}

void JsonWriter::String(const std::wstring& text) {
    BeforeValue();
    AppendQuoted(text);
}

void JsonWriter::AppendQuoted(const std::wstring& text) {
    out_.push_back('"');
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t unit = static_cast<uint32_t>(text[i]) & 0xFFFF;
        if (unit == '"' || unit == '\\') {
            out_.push_back('\\');
            out_.push_back(static_cast<char>(unit));
        } else if (unit == '\n') {
            out_ += "\\n";
        } else if (unit == '\r') {
            out_ += "\\r";
        } else if (unit == '\t') {
            out_ += "\\t";
        } else if (unit < 0x20) {
            AppendEscape(out_, unit);
        } else if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < text.size() &&
                   (static_cast<uint32_t>(text[i + 1]) & 0xFFFF) >= 0xDC00 &&
                   (static_cast<uint32_t>(text[i + 1]) & 0xFFFF) < 0xE000) {
            uint32_t low = static_cast<uint32_t>(text[++i]) & 0xFFFF;
            AppendUtf8(out_, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        } else if (unit >= 0xD800 && unit < 0xE000) {
            AppendEscape(out_, unit);  // a lone surrogate has no UTF-8 form
        } else {
            AppendUtf8(out_, unit);
        }
    }
    out_.push_back('"');
}

void JsonWriter::String(const std::string& ascii) {
    std::wstring wide(ascii.begin(), ascii.end());
    String(wide);
}

void JsonWriter::OptionalString(const std::optional<std::wstring>& text) {
    if (text) {
        String(*text);
    } else {
        Null();
    }
}

void JsonWriter::Int(int64_t value) {
    BeforeValue();
    out_ += std::to_string(value);
}

void JsonWriter::Double(double value) {
    BeforeValue();
    out_ += ShortestDouble(value);
}

std::string ShortestDouble(double value) {
    char buffer[40];
    for (int precision = 15; precision <= 17; ++precision) {
        std::snprintf(buffer, sizeof buffer, "%.*g", precision, value);
        if (std::strtod(buffer, nullptr) == value) break;
    }
    return buffer;
}

void JsonWriter::Bool(bool value) {
    BeforeValue();
    out_ += value ? "true" : "false";
}

void JsonWriter::Null() {
    BeforeValue();
    out_ += "null";
}

#include "platform/sdl/settings/KeptText.h"

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t'; }

std::string trimmed(const std::string& s) {
    std::size_t begin = 0;
    std::size_t end = s.size();
    while (begin < end && isSpace(s[begin])) ++begin;
    while (end > begin && isSpace(s[end - 1])) --end;
    return s.substr(begin, end - begin);
}

bool isNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-' || c == '.';
}

// One line without its end: blank, a comment, or `name = value` (name and
// value then set). False, with what is wrong, for anything else.
bool readLine(const std::string& raw, std::string* name, std::string* value, std::string* error) {
    for (const char c : raw) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && c != '\t') || byte == 0x7F) {
            *error = "a control character";
            return false;
        }
    }
    const std::string body = trimmed(raw);
    if (body.empty() || body[0] == '#' || body[0] == ';') return true;
    const std::size_t equals = body.find('=');
    *name = trimmed(body.substr(0, equals == std::string::npos ? 0 : equals));
    bool named = equals != std::string::npos && !name->empty();
    for (const char c : *name) named = named && isNameChar(c);
    if (!named) {
        *error = "not 'name = value'";
        return false;
    }
    *value = trimmed(body.substr(equals + 1));
    return true;
}

}  // namespace

bool KeptText::parse(const std::string& text, std::string* error) {
    lines_.clear();
    if (text.size() > kLimit) {
        *error = "larger than " + std::to_string(kLimit / 1024) + " KiB";
        return false;
    }
    // A byte order mark, as some editors write, stays with the first line.
    const bool marked = text.compare(0, 3, "\xEF\xBB\xBF") == 0;
    std::size_t start = 0;
    int number = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string raw = text.substr(start, end - start);
        start = end + 1;
        ++number;
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        Line line;
        if (!readLine(marked && number == 1 ? raw.substr(3) : raw, &line.name, &line.value,
                      error)) {
            *error = "line " + std::to_string(number) + ": " + *error;
            lines_.clear();
            return false;
        }
        line.raw = std::move(raw);
        lines_.push_back(std::move(line));
    }
    return true;
}

const std::string* KeptText::find(const std::string& name) const {
    for (const Line& line : lines_) {
        if (line.name == name) return &line.value;
    }
    return nullptr;
}

std::vector<std::string> KeptText::findAll(const std::string& name) const {
    std::vector<std::string> values;
    for (const Line& line : lines_) {
        if (line.name == name) values.push_back(line.value);
    }
    return values;
}

void KeptText::set(const std::string& name, const std::string& value) { setAll(name, {value}); }

void KeptText::setAll(const std::string& name, const std::vector<std::string>& values) {
    std::size_t at = 0;
    bool found = false;
    for (std::size_t i = 0; i < lines_.size();) {
        if (lines_[i].name == name) {
            if (!found) at = i;
            found = true;
            lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
    if (!found) at = lines_.size();
    std::vector<Line> fresh;
    for (const std::string& value : values) {
        Line line;
        line.name = name;
        line.value = value;
        line.rewritten = true;
        fresh.push_back(std::move(line));
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), fresh.begin(), fresh.end());
}

std::string KeptText::text() const {
    std::string out;
    for (const Line& line : lines_) {
        out += line.rewritten ? line.name + " = " + line.value : line.raw;
        out += '\n';
    }
    return out;
}

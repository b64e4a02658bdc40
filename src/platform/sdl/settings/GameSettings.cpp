#include "platform/sdl/settings/GameSettings.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

bool readSwitch(const std::string& value, bool* on) {
    if (value == "yes" || value == "on" || value == "true" || value == "1") {
        *on = true;
    } else if (value == "no" || value == "off" || value == "false" || value == "0") {
        *on = false;
    } else {
        return false;
    }
    return true;
}

std::string switchText(bool on) { return on ? "yes" : "no"; }

// A whole number within [low, high], then the separator (or the end).
bool readNumber(const char** at, long low, long high, char separator, int* out) {
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(*at, &end, 10);
    if (end == *at || errno != 0 || value < low || value > high || *end != separator) {
        return false;
    }
    *out = static_cast<int>(value);
    *at = separator == '\0' ? end : end + 1;
    return true;
}

bool readPair(const std::string& value, char separator, long low, long high, int* a, int* b) {
    const char* at = value.c_str();
    int first = 0;
    int second = 0;
    if (!readNumber(&at, low, high, separator, &first) ||
        !readNumber(&at, low, high, '\0', &second))
        return false;
    *a = first;
    *b = second;
    return true;
}

// The settings the file keeps. A file that never had a line (a volume, a
// window size) gets it only once the player changes that setting.
const std::vector<SettingLine> kSettings = {
    {"fullscreen",
     [](const std::string& v, GameSettings* s) { return readSwitch(v, &s->fullScreen); },
     [](const GameSettings& s) { return switchText(s.fullScreen); }},
    {"window-size",
     [](const std::string& v, GameSettings* s) {
         return readPair(v, 'x', 1, 32767, &s->windowWidth, &s->windowHeight);
     },
     [](const GameSettings& s) {
         return s.windowWidth > 0 && s.windowHeight > 0
                    ? std::to_string(s.windowWidth) + "x" + std::to_string(s.windowHeight)
                    : std::string();
     }},
    {"window-position",
     [](const std::string& v, GameSettings* s) {
         if (!readPair(v, ',', -32768, 32767, &s->windowX, &s->windowY)) return false;
         s->windowPlaced = true;
         return true;
     },
     [](const GameSettings& s) {
         return s.windowPlaced ? std::to_string(s.windowX) + "," + std::to_string(s.windowY)
                               : std::string();
     }},
    {"integer-scale",
     [](const std::string& v, GameSettings* s) { return readSwitch(v, &s->integerScale); },
     [](const GameSettings& s) { return switchText(s.integerScale); }},
    {"mute", [](const std::string& v, GameSettings* s) { return readSwitch(v, &s->mute); },
     [](const GameSettings& s) { return switchText(s.mute); }},
    {"volume",
     [](const std::string& v, GameSettings* s) {
         const char* at = v.c_str();
         return readNumber(&at, 0, GameSettings::kFullVolume, '\0', &s->volume);
     },
     [](const GameSettings& s) { return std::to_string(s.volume); }},
};

// Reads each known value into `read`; a value that is not one of its name's
// leaves the default, and its line is named in `bad`.
void readEach(const KeptText& text, GameSettings* read, std::vector<std::string>* bad) {
    for (const SettingLine& line : kSettings) {
        const std::string* value = text.find(line.name);
        if (value && !line.read(*value, read))
            bad->push_back(std::string(line.name) + " = " + *value);
    }
}

}  // namespace

const std::vector<SettingLine>& settingLines() { return kSettings; }

std::vector<const char*> SettingsFile::allSettings() {
    std::vector<const char*> names;
    names.reserve(kSettings.size());
    for (const SettingLine& line : kSettings) names.push_back(line.name);
    return names;
}

std::vector<const char*> changedSettings(const GameSettings& before, const GameSettings& after) {
    std::vector<const char*> names;
    for (const SettingLine& line : kSettings) {
        if (line.write(before) != line.write(after)) names.push_back(line.name);
    }
    return names;
}

bool GameSettings::operator==(const GameSettings& other) const {
    return changedSettings(*this, other).empty();
}

bool readSettings(const KeptText& text, GameSettings* settings, std::string* error) {
    GameSettings read;
    std::vector<std::string> bad;
    readEach(text, &read, &bad);
    *settings = read;
    if (bad.empty()) return true;
    const std::string& first = bad.front();
    const std::string name = first.substr(0, first.find(' '));
    *error = first + ": not a value of " + name;
    return false;
}

bool dropUnreadSettings(KeptText* text, std::string* dropped) {
    dropped->clear();
    bool any = false;
    for (const SettingLine& line : kSettings) {
        const std::string* value = text->find(line.name);
        GameSettings ignored;
        if (!value || line.read(*value, &ignored)) continue;
        *dropped += (any ? ", " : "") + std::string(line.name) + " = " + *value;
        text->setAll(line.name, {});
        any = true;
    }
    return any;
}

void writeSettings(const GameSettings& settings, KeptText* text,
                   const std::vector<const char*>& names) {
    for (const SettingLine& line : kSettings) {
        bool named = false;
        for (const char* name : names) named = named || std::strcmp(name, line.name) == 0;
        const std::string value = line.write(settings);
        if (named && !value.empty()) text->set(line.name, value);
    }
}

SettingsFile::SettingsFile(KeptFile::Complaint complain)
    : SettingsFile(configFolder().empty() ? std::string() : configFolder() + "/settings.ini",
                   std::move(complain)) {}

SettingsFile::SettingsFile(std::string path, KeptFile::Complaint complain)
    : file_(
          std::move(path), "settings",
          [](const KeptText& text, std::string* error) {
              GameSettings ignored;
              return readSettings(text, &ignored, error);
          },
          std::move(complain),
          [](KeptText& text, std::string* dropped) { return dropUnreadSettings(&text, dropped); }) {
}

GameSettings SettingsFile::load() {
    GameSettings settings;
    std::string error;
    // The file's check has passed by now, or its lines are empty.
    readSettings(file_.load(), &settings, &error);
    return settings;
}

bool SettingsFile::save(const GameSettings& settings, const std::vector<const char*>& names,
                        bool* busy) {
    return file_.update([&](KeptText& text) { writeSettings(settings, &text, names); }, busy);
}

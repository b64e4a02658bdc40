#include "platform/sdl/settings/GameSettings.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

namespace {

constexpr const char* kFullScreen = "fullscreen";
constexpr const char* kWindowSize = "window-size";
constexpr const char* kWindowPlace = "window-position";
constexpr const char* kIntegerScale = "integer-scale";
constexpr const char* kMute = "mute";
constexpr const char* kVolume = "volume";

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
    return readNumber(&at, low, high, separator, a) && readNumber(&at, low, high, '\0', b);
}

// `volume = 0` to `volume = 10`; none kept leaves the full volume. False,
// with the volume left as it was, for a value that is none of those.
bool readVolume(const KeptText& text, int* volume, std::string* bad) {
    const std::string* value = text.find(kVolume);
    if (!value) return true;
    const char* at = value->c_str();
    int level = 0;
    if (readNumber(&at, 0, GameSettings::kFullVolume, '\0', &level)) {
        *volume = level;
        return true;
    }
    *bad = std::string(kVolume) + " = " + *value;
    return false;
}

}  // namespace

bool GameSettings::operator==(const GameSettings& other) const {
    return fullScreen == other.fullScreen && windowX == other.windowX && windowY == other.windowY &&
           windowWidth == other.windowWidth && windowHeight == other.windowHeight &&
           windowPlaced == other.windowPlaced && integerScale == other.integerScale &&
           mute == other.mute && volume == other.volume;
}

namespace {

// Reads each known value into `read`; a value that is not one of its name's
// leaves the default, and its line is named in `bad`.
void readEach(const KeptText& text, GameSettings* read, std::vector<std::string>* bad) {
    const auto unread = [&](const char* name, const std::string& value) {
        bad->push_back(std::string(name) + " = " + value);
    };
    for (const auto& name : {kFullScreen, kIntegerScale, kMute}) {
        const std::string* value = text.find(name);
        bool* field = name == kFullScreen     ? &read->fullScreen
                      : name == kIntegerScale ? &read->integerScale
                                              : &read->mute;
        bool on = *field;
        if (value && !readSwitch(*value, &on)) {
            unread(name, *value);
        } else {
            *field = on;
        }
    }
    if (const std::string* value = text.find(kWindowSize)) {
        int width = 0;
        int height = 0;
        if (readPair(*value, 'x', 1, 32767, &width, &height)) {
            read->windowWidth = width;
            read->windowHeight = height;
        } else {
            unread(kWindowSize, *value);
        }
    }
    std::string badVolume;
    if (!readVolume(text, &read->volume, &badVolume)) bad->push_back(badVolume);
    if (const std::string* value = text.find(kWindowPlace)) {
        int x = 0;
        int y = 0;
        if (readPair(*value, ',', -32768, 32767, &x, &y)) {
            read->windowX = x;
            read->windowY = y;
            read->windowPlaced = true;
        } else {
            unread(kWindowPlace, *value);
        }
    }
}

bool isKnown(const std::string& line, const char* name) {
    return line.compare(0, std::strlen(name), name) == 0 && line[std::strlen(name)] == ' ';
}

}  // namespace

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
    GameSettings ignored;
    std::vector<std::string> bad;
    readEach(*text, &ignored, &bad);
    dropped->clear();
    for (const std::string& line : bad) {
        for (const char* name :
             {kFullScreen, kIntegerScale, kMute, kWindowSize, kWindowPlace, kVolume}) {
            if (isKnown(line, name)) text->setAll(name, {});
        }
        if (!dropped->empty()) *dropped += ", ";
        *dropped += line;
    }
    return !bad.empty();
}

void writeSettings(const GameSettings& settings, KeptText* text) {
    text->set(kFullScreen, settings.fullScreen ? "yes" : "no");
    if (settings.windowWidth > 0 && settings.windowHeight > 0) {
        text->set(kWindowSize, std::to_string(settings.windowWidth) + "x" +
                                   std::to_string(settings.windowHeight));
    }
    if (settings.windowPlaced) {
        text->set(kWindowPlace,
                  std::to_string(settings.windowX) + "," + std::to_string(settings.windowY));
    }
    text->set(kIntegerScale, settings.integerScale ? "yes" : "no");
    text->set(kMute, settings.mute ? "yes" : "no");
    // A file that never had a volume gets one once the player changes it.
    if (settings.volume != GameSettings::kFullVolume || text->find(kVolume)) {
        text->set(kVolume, std::to_string(settings.volume));
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

bool SettingsFile::save(const GameSettings& settings) {
    return file_.update([&](KeptText& text) { writeSettings(settings, &text); });
}

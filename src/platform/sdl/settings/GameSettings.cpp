#include "platform/sdl/settings/GameSettings.h"

#include <cerrno>
#include <cstdlib>
#include <utility>

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

// `volume = 0` to `volume = 10`; none kept leaves the full volume.
bool readVolume(const KeptText& text, int* volume, std::string* error) {
    const std::string* value = text.find(kVolume);
    if (!value) return true;
    const char* at = value->c_str();
    if (readNumber(&at, 0, GameSettings::kFullVolume, '\0', volume)) return true;
    *error = std::string(kVolume) + " = " + *value + ": not a value of " + kVolume;
    return false;
}

}  // namespace

bool GameSettings::operator==(const GameSettings& other) const {
    return fullScreen == other.fullScreen && windowX == other.windowX && windowY == other.windowY &&
           windowWidth == other.windowWidth && windowHeight == other.windowHeight &&
           windowPlaced == other.windowPlaced && integerScale == other.integerScale &&
           mute == other.mute && volume == other.volume;
}

bool readSettings(const KeptText& text, GameSettings* settings, std::string* error) {
    GameSettings read;
    const auto fail = [&](const char* name, const std::string& value) {
        *error = std::string(name) + " = " + value + ": not a value of " + name;
        return false;
    };
    for (const auto& name : {kFullScreen, kIntegerScale, kMute}) {
        const std::string* value = text.find(name);
        bool* field = name == kFullScreen     ? &read.fullScreen
                      : name == kIntegerScale ? &read.integerScale
                                              : &read.mute;
        if (value && !readSwitch(*value, field)) return fail(name, *value);
    }
    if (const std::string* value = text.find(kWindowSize)) {
        if (!readPair(*value, 'x', 1, 32767, &read.windowWidth, &read.windowHeight)) {
            return fail(kWindowSize, *value);
        }
    }
    if (const std::string* value = text.find(kWindowPlace)) {
        if (!readPair(*value, ',', -32768, 32767, &read.windowX, &read.windowY)) {
            return fail(kWindowPlace, *value);
        }
        read.windowPlaced = true;
    }
    if (!readVolume(text, &read.volume, error)) return false;
    *settings = read;
    return true;
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
          std::move(complain)) {}

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

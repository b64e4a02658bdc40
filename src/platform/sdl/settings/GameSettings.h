#pragma once

#include <string>
#include <vector>

#include "platform/sdl/settings/KeptFile.h"

// What a Linux player changes in the game and finds again at the next start:
// `settings.ini` in the configuration folder. The defaults are the fields'
// own; kSettings (GameSettings.cpp) says how each is read and written.
struct GameSettings {
    bool fullScreen = true;
    // The window's place and size when last in window mode; a width of 0
    // means none was kept yet (the game then picks one).
    int windowX = 0;
    int windowY = 0;
    int windowWidth = 0;
    int windowHeight = 0;
    bool windowPlaced = false;  // windowX and windowY were kept
    bool integerScale = false;
    bool mute = false;
    int volume = kFullVolume;  // 0 (silence) to kFullVolume
    static constexpr int kFullVolume = 10;

    bool operator==(const GameSettings& other) const;
    bool operator!=(const GameSettings& other) const { return !(*this == other); }
};

// One line of the settings file: its name, how its value is read into the
// settings (false for a value that is not one of its own, the settings then
// left as they were) and how it is written (empty: nothing to write yet).
struct SettingLine {
    const char* name;
    bool (*read)(const std::string& value, GameSettings* settings);
    std::string (*write)(const GameSettings& settings);
};
// Every setting the file keeps: reading, dropping bad values, comparing and
// writing all go through this one list.
const std::vector<SettingLine>& settingLines();

// The names of the settings that differ between two views.
std::vector<const char*> changedSettings(const GameSettings& before, const GameSettings& after);

// The settings file: read once at the start, rewritten at each change. A
// value the game cannot read (`mute = perhaps`) is ignored, with one line on
// stderr: its line is taken out, a copy of the file as it was is kept aside,
// and every other line and comment stays.
class SettingsFile {
public:
    // The file in configFolder(); `complain` as for KeptFile.
    explicit SettingsFile(KeptFile::Complaint complain = {});
    SettingsFile(std::string path, KeptFile::Complaint complain);

    // The saved settings, or the defaults where there are none.
    GameSettings load();
    // Writes the named settings' values from `settings` onto the file as it
    // is now, keeping its other lines, so that what another copy of the
    // game saved meanwhile stays. `busy` as for KeptFile::update.
    bool save(const GameSettings& settings, const std::vector<const char*>& names,
              bool* busy = nullptr);
    // Writes every setting.
    bool save(const GameSettings& settings) { return save(settings, allSettings()); }

    const std::string& path() const { return file_.path(); }
    void setLockWait(int milliseconds) { file_.setLockWait(milliseconds); }
    static std::vector<const char*> allSettings();

private:
    KeptFile file_;
};

// Reads the settings from the file's lines. False, with `error`, when a
// known name holds a value that is not one of its own; the other values are
// read all the same.
bool readSettings(const KeptText& text, GameSettings* settings, std::string* error);
// Takes out the lines of known names whose values are not their own,
// naming them in `dropped`; false when there were none.
bool dropUnreadSettings(KeptText* text, std::string* dropped);
// Writes the named settings (all, by default) into the file's lines.
void writeSettings(const GameSettings& settings, KeptText* text,
                   const std::vector<const char*>& names = SettingsFile::allSettings());

#pragma once

#include <filesystem>
#include <string>

namespace VSTGUI
{
// A small per-user settings file of an application's editor: "key=value" lines in editor.ini,
// in the user's configuration folder ($XDG_CONFIG_HOME/<application>/, else
// ~/.config/<application>/; %APPDATA%\<application>\ on Windows). Nothing in it belongs to a
// plug-in's state: it holds the user's preferences for how the editor looks.
class UserSettings
{
  public:
    explicit UserSettings(const std::string& application);

    // The value of key, or empty text when the file or the key is missing.
    std::string read(const std::string& key) const;
    // Sets key to value (empty value: removes it), keeping the other keys; false when the file
    // cannot be written.
    bool write(const std::string& key, const std::string& value) const;

    const std::filesystem::path& file() const { return m_file; }

    // The user's configuration folder of the window system (platform/x11, platform/win32);
    // empty when the environment names none.
    static std::filesystem::path configurationFolder();

  private:
    std::filesystem::path m_file;
};
} // namespace VSTGUI

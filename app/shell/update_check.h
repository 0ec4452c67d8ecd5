#pragma once
// The update check: it stores today as the day of the last check, asks whether
// to look for a new version and, on Yes, opens the product's update page in the web browser
// with the edition and version in the query. The program itself downloads nothing: the page
// decides whether a newer version exists.

#include <functional>
#include <string>
#include <string_view>

#include "foundation/settings_storage.h"
#include "platform/windows_api.h"

inline constexpr char16_t kUpdateQuestion[] =
    u"Check for New Version? (Internet connection required)";

// The environment variable that is set when the program runs from a U3 smart drive.
inline constexpr char kU3DeviceSerialVariable[] = "U3_DEVICE_SERIAL";

// The update request for a given value of "U3_DEVICE_SERIAL" (empty when not set):
//   <update page>update.php?product=pro&version=2.3&s=1
//   <update page>update.php?product=pro&platform=u3&version=2.3&s=1   (non-empty serial)
std::string UpdateAddress(std::string_view u3DeviceSerial);

// The update request of this process: "U3_DEVICE_SERIAL" read with ReadEnvironmentVariable,
// so that a value of 4096 characters or more counts as empty.
std::string CurrentUpdateAddress();

// Opens a web address in the browser, with the shell verb `verb` (null for the default).
// Its result is not checked: without a browser or a connection nothing happens.
using UrlOpener = std::function<void(const char* verb, const std::string& address)>;

// The check with the opener given: stores today's whole day number as "LastUpdatesCheck"
// in `settings` before anything is asked (so declining also postpones the next automatic
// check), asks kUpdateQuestion with Yes and No (question_box.h) owned by `owner`, and on
// Yes opens CurrentUpdateAddress() with the verb "open". Portable; tested natively.
void RunUpdateCheck(HWND owner, Settings::CSettingsStorage& settings, const UrlOpener& open);

// The check as the program runs it: RunUpdateCheck with OpenUrl. Windows only.
void CheckForUpdates(HWND owner, Settings::CSettingsStorage& settings);

// Opens `address` with ShellExecuteA (no owner, `verb`, no parameters, no folder,
// SW_SHOWNORMAL), or through the opener that tests put in its place. Windows only.
void OpenUrl(const char* verb, const std::string& address);

// Puts `opener` in the place of the shell (an empty one restores it) and returns the one
// before. Tests use it so that no browser opens. Windows only.
UrlOpener SetUrlOpener(UrlOpener opener);

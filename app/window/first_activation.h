#pragma once
// What the first activation of the main window does after loading the data and joining
// the clipboard-viewer chain.

enum class EStartAction {
  kNothing,
  kOpenSettings,     // the first run of the program with these settings
  kCheckForUpdates,  // more than kUpdateCheckIntervalDays since the last check
};

inline constexpr int kUpdateCheckIntervalDays = 7;

// `today` and `lastCheck` are day counts; only their whole days count. A first run opens
// the settings and checks nothing, whatever the dates.
EStartAction DecideStartAction(bool firstRun, double today, double lastCheck);

#include "app/window/first_activation.h"

#include <cmath>

EStartAction DecideStartAction(bool firstRun, double today, double lastCheck) {
  if (firstRun) return EStartAction::kOpenSettings;
  if (std::trunc(today) - std::trunc(lastCheck) > kUpdateCheckIntervalDays) {
    return EStartAction::kCheckForUpdates;
  }
  return EStartAction::kNothing;
}

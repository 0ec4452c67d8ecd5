#include "app/shell/update_check.h"

#include "app/shell/product_info.h"
#include "foundation/day_count.h"
#include "foundation/environment.h"
#include "foundation/question_box.h"

std::string UpdateAddress(std::string_view u3DeviceSerial) {
  std::string address = kUpdatePageUrl;
  address += u3DeviceSerial.empty() ? "update.php?product=pro&version="
                                    : "update.php?product=pro&platform=u3&version=";
  address += kVersionText;
  address += "&s=1";
  return address;
}

std::string CurrentUpdateAddress() {
  return UpdateAddress(ReadEnvironmentVariable(kU3DeviceSerialVariable));
}

void RunUpdateCheck(HWND owner, Settings::CSettingsStorage& settings, const UrlOpener& open) {
  settings.SetLastUpdatesCheck(CurrentDayCount());
  if (!AskYesNo(owner, kUpdateQuestion)) return;
  if (open) open("open", CurrentUpdateAddress());
}

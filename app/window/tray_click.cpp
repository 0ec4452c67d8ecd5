#include "app/window/tray_click.h"

ETrayClickAction TrayClickAction(ETrayClick click, bool monitorVisible) {
  if (!monitorVisible) return ETrayClickAction::kShowList;
  return click == ETrayClick::kDoubleClick ? ETrayClickAction::kToggleList
                                           : ETrayClickAction::kNothing;
}

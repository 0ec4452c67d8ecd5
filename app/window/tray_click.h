#pragma once
// What a click on the tray icon does. Where the settings hide the docked window, the icon is
// the only thing of the program on screen: a click there must show the list.

enum class ETrayClick { kClick, kDoubleClick };
enum class ETrayClickAction { kNothing, kToggleList, kShowList };

// The action of `click` (the left button's release, or its double click) on the icon while
// the settings show the docked window (`monitorVisible`) or hide it. A double click on a
// hidden window shows the list too: its first click showed it already, and a toggle would
// fold it again.
ETrayClickAction TrayClickAction(ETrayClick click, bool monitorVisible);

#pragma once
// The control ids of the settings dialog (TFormSettings), for the dialog, its parts and the
// tests that drive it. The controls of a page are children of that page's window, so look
// them up with FindDialogControl rather than GetDlgItem.

enum EFormSettingsControl : int {
  kIdPageControl = 300,  // PageControl1, a tab control
  kIdPageHotkeys,        // the pages' windows
  kIdPageClipboard,
  kIdPageCategories,
  kIdPriHotKey,        // CBPriHotKey, a drop-down list
  kIdSecondaryHotKey,  // SecondaryHotKey, a hot-key control
  kIdQuickPasteNone,   // RGQuickPasteMode's three radio buttons
  kIdQuickPasteCtrlHistory,
  kIdQuickPasteAltHistory,
  kIdWidth,  // EdWidth and UpDownWidth
  kIdWidthSpin,
  kIdHeight,
  kIdHeightSpin,
  kIdCapacity,
  kIdCapacitySpin,
  kIdShowMonitor,  // CBShowMonitor
  kIdTransparency,
  kIdTransparencySpin,
  kIdCategoriesTree,  // CategoriesTree, a WC_TREEVIEWW
  kIdAddCategory,     // BtAdd, BtAddChild, BtEdit, BtDelete
  kIdAddChildCategory,
  kIdEditCategory,
  kIdDeleteCategory,
  kIdStartWithWindows,  // "Start with Windows" on the "Clipboard" page
  kIdPasteMethod,       // CBPasteMethod, a drop-down list on the hot-key page
  kIdPagePrivacy,       // the "Privacy" page's window
  kIdPauseHotKey,       // "Pause capture", a hot-key control on the hot-key page
  kIdExcludedPrograms,  // the "Privacy" page: the excluded programs, a list box
  kIdAddProgram,        // its "Add..." and "Remove" buttons
  kIdRemoveProgram,
  kIdForgetOn,  // "Forget history clips after", a check box, with a number and its unit
  kIdForgetAmount,
  kIdForgetAmountSpin,
  kIdForgetUnit,      // a drop-down list of kForgetUnitItems
  kIdKeepDuplicates,  // "Keep every copy, ...", a check box
  kIdEncryptOff,      // the "Encryption" group's radio buttons, one a mode of "EncryptClips";
  kIdEncryptAccount,  // the account's is left out of a portable copy
  kIdEncryptPassword,
  kIdChangePassword,  // "Change password...", a button
  kIdEncryptionHint,  // a portable copy's line on why the account is not offered
  kIdTheme,           // "Theme", a drop-down list of kThemeItems on the "Clipboard" page
  kIdCapacityNote,    // beside the capacity: why what is typed there is not taken
  kIdListHotKey,      // "Show list", a hot-key control below "Pause capture"
};

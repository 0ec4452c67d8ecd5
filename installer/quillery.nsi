; The Quillery installer: per user, without administrator rights. scripts/package.sh runs
;   makensis -DPRODUCT_NSH=<build>/installer/product.nsh -DPROGRAM=<quillery.exe>
;            -DICON=<main_icon.ico> -DOUT_FILE=<setup.exe> installer/quillery.nsi
;
; It installs quillery.exe and uninstall.exe into %LOCALAPPDATA%\Programs\Quillery, adds a
; Start menu shortcut and the entry in the list of installed programs, and (on its Options
; page, checked by default) the logon start: the value "Quillery" under HKCU's
; Software\Microsoft\Windows\CurrentVersion\Run, the same value that the program's
; "Start with Windows" check box reads and writes (foundation/logon_start.h); and (also
; checked by default) the encryption of the clips with the user's Windows account:
; EncryptClips=1 in section Privacy of the settings file the installed program reads. A copy
; that runs from the install folder is closed first ("quillery.exe /close": it saves its
; clips) and, when it was running, started again at the end. The user's clips and settings
; live in the application-data folder; an install writes that one setting there and touches
; nothing else, the clips least of all. /S installs silently with the defaults;
; "uninstall.exe /S" removes silently and keeps the clips and settings. "/DELETEDATA" ticks
; the uninstaller's "Also delete my clips and settings" (silent or not).

; A 64-bit installer for the 64-bit program (and Wine without its 32-bit half runs it).
Target amd64-unicode
!include "${PRODUCT_NSH}"
!include "MUI2.nsh"
!include "nsDialogs.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT_NAME}"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "${PRODUCT_NAME}"
; The folder of data.dat and quillery.ini of an installed copy (foundation/data_paths.h).
!define USER_DATA_PARENT "$APPDATA\Brontel"
!define USER_DATA "${USER_DATA_PARENT}\Quillery Pro"
; The settings file is named after the program (quillery.exe), and its encryption setting.
!define SETTINGS_FILE_NAME "quillery.ini"
!define ENCRYPT_SECTION "Privacy"
!define ENCRYPT_KEY "EncryptClips"
!define ENCRYPT_ACCOUNT 1
!define ENCRYPT_PASSWORD 2
; The exit codes of "quillery.exe /close" (app/window/single_instance.h, ECloseResult).
!define CLOSE_CLOSED 1
!define CLOSE_STILL_RUNNING 2

Name "${PRODUCT_NAME}"
OutFile "${OUT_FILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT_NAME}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
SetCompressor /SOLID lzma
ShowInstDetails nevershow
ShowUninstDetails nevershow
BrandingText "${PRODUCT_NAME} ${PRODUCT_VERSION}"

VIProductVersion "${PRODUCT_VERSION_QUAD}"
VIFileVersion "${PRODUCT_VERSION_QUAD}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT_NAME}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${PRODUCT_VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${PRODUCT_VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT_NAME} ${PRODUCT_VERSION} Setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PRODUCT_PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${PRODUCT_COPYRIGHT}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\quillery.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT_NAME} now"

Var StartAtLogon      ; ${BST_CHECKED} or ${BST_UNCHECKED}
Var StartAtLogonBox
Var EncryptClips      ; ${BST_CHECKED} or ${BST_UNCHECKED}
Var EncryptClipsBox
Var DeleteUserData    ; the uninstaller's choice, the same way
Var DeleteUserDataBox
Var WasRunning        ; 1 when the install closed a running copy

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
Page custom OptionsPage OptionsPageLeave
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

UninstPage custom un.OptionsPage un.OptionsPageLeave
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; ---- Closing a running copy ----

; Closes the copy that runs on the data folder of $INSTDIR\quillery.exe; leaves in $0 the
; exit code of "/close" (0 when nothing ran or no program is installed). Offers Retry while
; a copy will not close; Cancel (the silent answer) ends the installer.
!macro CLOSE_RUNNING_COPY un
Function ${un}CloseRunningCopy
  StrCpy $0 0
  IfFileExists "$INSTDIR\quillery.exe" 0 done
  retry:
    ExecWait '"$INSTDIR\quillery.exe" /close' $0
    ${If} $0 == ${CLOSE_STILL_RUNNING}
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
          "${PRODUCT_NAME} is still running. Exit it from its tray menu, then choose Retry." \
          /SD IDCANCEL IDRETRY retry
      Abort
    ${EndIf}
  done:
FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING_COPY ""
!insertmacro CLOSE_RUNNING_COPY "un."

; ---- Install ----

Function .onInit
  StrCpy $StartAtLogon ${BST_CHECKED}
  StrCpy $EncryptClips ${BST_CHECKED}
  StrCpy $WasRunning 0
FunctionEnd

Function OptionsPage
  !insertmacro MUI_HEADER_TEXT "Options" \
      "Choose when ${PRODUCT_NAME} starts and how it keeps your clips."
  nsDialogs::Create 1018
  Pop $0
  ${If} $0 == error
    Abort
  ${EndIf}
  ${NSD_CreateLabel} 0 0 100% 30u "${PRODUCT_NAME} keeps what you copy only while it runs. \
      Started with Windows, it misses nothing."
  Pop $0
  ${NSD_CreateCheckbox} 0 36u 100% 12u "Start ${PRODUCT_NAME} when I log on to Windows"
  Pop $StartAtLogonBox
  ${NSD_SetState} $StartAtLogonBox $StartAtLogon
  ${NSD_CreateCheckbox} 0 60u 100% 12u "Encrypt my clips on this computer"
  Pop $EncryptClipsBox
  ${NSD_SetState} $EncryptClipsBox $EncryptClips
  ${NSD_CreateLabel} 12u 74u -12u 30u "Only your Windows account can open them then. \
      ${PRODUCT_NAME}'s settings also offer a password instead, or no encryption."
  Pop $0
  nsDialogs::Show
FunctionEnd

Function OptionsPageLeave
  ${NSD_GetState} $StartAtLogonBox $StartAtLogon
  ${NSD_GetState} $EncryptClipsBox $EncryptClips
FunctionEnd

; Leaves in $0 the settings file that $INSTDIR\quillery.exe reads, by the program's own rules
; (foundation/data_paths.h): the folder of U3_APP_DATA_PATH when it exists, the program's
; folder when a Data folder stands beside it, else the user's application-data folder, which
; is created when missing.
Function InstalledSettingsFile
  ReadEnvStr $0 U3_APP_DATA_PATH
  ${If} $0 != ""
  ${AndIf} ${FileExists} "$0\*.*"
    StrCpy $0 "$0\${SETTINGS_FILE_NAME}"
    Return
  ${EndIf}
  ${If} ${FileExists} "$INSTDIR\Data\*.*"
    StrCpy $0 "$INSTDIR\${SETTINGS_FILE_NAME}"
    Return
  ${EndIf}
  CreateDirectory "${USER_DATA}"
  StrCpy $0 "${USER_DATA}\${SETTINGS_FILE_NAME}"
FunctionEnd

; Sets the account's encryption in the settings file, leaving every other key as it is. A
; password the user chose in an earlier installation stays: writing the account's mode over it
; would leave the setting saying otherwise than the clips are stored.
Function WriteAccountEncryption
  Call InstalledSettingsFile
  ReadINIStr $1 "$0" "${ENCRYPT_SECTION}" "${ENCRYPT_KEY}"
  ${If} $1 != "${ENCRYPT_PASSWORD}"
    WriteINIStr "$0" "${ENCRYPT_SECTION}" "${ENCRYPT_KEY}" "${ENCRYPT_ACCOUNT}"
  ${EndIf}
FunctionEnd

Section "Install"
  SetOutPath "$INSTDIR"
  Call CloseRunningCopy
  ${If} $0 == ${CLOSE_CLOSED}
    StrCpy $WasRunning 1
  ${EndIf}

  File "/oname=quillery.exe" "${PROGRAM}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT_NAME}.lnk" "$INSTDIR\quillery.exe" "" \
      "$INSTDIR\quillery.exe" 0 SW_SHOWNORMAL "" "${PRODUCT_DESCRIPTION}"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT_NAME}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${PRODUCT_VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PRODUCT_PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "URLInfoAbout" "${PRODUCT_URL}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\quillery.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0

  ${If} $StartAtLogon == ${BST_CHECKED}
    WriteRegStr HKCU "${RUN_KEY}" "${RUN_VALUE}" '"$INSTDIR\quillery.exe"'
  ${Else}
    Call RemoveOwnLogonStart
  ${EndIf}
  ; Unchecked leaves whatever the user chose before.
  ${If} $EncryptClips == ${BST_CHECKED}
    Call WriteAccountEncryption
  ${EndIf}

  ; The finish page offers to start the program; a silent install starts it again only
  ; when it closed it.
  ${If} ${Silent}
  ${AndIf} $WasRunning == 1
    Exec '"$INSTDIR\quillery.exe"'
  ${EndIf}
SectionEnd

; ---- Uninstall ----

Function un.onInit
  StrCpy $DeleteUserData ${BST_UNCHECKED}
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/DELETEDATA" $1
  ${IfNot} ${Errors}
    StrCpy $DeleteUserData ${BST_CHECKED}
  ${EndIf}
FunctionEnd

Function un.OptionsPage
  !insertmacro MUI_HEADER_TEXT "Uninstall ${PRODUCT_NAME}" \
      "Remove ${PRODUCT_NAME} from your computer."
  nsDialogs::Create 1018
  Pop $0
  ${If} $0 == error
    Abort
  ${EndIf}
  ${NSD_CreateLabel} 0 0 100% 40u "${PRODUCT_NAME} will be removed from $INSTDIR. Your clips \
      and settings stay in ${USER_DATA} for a later installation, unless you tick the box."
  Pop $0
  ${NSD_CreateCheckbox} 0 46u 100% 12u "Also delete my clips and settings"
  Pop $DeleteUserDataBox
  ${NSD_SetState} $DeleteUserDataBox $DeleteUserData
  GetDlgItem $0 $HWNDPARENT 1
  SendMessage $0 ${WM_SETTEXT} 0 "STR:&Uninstall"
  nsDialogs::Show
FunctionEnd

Function un.OptionsPageLeave
  ${NSD_GetState} $DeleteUserDataBox $DeleteUserData
FunctionEnd

Section "Uninstall"
  Call un.CloseRunningCopy
  Delete "$INSTDIR\quillery.exe"
  Delete "$INSTDIR\uninstall.exe"
  ; Only when empty: whatever else the user keeps there stays.
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${PRODUCT_NAME}.lnk"
  Call un.RemoveOwnLogonStart
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ${If} $DeleteUserData == ${BST_CHECKED}
    RMDir /r "${USER_DATA}"
    RMDir "${USER_DATA_PARENT}"
  ${EndIf}
SectionEnd

; ---- Shared ----

; Removes the logon start when it starts this installation; one that the user gave another
; copy (a portable one) stays.
!macro REMOVE_OWN_LOGON_START un
Function ${un}RemoveOwnLogonStart
  ReadRegStr $0 HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ${If} $0 == '"$INSTDIR\quillery.exe"'
    DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ${EndIf}
FunctionEnd
!macroend
!insertmacro REMOVE_OWN_LOGON_START ""
!insertmacro REMOVE_OWN_LOGON_START "un."

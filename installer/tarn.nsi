; The Windows installer: a per-machine install into Program Files with its Start-menu entry, an
; optional desktop shortcut, the Startup shortcut (on by default) and an uninstaller listed
; under Apps & features. Built by scripts/release.sh, which defines:
;   VERSION       the release number (resources/version.h)
;   PROGRAM_DIR   the program folder to install
;   FILE_LIST     an include with the uninstaller's Delete and RMDir lines for that folder
;   ICON          the program's icon
;   OUT_FILE      the installer to write
; A 64-bit installer for a 64-bit program: it runs where the program runs, 32-bit support or not.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "nsDialogs.nsh"
!include "x64.nsh"

!define PRODUCT "Nirel Tarn"
!define PUBLISHER "Nirel"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\NirelTarn"
; The program's single-instance mutex and the shortcut name it uses for starting with Windows.
!define INSTANCE_MUTEX "TarnDriver.exe"
!define SHORTCUT "Nirel Tarn.lnk"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUT_FILE}"
InstallDir "$PROGRAMFILES64\Nirel\Tarn"
BrandingText "${PRODUCT} ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\TarnDriver.exe"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
UninstPage custom un.SettingsPage un.SettingsPageLeave
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "SimpChinese"

LangString Running ${LANG_ENGLISH} "${PRODUCT} is running. Choose Exit on its tray icon, then run this again."
LangString Running ${LANG_SIMPCHINESE} "${PRODUCT} 正在运行。请在托盘图标上选择 Exit 退出后再运行。"
LangString NeedAdmin ${LANG_ENGLISH} "Installing ${PRODUCT} for all users needs administrator rights."
LangString NeedAdmin ${LANG_SIMPCHINESE} "为所有用户安装 ${PRODUCT} 需要管理员权限。"
LangString SecProgram ${LANG_ENGLISH} "${PRODUCT} (required)"
LangString SecProgram ${LANG_SIMPCHINESE} "${PRODUCT}（必需）"
LangString SecDesktop ${LANG_ENGLISH} "Desktop shortcut"
LangString SecDesktop ${LANG_SIMPCHINESE} "桌面快捷方式"
LangString SecStartup ${LANG_ENGLISH} "Start with Windows (in the tray)"
LangString SecStartup ${LANG_SIMPCHINESE} "开机启动（托盘）"
LangString RemoveSettings ${LANG_ENGLISH} "Also remove my settings (profiles, macros, statistics)"
LangString RemoveSettings ${LANG_SIMPCHINESE} "同时删除我的设置（配置文件、宏、统计）"
LangString KeepSettingsNote ${LANG_ENGLISH} "Your settings stay in $TEMP\NIREL\Tarn unless you tick the box."
LangString KeepSettingsNote ${LANG_SIMPCHINESE} "除非勾选此项，您的设置将保留在 $TEMP\NIREL\Tarn。"

Var RemoveSettings
Var RemoveSettingsBox

; A running copy holds its mutex; files in use cannot be replaced or removed, and a copy left
; running would write its settings after they were removed.
!macro RefuseWhileRunning
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${INSTANCE_MUTEX}") p .r0'
    ${If} $0 P<> 0
        System::Call 'kernel32::CloseHandle(p r0)'
        MessageBox MB_OK|MB_ICONEXCLAMATION "$(Running)" /SD IDOK
        SetErrorLevel 3
        Quit
    ${EndIf}
!macroend

!macro RefuseWithoutAdmin
    UserInfo::GetAccountType
    Pop $0
    ${If} $0 != "admin"
        MessageBox MB_OK|MB_ICONSTOP "$(NeedAdmin)" /SD IDOK
        SetErrorLevel 740
        Quit
    ${EndIf}
!macroend

Function .onInit
    SetRegView 64
    !insertmacro RefuseWithoutAdmin
    !insertmacro RefuseWhileRunning
FunctionEnd

Section "$(SecProgram)" SecProgram
    SectionIn RO
    SetOutPath "$INSTDIR"
    File /r "${PROGRAM_DIR}\*.*"
    WriteUninstaller "$INSTDIR\Uninstall.exe"

    SetShellVarContext all
    CreateDirectory "$SMPROGRAMS\${PRODUCT}"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}\${SHORTCUT}" "$INSTDIR\TarnDriver.exe" "" \
        "$INSTDIR\TarnDriver.exe" 0

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\TarnDriver.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    IntFmt $0 "0x%08X" $0
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section /o "$(SecDesktop)" SecDesktop
    SetShellVarContext all
    CreateShortcut "$DESKTOP\${SHORTCUT}" "$INSTDIR\TarnDriver.exe" "" "$INSTDIR\TarnDriver.exe" 0
SectionEnd

; The same shortcut the program's tray menu switches: the installing user's Startup folder.
Section "$(SecStartup)" SecStartup
    SetShellVarContext current
    CreateShortcut "$SMSTARTUP\${SHORTCUT}" "$INSTDIR\TarnDriver.exe" "--tray" \
        "$INSTDIR\TarnDriver.exe" 0
SectionEnd

Function un.onInit
    SetRegView 64
    !insertmacro RefuseWithoutAdmin
    !insertmacro RefuseWhileRunning
    ; /REMOVESETTINGS removes the user's settings in a silent uninstall.
    StrCpy $RemoveSettings 0
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/REMOVESETTINGS" $1
    ${IfNot} ${Errors}
        StrCpy $RemoveSettings 1
    ${EndIf}
FunctionEnd

Function un.SettingsPage
    nsDialogs::Create 1018
    Pop $0
    ${NSD_CreateCheckbox} 0 0 100% 12u "$(RemoveSettings)"
    Pop $RemoveSettingsBox
    ${If} $RemoveSettings == 1
        ${NSD_Check} $RemoveSettingsBox
    ${EndIf}
    ${NSD_CreateLabel} 0 20u 100% 24u "$(KeepSettingsNote)"
    Pop $0
    nsDialogs::Show
FunctionEnd

Function un.SettingsPageLeave
    ${NSD_GetState} $RemoveSettingsBox $0
    ${If} $0 == ${BST_CHECKED}
        StrCpy $RemoveSettings 1
    ${Else}
        StrCpy $RemoveSettings 0
    ${EndIf}
FunctionEnd

Section "Uninstall"
    ; Only the files this installer put there, and the firmware images the program downloaded
    ; into its own FWUpdate folder: never a whole folder the user may have chosen.
    !include "${FILE_LIST}"
    Delete "$INSTDIR\FWUpdate\*.*"
    RMDir "$INSTDIR\FWUpdate"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"
    RMDir "$INSTDIR\.."

    SetShellVarContext all
    Delete "$SMPROGRAMS\${PRODUCT}\${SHORTCUT}"
    RMDir "$SMPROGRAMS\${PRODUCT}"
    Delete "$DESKTOP\${SHORTCUT}"
    SetShellVarContext current
    Delete "$SMSTARTUP\${SHORTCUT}"

    DeleteRegKey HKLM "${UNINSTALL_KEY}"

    ${If} $RemoveSettings == 1
        RMDir /r "$TEMP\NIREL\Tarn"
        RMDir "$TEMP\NIREL"
    ${EndIf}
SectionEnd

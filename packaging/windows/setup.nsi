; The setup program of Velkaro 2005 for 64-bit Windows, made with NSIS's makensis on Debian
; (scripts/windows.sh gives the defines below). Its pages are in Simplified Chinese.
;
; By default it installs for the current user alone, without administrator rights, into the
; user's own programs folder (%LOCALAPPDATA%\Programs\Velkaro); for every user of the computer
; (Program Files) when chosen, starting itself again with administrator rights if need be. It
; makes a Start-menu entry, a desktop shortcut only when asked, and an entry in "Apps & features";
; the uninstaller removes exactly what it installed. Installed over an earlier installation (another
; version, for the other scope, in another folder), it first runs that installation's uninstaller,
; so that one installation is left with exactly this version's files.
;
; Silent, for administrators:  setup.exe /S [/ALLUSERS] [/DESKTOP] [/D=folder]
;                              uninstall.exe /S
;
; Defines: VERSION (1.0), VERSION4 (1.0.0.0), INSTALL_FILES and UNINSTALL_FILES (the lists of the
; files it installs, made from CMake's install manifest), LICENSE_FILE, ICON, PICTURE (164 x 314,
; the welcome and finish pages' picture), OUTFILE.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
SetCompressorDictSize 64
ManifestDPIAware true
RequestExecutionLevel user

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include nsDialogs.nsh

!define PRODUCT "Velkaro 2005"
!define PUBLISHER "The Velkaro developers"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Velkaro"
!define SHORTCUT "${PRODUCT}.lnk"
!define ERROR_ELEVATION_REQUIRED 740

Name "${PRODUCT}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION4}"
VIFileVersion "${VERSION4}"
VIAddVersionKey /LANG=2052 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "FileDescription" "${PRODUCT} 安装程序"
VIAddVersionKey /LANG=2052 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=2052 "LegalCopyright" "Copyright © 2026 ${PUBLISHER}"

Var AllUsers    ; 1: for every user (Program Files, HKLM), 0: for the current user
Var WithDesktop ; 1: a desktop shortcut too
Var IsAdmin     ; 1: running with administrator rights
Var Elevated    ; 1: started again with administrator rights from the options page
Var DefaultDir  ; the folder the installer proposed, to follow a change of mode
Var OptionsForMe
Var OptionsForAll
Var OptionsDesktop

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${PICTURE}"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "此程序将把 $(^NameDA)（日语词汇学习）安装到这台电脑上。$\r$\n$\r$\n默认只为你自己安装，不需要管理员权限；也可以为这台电脑的所有用户安装。$\r$\n$\r$\n$_CLICK"
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipWhenElevated
!insertmacro MUI_PAGE_WELCOME
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipWhenElevated
!insertmacro MUI_PAGE_LICENSE "${LICENSE_FILE}"
Page custom OptionsPage OptionsLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\velkaro.exe"
!define MUI_FINISHPAGE_RUN_TEXT "运行 $(^NameDA)"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "SimpChinese"

; --- Who it is installed for -------------------------------------------------------------------

!macro CheckAdmin
    StrCpy $IsAdmin 0
    UserInfo::GetAccountType
    Pop $0
    ${If} $0 == "Admin"
        StrCpy $IsAdmin 1
    ${EndIf}
!macroend

; Sets the shell folders, the registry root and the proposed folder for $AllUsers; a folder the
; learner chose (or /D=) stays.
Function UseMode
    ${If} $AllUsers == 1
        SetShellVarContext all
        ReadRegStr $0 HKLM "${UNINST_KEY}" "InstallLocation"
        ${If} $0 == ""
            StrCpy $0 "$PROGRAMFILES64\Velkaro"
        ${EndIf}
    ${Else}
        SetShellVarContext current
        ReadRegStr $0 HKCU "${UNINST_KEY}" "InstallLocation"
        ${If} $0 == ""
            GetKnownFolderPath $0 {5CD7AEE2-2219-4A67-B85D-6C9CE15660CB} ; the user's programs folder
            ${If} $0 == ""
                StrCpy $0 "$LOCALAPPDATA\Programs"
            ${EndIf}
            StrCpy $0 "$0\Velkaro"
        ${EndIf}
    ${EndIf}
    ${If} $INSTDIR == ""
    ${OrIf} $INSTDIR == $DefaultDir
        StrCpy $INSTDIR $0
    ${EndIf}
    StrCpy $DefaultDir $0
FunctionEnd

Function .onInit
    !insertmacro CheckAdmin
    ${GetParameters} $R0
    StrCpy $AllUsers 0
    ClearErrors
    ${GetOptions} $R0 "/ALLUSERS" $R1
    ${IfNot} ${Errors}
        StrCpy $AllUsers 1
    ${EndIf}
    StrCpy $WithDesktop 0
    ClearErrors
    ${GetOptions} $R0 "/DESKTOP" $R1
    ${IfNot} ${Errors}
        StrCpy $WithDesktop 1
    ${EndIf}
    StrCpy $Elevated 0
    ClearErrors
    ${GetOptions} $R0 "/ELEVATED" $R1
    ${IfNot} ${Errors}
        StrCpy $Elevated 1
    ${EndIf}
    ${If} $AllUsers == 1
    ${AndIf} $IsAdmin == 0
        ${If} ${Silent}
            SetErrorLevel ${ERROR_ELEVATION_REQUIRED}
            Quit
        ${EndIf}
        StrCpy $AllUsers 0 ; the learner chooses again on the options page
    ${EndIf}
    Call UseMode
FunctionEnd

Function SkipWhenElevated
    ${If} $Elevated == 1
        Abort
    ${EndIf}
FunctionEnd

Function OptionsPage
    !insertmacro MUI_HEADER_TEXT "安装选项" "选择为谁安装 $(^NameDA)，以及是否在桌面上创建快捷方式。"
    nsDialogs::Create 1018
    Pop $0
    ${NSD_CreateRadioButton} 0 0 100% 12u "只为我安装(&M)，不需要管理员权限"
    Pop $OptionsForMe
    ${NSD_AddStyle} $OptionsForMe ${WS_GROUP}
    ${NSD_CreateRadioButton} 0 16u 100% 12u "为这台电脑的所有用户安装(&A)，需要管理员权限"
    Pop $OptionsForAll
    ${NSD_CreateCheckBox} 0 44u 100% 12u "在桌面上创建快捷方式(&D)"
    Pop $OptionsDesktop
    ${NSD_CreateLabel} 0 68u 100% 24u "开始菜单里会有“$(^NameDA)”。要卸载它，在 Windows 的“设置 → 应用”里选择它。"
    Pop $0
    ${If} $AllUsers == 1
        ${NSD_Check} $OptionsForAll
    ${Else}
        ${NSD_Check} $OptionsForMe
    ${EndIf}
    ${If} $WithDesktop == 1
        ${NSD_Check} $OptionsDesktop
    ${EndIf}
    nsDialogs::Show
FunctionEnd

Function OptionsLeave
    ${NSD_GetState} $OptionsDesktop $0
    ${If} $0 == ${BST_CHECKED}
        StrCpy $WithDesktop 1
    ${Else}
        StrCpy $WithDesktop 0
    ${EndIf}
    ${NSD_GetState} $OptionsForAll $0
    ${If} $0 == ${BST_CHECKED}
        ${If} $IsAdmin == 0
            ; Start again with administrator rights, on this choice, and end this one.
            StrCpy $1 "/ALLUSERS /ELEVATED"
            ${If} $WithDesktop == 1
                StrCpy $1 "$1 /DESKTOP"
            ${EndIf}
            ClearErrors
            ExecShell "runas" "$EXEPATH" "$1"
            ${If} ${Errors}
                MessageBox MB_ICONEXCLAMATION|MB_OK "没有得到管理员权限，不能为所有用户安装。请选择“只为我安装”。"
                Abort
            ${EndIf}
            Quit
        ${EndIf}
        StrCpy $AllUsers 1
    ${Else}
        StrCpy $AllUsers 0
    ${EndIf}
    Call UseMode
FunctionEnd

; --- An earlier installation ---------------------------------------------------------------------

; Removes the installation that the uninstall entry under ROOT (HKCU or HKLM) names, wherever it
; is, with its own uninstaller: its files, shortcuts and entry. Run in place (_?=), the uninstaller
; cannot delete itself; that, and the folder if it is empty, follow. Without administrator rights
; an installation for all users cannot be removed: the setup program stops and says so.
!macro RemoveEarlier ROOT
    ReadRegStr $R0 ${ROOT} "${UNINST_KEY}" "InstallLocation"
    ${If} $R0 != ""
    ${AndIf} ${FileExists} "$R0\uninstall.exe"
        DetailPrint "卸载以前的安装：$R0"
        ClearErrors
        ExecWait '"$R0\uninstall.exe" /S _?=$R0' $R1
        ${If} ${Errors}
        ${OrIf} $R1 != 0
            ${If} $R1 == ${ERROR_ELEVATION_REQUIRED}
                MessageBox MB_ICONSTOP|MB_OK "这台电脑上已有为所有用户安装的 $(^NameDA)（$R0），卸载它需要管理员权限。$\r$\n请先在 Windows 的“设置 → 应用”里卸载它，或者选择为所有用户安装。" /SD IDOK
                SetErrorLevel ${ERROR_ELEVATION_REQUIRED}
            ${Else}
                MessageBox MB_ICONSTOP|MB_OK "不能卸载以前的安装（$R0）。" /SD IDOK
                SetErrorLevel 2
            ${EndIf}
            Abort
        ${EndIf}
        Delete "$R0\uninstall.exe"
        !insertmacro RemovePluginFolders $R0
        RMDir "$R0"
    ${EndIf}
!macroend

; Qt loads every plugin in these folders: one an earlier version left there could stop the program
; from starting. Nothing but Qt's plugins belongs in them.
!macro RemovePluginFolders DIR
    RMDir /r "${DIR}\platforms"
    RMDir /r "${DIR}\styles"
!macroend

; --- What it installs ---------------------------------------------------------------------------

Section
    !insertmacro RemoveEarlier HKCU
    !insertmacro RemoveEarlier HKLM
    !insertmacro RemovePluginFolders $INSTDIR
    SetOutPath "$INSTDIR"
    !include "${INSTALL_FILES}"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    SetOutPath "$INSTDIR" ; the shortcuts' working folder
    CreateShortcut "$SMPROGRAMS\${SHORTCUT}" "$INSTDIR\velkaro.exe" "" "$INSTDIR\velkaro.exe" 0 \
        SW_SHOWNORMAL "" "日语词汇学习"
    ${If} $WithDesktop == 1
        CreateShortcut "$DESKTOP\${SHORTCUT}" "$INSTDIR\velkaro.exe" "" "$INSTDIR\velkaro.exe" 0 \
            SW_SHOWNORMAL "" "日语词汇学习"
    ${EndIf}

    ; The entry in "Apps & features" (HKCU for the current user, HKLM for all).
    WriteRegStr SHCTX "${UNINST_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr SHCTX "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\velkaro.exe,0"
    WriteRegStr SHCTX "${UNINST_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr SHCTX "${UNINST_KEY}" "URLInfoAbout" "https://velkaro.github.io/"
    WriteRegStr SHCTX "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINST_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr SHCTX "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD SHCTX "${UNINST_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINST_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD SHCTX "${UNINST_KEY}" "EstimatedSize" "$0"
SectionEnd

; --- The uninstaller ------------------------------------------------------------------------------

Function un.onInit
    !insertmacro CheckAdmin
    ; Installed for every user when the HKLM entry names this folder.
    StrCpy $AllUsers 0
    ReadRegStr $0 HKLM "${UNINST_KEY}" "InstallLocation"
    ${If} $0 != ""
    ${AndIf} $0 == $INSTDIR
        StrCpy $AllUsers 1
    ${EndIf}
    ${If} $AllUsers == 1
        ${If} $IsAdmin == 0
            ${If} ${Silent}
                SetErrorLevel ${ERROR_ELEVATION_REQUIRED}
                Quit
            ${EndIf}
            ClearErrors
            ExecShell "runas" "$INSTDIR\uninstall.exe"
            ${If} ${Errors}
                MessageBox MB_ICONEXCLAMATION|MB_OK "没有得到管理员权限，不能卸载为所有用户安装的 $(^NameDA)。"
                SetErrorLevel ${ERROR_ELEVATION_REQUIRED}
            ${EndIf}
            Quit
        ${EndIf}
        SetShellVarContext all
    ${Else}
        SetShellVarContext current
    ${EndIf}
FunctionEnd

Section Uninstall
    !include "${UNINSTALL_FILES}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR" ; unless something of the learner's is left in it
    Delete "$SMPROGRAMS\${SHORTCUT}"
    Delete "$DESKTOP\${SHORTCUT}"
    DeleteRegKey SHCTX "${UNINST_KEY}"
SectionEnd

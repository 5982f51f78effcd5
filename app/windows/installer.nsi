; The Windows setup program, made by scripts/windows/package.sh with NSIS:
;   makensis -DVERSION=1.0.0 -DSTAGE=<the package folder> -DICON=<program icon>
;            -DFILES=<files.nsh> -DUNFILES=<unfiles.nsh> -DOUTFILE=<setup.exe>
;            [-DWEBSITE=https://...] installer.nsi
; For the current user without administrator rights (into the user's programs folder),
; for all users when it runs as administrator; a Start-menu entry, an optional desktop
; shortcut, the uninstaller under 应用和功能 with version and size, and the project file
; type opened by the program with its own icon. /S installs silently. An install over an
; earlier one upgrades it in place. The uninstaller removes exactly the files this setup
; put there, never a user's documents or project files.

Unicode true
; A 64-bit setup for the 64-bit program: a 32-bit Windows refuses to start it, with its
; own message ("此应用无法在你的电脑上运行"), before anything is written.
Target amd64-unicode
ManifestDPIAware true
; Elevated only when the user starts it as administrator.
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define PRODUCT "嵌岩桩承载力计算 (TB10093-2017)"
!define SHORTCUT "嵌岩桩承载力计算"
!define EXE "ZAV_PRJ_DWOR1.exe"
!define KEY "RockPile"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${KEY}"
!define PROGID "RockPile.Project"
!define EXTENSION ".rockpile"
!define FILE_TYPE "嵌岩桩工程文件"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${KEY}"
BrandingText "${PRODUCT} ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=2052 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "FileDescription" "${PRODUCT} 安装程序"
VIAddVersionKey /LANG=2052 "LegalCopyright" "MIT 许可"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE}"
!define MUI_FINISHPAGE_RUN_TEXT "启动 ${SHORTCUT}"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

Var AllUsers

; The registry root of this install: HKLM for all users, HKCU for one.
!macro WriteKey SUBKEY NAME VALUE
    ${If} $AllUsers == 1
        WriteRegStr HKLM "${SUBKEY}" "${NAME}" `${VALUE}`
    ${Else}
        WriteRegStr HKCU "${SUBKEY}" "${NAME}" `${VALUE}`
    ${EndIf}
!macroend

!macro ChooseUsers
    ; Only an elevated setup may write for all users.
    UserInfo::GetAccountType
    Pop $0
    ${If} $0 == "Admin"
        StrCpy $AllUsers 1
        SetShellVarContext all
    ${Else}
        StrCpy $AllUsers 0
        SetShellVarContext current
    ${EndIf}
!macroend

Function .onInit
    SetRegView 64
    !insertmacro ChooseUsers
    ${If} $AllUsers == 1
        StrCpy $INSTDIR "$PROGRAMFILES64\${KEY}"
        ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${Else}
        ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${EndIf}
    ; An earlier version: upgraded where it is.
    ${If} $0 != ""
        StrCpy $INSTDIR $0
    ${EndIf}
FunctionEnd

Section "-程序" SecProgram
    SectionIn RO
    ; The earlier version's files go first (its uninstaller knows them), so that none
    ; it had and this one has not stays behind; its uninstaller leaves everything else.
    ${If} ${FileExists} "$INSTDIR\uninstall.exe"
        CopyFiles /SILENT "$INSTDIR\uninstall.exe" "$PLUGINSDIR\previous-uninstall.exe"
        ExecWait '"$PLUGINSDIR\previous-uninstall.exe" /S _?=$INSTDIR'
        Delete "$PLUGINSDIR\previous-uninstall.exe"
    ${EndIf}
    SetOutPath "$INSTDIR"
    !include "${FILES}"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    CreateShortCut "$SMPROGRAMS\${SHORTCUT}.lnk" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0

    ; The project file type: a double click opens the project in the program.
    !insertmacro WriteKey "Software\Classes\${EXTENSION}" "" "${PROGID}"
    !insertmacro WriteKey "Software\Classes\${PROGID}" "" "${FILE_TYPE}"
    !insertmacro WriteKey "Software\Classes\${PROGID}\DefaultIcon" "" "$INSTDIR\rockpile-project.ico"
    !insertmacro WriteKey "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\${EXE}" "%1"'

    ; 应用和功能 (Add/Remove Programs).
    !insertmacro WriteKey "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    !insertmacro WriteKey "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    !insertmacro WriteKey "${UNINSTALL_KEY}" "Publisher" "嵌岩桩计算项目组"
    !insertmacro WriteKey "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE},0"
    !insertmacro WriteKey "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    !insertmacro WriteKey "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    !insertmacro WriteKey "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
!ifdef WEBSITE
    !insertmacro WriteKey "${UNINSTALL_KEY}" "URLInfoAbout" "${WEBSITE}"
!endif
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    ${If} $AllUsers == 1
        WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
        WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
        WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${Else}
        WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
        WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
        WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${EndIf}
    ; Explorer shows the new file type and its icon at once.
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

Section "桌面快捷方式" SecDesktop
    CreateShortCut "$DESKTOP\${SHORTCUT}.lnk" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
    !insertmacro MUI_DESCRIPTION_TEXT ${SecDesktop} "在桌面上放一个启动程序的快捷方式。"
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function un.onInit
    SetRegView 64
    !insertmacro ChooseUsers
    ; A per-user install is removed by its user, also from an elevated uninstaller.
    ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 == $INSTDIR
        StrCpy $AllUsers 0
        SetShellVarContext current
    ${EndIf}
FunctionEnd

Section "Uninstall"
    !include "${UNFILES}"
    Delete "$INSTDIR\uninstall.exe"
    ; Only when empty: a file the user put there stays, and so does the folder.
    RMDir "$INSTDIR"

    Delete "$SMPROGRAMS\${SHORTCUT}.lnk"
    Delete "$DESKTOP\${SHORTCUT}.lnk"
    ${If} $AllUsers == 1
        ReadRegStr $0 HKLM "Software\Classes\${EXTENSION}" ""
        ${If} $0 == "${PROGID}"
            DeleteRegKey HKLM "Software\Classes\${EXTENSION}"
        ${EndIf}
        DeleteRegKey HKLM "Software\Classes\${PROGID}"
        DeleteRegKey HKLM "${UNINSTALL_KEY}"
    ${Else}
        ReadRegStr $0 HKCU "Software\Classes\${EXTENSION}" ""
        ${If} $0 == "${PROGID}"
            DeleteRegKey HKCU "Software\Classes\${EXTENSION}"
        ${EndIf}
        DeleteRegKey HKCU "Software\Classes\${PROGID}"
        DeleteRegKey HKCU "${UNINSTALL_KEY}"
    ${EndIf}
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

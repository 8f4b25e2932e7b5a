; The setup program: installs Quorbel for the current user, without administrator rights, into
; %LOCALAPPDATA%\Programs\Quorbel, with a Start-menu entry, a desktop shortcut when ticked, "Open
; with" for text files and an uninstaller in Windows' app list. Run again, it upgrades in place.
; Uninstalling removes the program, its shortcuts and its registry keys; the fields in
; %APPDATA%\Quorbel stay. package.sh runs it:
;   makensis -INPUTCHARSET UTF8 -DVERSION=<x.y.z> -DSTAGE=<folder with the files> -DICON=<.ico>
;            -DOUTFILE=<setup.exe> setup.nsi
; The uninstaller beside quorbel.exe is also what tells the program it was installed: it then keeps
; its data in %APPDATA%\Quorbel, never in the program's folder (workspace/workspace.cpp).

; 64-bit like the program: it runs where the program does, and under wine64 alone.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include MUI2.nsh
!include FileFunc.nsh

!define PRODUCT Quorbel
!define PUBLISHER "The Quorbel developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorbel"
!define OPEN_WITH_KEY "Software\Classes\Applications\quorbel.exe"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Quorbel"
; An earlier install is upgraded where it is.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "Quorbel setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "MIT licence"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\quorbel.exe"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first is used where Windows speaks neither.
!insertmacro MUI_LANGUAGE "SimpChinese"
!insertmacro MUI_LANGUAGE "English"

LangString ProgramSection ${LANG_SIMPCHINESE} "Quorbel 程序"
LangString ProgramSection ${LANG_ENGLISH} "Quorbel program"
LangString DesktopSection ${LANG_SIMPCHINESE} "桌面快捷方式"
LangString DesktopSection ${LANG_ENGLISH} "Desktop shortcut"

Section "$(ProgramSection)" ProgramSection
    SectionIn RO
    SetOutPath "$INSTDIR"
    File "${STAGE}\quorbel.exe"
    File "${STAGE}\quorbel-sort.exe"
    File "${STAGE}\README.txt"
    File "${STAGE}\LICENSE.txt"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    CreateShortCut "$SMPROGRAMS\Quorbel.lnk" "$INSTDIR\quorbel.exe"

    ; Windows' app list: name, icon, version, publisher, size, and the uninstaller.
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\quorbel.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0

    ; "Open with" for text files: Windows then starts quorbel.exe with the file's path, as a file
    ; dropped on it does.
    WriteRegStr HKCU "${OPEN_WITH_KEY}" "FriendlyAppName" "${PRODUCT}"
    WriteRegStr HKCU "${OPEN_WITH_KEY}\shell\open\command" "" '"$INSTDIR\quorbel.exe" "%1"'
    WriteRegStr HKCU "${OPEN_WITH_KEY}\SupportedTypes" ".txt" ""
    WriteRegStr HKCU "Software\Classes\.txt\OpenWithList\quorbel.exe" "" ""
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

Section /o "$(DesktopSection)" DesktopSection
    CreateShortCut "$DESKTOP\Quorbel.lnk" "$INSTDIR\quorbel.exe"
SectionEnd

Section "Uninstall"
    Delete "$INSTDIR\quorbel.exe"
    Delete "$INSTDIR\quorbel-sort.exe"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\uninstall.exe"
    ; Only when empty: whatever else someone put there is theirs.
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Quorbel.lnk"
    Delete "$DESKTOP\Quorbel.lnk"
    DeleteRegKey HKCU "${OPEN_WITH_KEY}"
    DeleteRegKey HKCU "Software\Classes\.txt\OpenWithList\quorbel.exe"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
